// The figures and gates of the candidate rules: what makes a target point of
// the sheet a hit, a freeze, a guard or a draw. The candidate walk
// (candidates.cpp) applies them to the grid; the rules written point by point,
// its yardstick, are in the tests.
//
// Arithmetic: the difference of two coordinates is formed in single precision
// and then compared with the decimal bounds below in double precision; two
// coordinates are compared with each other in single precision; every
// comparison is strict. The distances to the tee are taken in double precision.
#pragma once

#include <cmath>

#include "candidates/strategy_table.h"
#include "simulator/sheet.h"

namespace candidates {

// A stone is in the lane of a point when their x differ by less than this:
// the lane is as wide as a stone.
inline constexpr double kLaneHalfWidth = kStoneRadius;
// The lanes beside a point's own lane, where a curling shot's path runs.
inline constexpr double kNeighbourLaneOffset = 2 * kStoneRadius;
// A lane stone at least this far ahead is too far to guard a point on its own.
inline constexpr double kFarAhead = 4.4;
// A draw that comes to rest this far in front of a stone's centre, more than
// the nearer and less than the farther, freezes to it.
inline constexpr double kFreezeNearest = kStoneRadius;
inline constexpr double kFreezeFarthest = 2 * kStoneRadius;
// A freeze target lies in a stone's lane narrowed to this either side of it.
inline constexpr double kFreezeLaneHalfWidth = 0.1;
// A hit target lies closer than this to the stone's centre, and less than
// kHitAhead ahead of it.
inline constexpr double kHitReach = 0.1;
inline constexpr double kHitAhead = 0.05;
// A point within this of a guard row is on it.
inline constexpr double kGuardRowReach = 0.1;
// The clearance from every stone that an early guard keeps, in single precision.
inline constexpr float kGuardClearance = 0.29f;

// The house: the open disc about the tee, in double precision.
constexpr bool InHouse(float x, float y) {
  const double dx = kTeeX - static_cast<double>(x);
  const double dy = kTeeY - static_cast<double>(y);
  return dx * dx + dy * dy < kHouseRadius * kHouseRadius;
}

// The button circle: the open disc of the four-foot circle about the tee, in
// double precision.
constexpr bool InButtonCircle(float x, float y) {
  const double dx = static_cast<double>(x) - kTeeX;
  const double dy = static_cast<double>(y) - kTeeY;
  return dx * dx + dy * dy < kFourFootRadius * kFourFootRadius;
}

// x + offset formed in double precision and rounded to float, so that a lane
// beside x is the same float wherever it is asked for.
constexpr float LaneBeside(float x, double offset) {
  return static_cast<float>(static_cast<double>(x) + offset);
}

// The gate of the tests that look at a point from behind: across the house
// width, and either in the house or not behind the tee line.
constexpr bool PassesRearGate(float x, float y) {
  if (x > kHouseRightX || x < kHouseLeftX) return false;
  return !(y < kTeeY && !InHouse(x, y));
}

// The gate of the tests that look at a point from in front: across the house
// width, and either in the house or not ahead of the tee line.
constexpr bool PassesFrontGate(float x, float y) {
  if (x > kHouseRightX || x < kHouseLeftX) return false;
  return !(y > kTeeY && !InHouse(x, y));
}

// The band in front of the house's centre: tee x +- the four-foot radius.
constexpr bool InCentreBand(float x) {
  return x > 1.765 && x < 2.985;
}

// The bands beside the centre band. They are not mirror images: the left one
// ends 1.0 left of the centre line, the right one 0.9 right of it.
constexpr bool InSideBand(float x) {
  return (x > 1.375 && x < 1.765) || (x > 2.985 && x < 3.275);
}

// Within kGuardRowReach of guard row k (entry k of the table, k = 0 to 3).
inline bool OnGuardRow(float y, int k, const StrategyTable& table = yThresholds) {
  return std::fabs(y - table[k]) < kGuardRowReach;
}

}  // namespace candidates
