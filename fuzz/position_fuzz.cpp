// Fuzzes what curling-analyze reads from its standard input: position lines,
// and what 'evaluate' makes of the positions they give, whatever the numbers
// (far off the sheet, denormal, in any situation of the game). A line is read
// or refused with a reason, never a crash; an evaluation is a distribution and
// two chances of winning that add up to one.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/linked_simulator.h"
#include "search/strong/position_evaluation.h"
#include "tools/position_text.h"

using namespace engine;
using namespace search::strong;
using namespace tools;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsChance(double value) {
  return value >= 0.0 && value <= 1.0;
}

void CheckEvaluation(const GameState& position, int hammerLead) {
  const PositionEvaluation evaluation = EvaluatePosition(position, hammerLead);
  double total = 0.0;
  for (const float chance : evaluation.endScores) {
    Check(IsChance(chance));
    total += chance;
  }
  Check(std::fabs(total - 1.0) < 1e-5);
  Check(std::fabs(evaluation.expectedEndScore) <= 16.0);
  for (int side = 0; side < 2; ++side) {
    Check(IsChance(evaluation.learnedWin[side]) && IsChance(evaluation.tableWin[side]));
  }
  Check(std::fabs(evaluation.learnedWin[0] + evaluation.learnedWin[1] - 1.0) < 1e-9);
  Check(std::fabs(evaluation.tableWin[0] + evaluation.tableWin[1] - 1.0) < 1e-9);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  BindLinkedSimulator();
  return 0;
}

// The first three bytes choose the game around the positions, as --end,
// --last-end and --lead do; the rest are lines.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int end = data[0] % 10;
  const int lastEnd = data[1] % 10;
  const int lead = end > lastEnd ? 0 : static_cast<int8_t>(data[2]) % 100;
  std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);
  while (!text.empty()) {
    const size_t newline = text.find('\n');
    const std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (IsCommentOrBlankLine(line)) continue;
    GameState position{};
    position.currentEnd = end;
    position.lastEnd = lastEnd;
    std::string error;
    if (!ParsePositionLine(line, position, error)) {
      Check(!error.empty());
      continue;
    }
    // What is read is written back the same.
    GameState again{};
    Check(ParsePositionLine(FormatPositionLine(position), again, error));
    Check(again.shotNumber == position.shotNumber);
    for (int i = 0; i < 16; ++i) {
      Check(again.stones[i].x == position.stones[i].x && again.stones[i].y == position.stones[i].y);
    }
    // What 'evaluate' takes: shot numbers 0 to 16, stones on the sheet.
    if (position.shotNumber < 0 || position.shotNumber > 16) continue;
    if (!StonesOnSheet(position, error)) {
      Check(!error.empty());
      continue;
    }
    CheckEvaluation(position, lead);
  }
  return 0;
}
