// curling-analyze evaluate: what the stronger search's evaluation makes of
// each position read, the learned value beside the standing table.
#include <cstdio>
#include <iostream>
#include <string>

#include "search/strong/position_evaluation.h"
#include "tools/analyze_commands.h"
#include "tools/position_text.h"

namespace tools {

namespace {

constexpr const char* kName = "curling-analyze evaluate";
constexpr int kLastShot = 16;

void PrintEvaluation(const GameState& position, const EvaluateOptions& options) {
  const search::strong::PositionEvaluation evaluation =
      search::strong::EvaluatePosition(position, options.lead);
  const int shot = position.shotNumber;
  // The hammer delivers the odd shots; after the sixteenth no one delivers.
  const char* toDeliver[2] = {"", ""};
  if (shot < kLastShot) toDeliver[(shot & 1) != 0 ? 0 : 1] = " (to deliver)";
  std::printf("%s\n", FormatPositionLine(position).c_str());
  std::printf("# end %d, last end %d, shot %d; the side with the hammer leads by %+d\n",
              position.currentEnd, position.lastEnd, shot, options.lead);
  std::printf("# end score of the side with the hammer, -5 to +5:");
  for (const float chance : evaluation.endScores) std::printf(" %.5f", static_cast<double>(chance));
  std::printf("\n# expected end score of the side with the hammer: %+.3f\n",
              evaluation.expectedEndScore);
  const char* sides[2] = {"the side with the hammer", "the other side"};
  for (int side = 0; side < 2; ++side) {
    std::printf("# chance of winning, %s%s: learned %.5f, table %.5f\n", sides[side],
                toDeliver[side], evaluation.learnedWin[side], evaluation.tableWin[side]);
  }
}

}  // namespace

int RunEvaluateCommand(const EvaluateOptions& options) {
  bool failed = false;
  std::string line;
  for (long lineNumber = 1; std::getline(std::cin, line); ++lineNumber) {
    if (IsCommentOrBlankLine(line)) continue;
    GameState position{};
    position.currentEnd = options.end;
    position.lastEnd = options.lastEnd;
    std::string error;
    if (ParsePositionLine(line, position, error) &&
        (position.shotNumber < 0 || position.shotNumber > kLastShot)) {
      error = "shot number " + std::to_string(position.shotNumber) + " is not from 0 to 16";
    }
    if (error.empty()) StonesOnSheet(position, error);
    if (!error.empty()) {
      std::fprintf(stderr, "%s: line %ld: %s\n", kName, lineNumber, error.c_str());
      failed = true;
      continue;
    }
    PrintEvaluation(position, options);
  }
  if (std::cin.bad()) {
    std::fprintf(stderr, "%s: cannot read the input\n", kName);
    failed = true;
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fprintf(stderr, "%s: cannot write the output\n", kName);
    return 1;
  }
  return failed ? 1 : 0;
}

}  // namespace tools
