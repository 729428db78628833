// curling-analyze play: plays shots on a position with the physics library
// and prints every position that results.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "simulator/curling_api.h"
#include "tools/analyze_commands.h"
#include "tools/position_text.h"

namespace tools {

namespace {

constexpr const char* kName = "curling-analyze play";

// Reads "draw x y spin", "hit x y spin power" or "throw vx vy spin" into a
// shot; false, with the reason, for anything else.
bool ParseShot(const std::string& line, ShotVec& shot, std::string& error) {
  std::istringstream in(line);
  std::string kind;
  in >> kind;
  float a = 0;
  float b = 0;
  int spin = 0;
  float power = 0;
  in >> a >> b >> spin;
  if (kind == "hit") in >> power;
  if (!in || (spin != 0 && spin != 1)) {
    error = "expected 'draw x y spin', 'hit x y spin power' or 'throw vx vy spin' (spin 0 or 1)";
    return false;
  }
  std::string rest;
  if (in >> rest) {
    error = "unexpected text after the shot: '" + rest + "'";
    return false;
  }
  const ShotPos target{a, b, static_cast<uint8_t>(spin), {}};
  int result = kSimOk;
  if (kind == "draw") {
    result = CreateShot(target, &shot);
  } else if (kind == "hit") {
    result = CreateHitShot(target, power, &shot);
  } else if (kind == "throw") {
    shot = ShotVec{a, b, static_cast<uint8_t>(spin), {}};
  } else {
    error = "unknown shot '" + kind + "'";
    return false;
  }
  if (result != kSimOk) {
    error = "the shot cannot be made (code " + std::to_string(result) + ")";
    return false;
  }
  return true;
}

}  // namespace

int RunPlayCommand(const PlayOptions& options) {
  const float noise = options.noise;
  if (options.seedGiven) SeedSimulator(options.seed);
  GameState state{};
  bool failed = false;
  std::string line;
  for (long lineNumber = 1; std::getline(std::cin, line); ++lineNumber) {
    if (IsCommentOrBlankLine(line)) continue;
    std::string error;
    if (line.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos) {
      // A position line starts the game over from that position.
      if (!ParsePositionLine(line, state, error)) {
        std::fprintf(stderr, "%s: line %ld: %s\n", kName, lineNumber, error.c_str());
        failed = true;
      }
      continue;
    }
    ShotVec shot{};
    if (!ParseShot(line, shot, error)) {
      std::fprintf(stderr, "%s: line %ld: %s\n", kName, lineNumber, error.c_str());
      failed = true;
      continue;
    }
    const int end = state.currentEnd;
    const int shotNumber = state.shotNumber;
    if (Simulation(&state, shot, noise, 0, -1) != kSimOk) {
      std::fprintf(stderr, "%s: line %ld: shot number %d cannot be played\n", kName, lineNumber,
                   shotNumber);
      failed = true;
      continue;
    }
    // Notes are comments, so that the output is input for 'picture' and 'candidates'.
    std::printf("# end %d shot %d: %s -> velocity %f %f spin %d\n", end, shotNumber, line.c_str(),
                static_cast<double>(shot.vx), static_cast<double>(shot.vy), shot.spin);
    if (state.currentEnd != end) {
      std::printf("# end %d closed: %+d\n", end, end < 10 ? state.endScores[end] : 0);
    } else {
      std::printf("%s\n", FormatPositionLine(state).c_str());
      std::printf("# score if the end closed now: %+d\n", GetScore(&state));
    }
  }
  return failed ? 1 : 0;
}

}  // namespace tools
