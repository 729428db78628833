// The fixed grid of target points that the candidate list is built from.
#pragma once

#include "candidates/stone_geometry.h"
#include "candidates/strategy_table.h"

namespace candidates {

// Columns x = k / 10 for k = 5 to 42, rows y = 3 + j / 10 for j = 0 to 82.
inline constexpr int kFirstGridColumn = 5;
inline constexpr int kLastGridColumn = 42;
inline constexpr int kGridColumns = kLastGridColumn - kFirstGridColumn + 1;
inline constexpr int kGridRows = 83;

// The coordinates are formed in double precision and rounded to float, which
// gives the float nearest to the decimal value.
constexpr float GridColumnX(int k) {
  return static_cast<float>(k * 0.1);
}
constexpr float GridRowY(int j) {
  return static_cast<float>(j * 0.1 + 3.0);
}

// Points short of the front of the house count only inside the house; the
// others are never offered to the predicates.
constexpr bool InCandidateRegion(float x, float y) {
  return !(y < kFrontOfHouseY) || InHouse(x, y);
}

// The lowest hit power worth trying at a target with this y: one more than the
// index of the first entry of the strategy table that y exceeds. The farther a target
// lies up the sheet, the gentler the hits that still reach it.
int LowestHitPower(float y, const StrategyTable& table = yThresholds);

}  // namespace candidates
