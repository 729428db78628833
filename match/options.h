// The runner's command line.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kMaxConcurrency = 32;

enum class RunMode { kMatch, kDemo, kReplay, kHelp };

struct MatchOptions {
  RunMode mode = RunMode::kMatch;
  std::string commands[2];
  std::string names[2];  // empty: named after the program
  int games = 1;
  int concurrency = 1;
  int ends = 8;
  bool endsGiven = false;
  float noise = 0.3f;
  bool seedGiven = false;
  uint64_t seed = 0;
  int hammerPlayer = 1;  // 0 or 1: the player with the hammer in the first end of game 1
  int64_t moveTimeMs = 10000;
  int64_t gameTimeMs = 0;  // 0: no total limit
  std::string outputDirectory = "match-output";
  std::string replayPath;
};

// Fills `options` from the arguments after the program name. False with a
// message for anything it cannot take.
bool ParseOptions(int argc, const char* const* argv, MatchOptions& options, std::string& error);

std::string UsageText();
