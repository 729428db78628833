// The candidate rules written point by point: yes/no tests on a target point
// of the sheet, asked against the stones of the calling thread's position
// (`gameState`). Each one is a pure function of its arguments, that record's
// shot number and stones, and the strategy table (`yThresholds` unless another
// is given). The product's candidate walk finds the same points grid-wide;
// these are the yardstick the tests hold it to.
#pragma once

#include "candidates/stone_geometry.h"

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
// the house: within kHitReach of it, and less than kHitAhead ahead of its centre.
bool IsHitTarget(float x, float y);

// The point lies straight ahead of an unguarded stone in the house, between
// kFreezeNearest and kFreezeFarthest in front of its centre.
bool IsFreezeTarget(float x, float y);

// The point is a guard position for the stage of the end.
bool IsGuardTarget(float x, float y,
                   const candidates::StrategyTable& table = candidates::yThresholds);

// The point is an open point of the house whose lane holds a stone more than
// kFarAhead ahead.
bool IsFarGuardDrawTarget(float x, float y);

// At the last two shots of the end, the point is unguarded and in the button
// circle.
bool IsLateButtonTarget(float x, float y);
