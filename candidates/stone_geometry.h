// Yes/no tests on a target point of the sheet, asked against the stones of the
// calling thread's position (`gameState`). Each one is a pure function of its
// arguments, that record's shot number and stones, and the strategy table
// (`yThresholds` unless another is given).
//
// Arithmetic: the difference of two coordinates is formed in single precision
// and then compared with the decimal bounds below in double precision; two
// coordinates are compared with each other in single precision; every
// comparison is strict. The distances to the tee are taken in double precision.
#pragma once

#include "candidates/strategy_table.h"
#include "simulator/sheet.h"

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

// Within 0.1 of guard row k (entry k of the table, k = 0 to 3).
bool OnGuardRow(float y, int k, const StrategyTable& table = yThresholds);

// Some stone lies ahead of the point (greater y) and in its lane.
bool StoneAheadInLane(float x, float y);

// Some stone lies ahead of the point, in its lane, less than kFarAhead ahead.
bool NearStoneAheadInLane(float x, float y);

// Some stone centre is closer than r to the point, wholly in single precision.
bool StoneWithin(float x, float y, float r);

// Some stone delivered so far in the end lies in the house.
bool AnyStoneInHouse();

// The point is covered by a stone ahead in its lane: one between kLaneHalfWidth and kFarAhead
// ahead, or one farther ahead while both neighbour lanes hold a stone ahead.
bool IsGuarded(float x, float y);

// The point lies on an unguarded stone whose centre is ahead of the back of
// the house: within 0.1 of it, and less than 0.05 ahead of its centre.
bool IsHitTarget(float x, float y);

// The point lies straight ahead of an unguarded stone in the house, between
// kFreezeNearest and kFreezeFarthest in front of its centre.
bool IsFreezeTarget(float x, float y);

// The point is a guard position for the stage of the end.
bool IsGuardTarget(float x, float y, const StrategyTable& table = yThresholds);

// The point is an open point of the house whose lane holds a stone more than
// kFarAhead ahead.
bool IsFarGuardDrawTarget(float x, float y);

// At the last two shots of the end, the point is unguarded and in the button
// circle.
bool IsLateButtonTarget(float x, float y);
