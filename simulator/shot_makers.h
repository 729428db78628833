// Turning a target into a release velocity: draws that stop at a point, hits
// that pass through one with a chosen weight.
#pragma once

#include "simulator/vec2.h"

namespace sim {

// Release speed of a hit of the given power, 1 to 15 (linear between whole
// powers). Powers 1 to 10 are draw weights: unobstructed, the stone would come
// to rest that far down the centre line; 11 to 15 are takeout weights.
double HitWeightSpeed(double power);

// A hit never arrives slower than this, whatever its power.
inline constexpr double kMinHitArrivalSpeed = 0.2;

// The release velocity whose path, with the given curl, comes to rest at
// `target`.
Vec2 DrawVelocity(Vec2 target, bool curlsPositive);

// The release velocity of the given speed whose path passes through `target`;
// when that speed cannot carry the stone there at kMinHitArrivalSpeed, just
// enough speed to do so.
Vec2 HitVelocity(Vec2 target, double speed, bool curlsPositive);

}  // namespace sim
