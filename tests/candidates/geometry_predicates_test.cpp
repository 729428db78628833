#include "tests/candidates/geometry_predicates.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/candidates/test_positions.h"

using namespace candidates;
using namespace engine;

namespace {

TEST(HouseTest, CircleBoundaryIsOutside) {
  // 6.71f lies just beyond tee y + 1.83; the float below it lies inside.
  EXPECT_FALSE(InHouse(2.375f, 6.71f));
  EXPECT_TRUE(InHouse(2.375f, std::nextafter(6.71f, 0.0f)));
  EXPECT_FALSE(InHouse(0.5f, 4.88f));
  EXPECT_TRUE(InHouse(0.55f, 4.88f));
}

TEST(LaneTest, SideAndAheadAreStrict) {
  SetPosition(0, {{2.4f, 6.0f}});
  EXPECT_TRUE(StoneAheadInLane(2.4f, 5.0f));
  EXPECT_FALSE(StoneAheadInLane(2.4f, 6.0f));  // same y: not ahead
  EXPECT_FALSE(StoneAheadInLane(2.4f, 7.0f));  // behind
  // Across from x = 0 the float difference is the stone's x itself: 0.145f
  // lies below 0.145 in double precision, the next float above it.
  SetPosition(0, {{0.145f, 6.0f}, {-std::nextafter(0.145f, 1.0f), 6.0f}});
  EXPECT_TRUE(StoneAheadInLane(0.0f, 5.0f));
  gameState.stones[0].x = std::nextafter(0.145f, 1.0f);
  EXPECT_FALSE(StoneAheadInLane(0.0f, 5.0f));
  // 9.0f - 4.6f rounds to 4.4000001, 8.9f - 4.5f to 4.3999996.
  SetPosition(0, {{2.4f, 9.0f}});
  EXPECT_FALSE(NearStoneAheadInLane(2.4f, 4.6f));
  SetPosition(0, {{2.4f, 8.9f}});
  EXPECT_TRUE(NearStoneAheadInLane(2.4f, 4.5f));
}

TEST(StoneWithinTest, WorksInSinglePrecision) {
  SetPosition(0, {{2.0f, 7.0f}});
  EXPECT_TRUE(StoneWithin(2.0f, 7.28f, 0.29f));
  EXPECT_FALSE(StoneWithin(2.0f, 7.3f, 0.29f));
  EXPECT_FALSE(StoneWithin(2.0f, 7.0f, 0.0f));
}

TEST(GuardedTest, LaneStoneDistances) {
  // The point (2.4, 4.5) with lane stones at various distances ahead.
  SetPosition(0, {{2.4f, 9.0f}});
  EXPECT_FALSE(IsGuarded(2.4f, 4.5f));  // 4.5 ahead: far, not a guard by itself
  SetPosition(0, {{2.4f, 9.0f}, {2.69f, 6.0f}});
  EXPECT_FALSE(IsGuarded(2.4f, 4.5f));  // only one neighbour lane blocked
  SetPosition(0, {{2.4f, 9.0f}, {2.69f, 6.0f}, {2.11f, 6.0f}});
  EXPECT_TRUE(IsGuarded(2.4f, 4.5f));  // both curling paths blocked
  SetPosition(0, {{2.4f, 8.8f}});
  EXPECT_TRUE(IsGuarded(2.4f, 4.5f));  // 4.3 ahead guards alone
  SetPosition(0, {{2.4f, 4.6f}});
  EXPECT_FALSE(IsGuarded(2.4f, 4.5f));  // touching stones do not guard
  SetPosition(0, {{2.4f, 4.7f}});
  EXPECT_TRUE(IsGuarded(2.4f, 4.5f));
  // Just 4.4 ahead in float (9.0f - 4.6f) is far: it guards only with both
  // neighbour lanes blocked, so it did not just fall out of the scan.
  SetPosition(0, {{2.4f, 9.0f}});
  EXPECT_FALSE(IsGuarded(2.4f, 4.6f));
  SetPosition(0, {{2.4f, 9.0f}, {2.69f, 6.0f}, {2.11f, 6.0f}});
  EXPECT_TRUE(IsGuarded(2.4f, 4.6f));
  SetPosition(0, {{2.69f, 6.0f}, {2.11f, 6.0f}});
  EXPECT_FALSE(IsGuarded(2.4f, 4.5f));  // neighbour lanes alone do not guard
}

TEST(GuardedTest, GatesLeaveOutsideStonesUnguarded) {
  SetPosition(0, {{0.5f, 6.0f}, {0.55f, 6.0f}});
  EXPECT_FALSE(IsGuarded(0.5f, 5.5f));   // left of the house width
  EXPECT_TRUE(IsGuarded(0.55f, 5.5f));   // just inside it
  EXPECT_FALSE(IsGuarded(4.25f, 5.5f));  // right of it
  // Behind the tee line and outside the house.
  SetPosition(0, {{1.0f, 4.0f}});
  EXPECT_FALSE(IsGuarded(0.6f, 3.6f));
  // So a stone there is an open hit target whatever lies ahead of it.
  SetPosition(0, {{0.5f, 5.5f}, {0.5f, 6.0f}, {0.55f, 6.0f}});
  EXPECT_TRUE(IsHitTarget(0.55f, 5.5f));
}

TEST(HitTargetTest, Distances) {
  SetPosition(0, {{2.4f, 5.0f}});
  EXPECT_TRUE(IsHitTarget(2.4f, 5.0f));
  EXPECT_TRUE(IsHitTarget(2.4f, 5.04f));
  EXPECT_FALSE(IsHitTarget(2.4f, 5.05f));  // 0.05 ahead of the centre
  EXPECT_TRUE(IsHitTarget(2.4f, 4.9f));    // 5.0f - 4.9f rounds below 0.1
  EXPECT_FALSE(IsHitTarget(2.4f, 4.89f));
  EXPECT_TRUE(IsHitTarget(2.5f, 5.0f));   // 2.5f - 2.4f rounds below 0.1,
  EXPECT_FALSE(IsHitTarget(2.3f, 5.0f));  // 2.4f - 2.3f above it

  // The float sum of squares here is exactly 0.01f, below 0.1 squared in
  // double precision, but not below 0.01f, and the same distance taken in
  // double precision is not below 0.1 either.
  SetPosition(0, {{1.59925461f, 4.012187f}});
  EXPECT_TRUE(IsHitTarget(1.5f, 4.0f));
}

TEST(HitTargetTest, BackOfHouseAndGuards) {
  SetPosition(0, {{2.375f, 3.05f}});
  EXPECT_FALSE(IsHitTarget(2.375f, 3.05f));
  SetPosition(0, {{2.375f, 3.06f}});
  EXPECT_TRUE(IsHitTarget(2.375f, 3.06f));
  SetPosition(0, {{2.375f, 3.06f}, {2.375f, 4.0f}});
  EXPECT_FALSE(IsHitTarget(2.375f, 3.06f));  // guarded from 0.94 ahead
  EXPECT_TRUE(IsHitTarget(2.375f, 4.0f));
}

TEST(FreezeTargetTest, StoneOnTheTee) {
  SetPosition(0, {{2.375f, 4.88f}});
  EXPECT_TRUE(IsFreezeTarget(2.4f, 5.1f));   // 0.22 ahead
  EXPECT_FALSE(IsFreezeTarget(2.4f, 5.2f));  // 0.32 ahead
  EXPECT_FALSE(IsFreezeTarget(2.5f, 5.1f));  // 0.125 to the side
  EXPECT_FALSE(IsFreezeTarget(2.4f, 5.0f));  // 0.12 ahead
  // A guarded stone is no freeze target.
  SetPosition(0, {{2.375f, 4.88f}, {2.375f, 6.5f}});
  EXPECT_FALSE(IsFreezeTarget(2.4f, 5.1f));
  // Nor is a stone outside the house.
  SetPosition(0, {{0.6f, 3.2f}});
  EXPECT_FALSE(IsFreezeTarget(0.6f, 3.4f));
}

TEST(GateTest, FrontGateClosesOutsideTheHouse) {
  // Beyond the house's front only the rear gate opens, so there is no freeze
  // there, however close the stone.
  SetPosition(0, {{2.4f, 6.5f}});
  EXPECT_TRUE(IsFreezeTarget(2.4f, 6.7f));
  EXPECT_FALSE(IsFreezeTarget(2.4f, 6.75f));
  // Across the house width only.
  SetPosition(0, {{0.6f, 4.7f}});
  EXPECT_TRUE(IsFreezeTarget(0.6f, 4.9f));
  EXPECT_FALSE(IsFreezeTarget(0.54f, 4.9f));
  SetPosition(0, {{4.15f, 4.7f}});
  EXPECT_TRUE(IsFreezeTarget(4.2f, 4.9f));
  EXPECT_FALSE(IsFreezeTarget(4.21f, 4.9f));
}

TEST(FarGuardDrawTargetTest, LaneStoneMoreThanFarAhead) {
  SetPosition(0, {{2.4f, 9.0f}});
  EXPECT_TRUE(IsFarGuardDrawTarget(2.4f, 4.5f));
  EXPECT_TRUE(IsFarGuardDrawTarget(2.4f, 4.6f));  // 9.0f - 4.6f rounds above 4.4
  SetPosition(0, {{2.4f, 8.9f}});
  EXPECT_FALSE(IsFarGuardDrawTarget(2.4f, 4.5f));  // 8.9f - 4.5f below it
  EXPECT_FALSE(IsFarGuardDrawTarget(2.4f, 7.0f));  // outside the house
  SetPosition(0, {{2.4f, 9.0f}, {2.4f, 6.0f}});
  EXPECT_FALSE(IsFarGuardDrawTarget(2.4f, 4.5f));  // guarded from 1.5 ahead
  SetPosition(0, {{2.4f, 9.0f}, {2.69f, 6.0f}, {2.11f, 6.0f}});
  EXPECT_FALSE(IsFarGuardDrawTarget(2.4f, 4.5f));  // both curling paths blocked
}

TEST(LateButtonTargetTest, LastTwoShotsOnly) {
  SetPosition(13, {});
  EXPECT_FALSE(IsLateButtonTarget(2.4f, 4.9f));
  SetPosition(14, {});
  EXPECT_TRUE(IsLateButtonTarget(2.4f, 4.9f));
  EXPECT_FALSE(IsLateButtonTarget(2.4f, 5.5f));
  // 5.49f lies just within 0.61 of the tee, the next float beyond it.
  EXPECT_TRUE(IsLateButtonTarget(2.375f, 5.49f));
  EXPECT_FALSE(IsLateButtonTarget(2.375f, std::nextafter(5.49f, 10.0f)));
  SetPosition(15, {{2.4f, 5.5f}});
  EXPECT_FALSE(IsLateButtonTarget(2.4f, 4.9f));  // guarded
  EXPECT_TRUE(IsLateButtonTarget(2.6f, 4.9f));
}

TEST(GuardTargetTest, FirstShots) {
  SetPosition(0, {});
  EXPECT_TRUE(IsGuardTarget(2.4f, 6.75f));
  EXPECT_FALSE(IsGuardTarget(2.4f, 6.7f));   // not beyond the house's front
  EXPECT_FALSE(IsGuardTarget(2.4f, 6.85f));  // off the row
  EXPECT_TRUE(IsGuardTarget(2.4f, 7.9f));
  EXPECT_FALSE(IsGuardTarget(1.7f, 7.9f));  // side band: not at even shots
  EXPECT_FALSE(IsGuardTarget(2.4f, 9.0f));  // row R1 is no opening guard row

  // Shot 1 with the first stone on the tee: the side bands are not mirror images.
  SetPosition(1, {{2.375f, 4.88f}});
  EXPECT_TRUE(IsGuardTarget(1.45f, 6.7f));
  EXPECT_FALSE(IsGuardTarget(3.3f, 6.7f));
  EXPECT_TRUE(IsGuardTarget(3.25f, 6.7f));
  EXPECT_FALSE(IsGuardTarget(2.4f, 7.9f));  // centre band: not at odd shots
  // Only in front of the end's first stone.
  SetPosition(1, {{1.45f, 7.0f}});
  EXPECT_TRUE(IsGuardTarget(1.45f, 7.9f));
  EXPECT_FALSE(IsGuardTarget(1.45f, 6.7f));

  // A negative shot number follows the first two shots, odd by its remainder.
  SetPosition(-1, {{2.375f, 4.88f}});
  EXPECT_TRUE(IsGuardTarget(1.45f, 6.7f));
  SetPosition(-2, {});
  EXPECT_TRUE(IsGuardTarget(2.4f, 6.75f));
}

TEST(GuardTargetTest, EarlyShotsKeepClearOfStones) {
  // Row R3 outside the house, with no lower bound at 6.71.
  SetPosition(2, {{2.375f, 4.88f}});
  EXPECT_TRUE(IsGuardTarget(1.8f, 6.65f));
  EXPECT_FALSE(IsGuardTarget(2.4f, 6.65f));  // in the house
  EXPECT_TRUE(IsGuardTarget(2.4f, 7.9f));
  SetPosition(2, {{2.375f, 4.88f}, {1.8f, 7.0f}});
  EXPECT_FALSE(IsGuardTarget(1.8f, 6.75f));  // within 0.29 of a stone
  EXPECT_FALSE(IsGuardTarget(1.8f, 6.65f));  // a stone 0.35 ahead in the lane
  // Some stone must lie behind the point; one at the origin does.
  SetPosition(2, {});
  EXPECT_TRUE(IsGuardTarget(2.4f, 7.9f));
  for (StonePos& stone : gameState.stones) stone = {0.0f, 8.0f};
  EXPECT_FALSE(IsGuardTarget(2.4f, 7.8f));

  SetPosition(3, {{2.375f, 4.88f}});
  EXPECT_TRUE(IsGuardTarget(1.5f, 7.9f));
  EXPECT_FALSE(IsGuardTarget(2.4f, 7.9f));
  SetPosition(3, {{2.375f, 4.88f}, {1.5f, 8.15f}});
  EXPECT_FALSE(IsGuardTarget(1.5f, 7.9f));  // 0.25 from a stone
  SetPosition(3, {{2.375f, 4.88f}, {1.5f, 9.0f}});
  EXPECT_TRUE(IsGuardTarget(1.5f, 7.9f));  // a lane stone ahead is allowed at odd shots
}

TEST(GuardTargetTest, OwnStonesFromShotFour) {
  SetPosition(4, {{2.375f, 4.88f}});
  EXPECT_TRUE(IsGuardTarget(2.4f, 6.0f));    // in the house
  EXPECT_TRUE(IsGuardTarget(2.4f, 7.9f));    // row R2
  EXPECT_TRUE(IsGuardTarget(2.4f, 9.0f));    // row R1
  EXPECT_FALSE(IsGuardTarget(2.4f, 10.1f));  // more than 4.4 ahead
  EXPECT_FALSE(IsGuardTarget(2.4f, 7.0f));   // neither in the house nor on a row
  EXPECT_FALSE(IsGuardTarget(1.8f, 6.8f));   // empty-house guards are off
  // The other side's house stone is not guarded for it.
  SetPosition(5, {{2.375f, 4.88f}});
  EXPECT_FALSE(IsGuardTarget(2.4f, 6.0f));
  EXPECT_FALSE(IsGuardTarget(1.5f, 7.9f));
  // With the house empty the opening rules come back.
  SetPosition(4, {{2.375f, 7.5f}});
  EXPECT_TRUE(IsGuardTarget(1.8f, 6.8f));
  SetPosition(5, {{2.375f, 7.5f}});
  EXPECT_TRUE(IsGuardTarget(1.5f, 7.9f));
  // A stone in the house that is not yet delivered does not count.
  SetPosition(4, {{0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}, {2.375f, 4.88f}});
  EXPECT_TRUE(IsGuardTarget(1.8f, 6.8f));
}

TEST(AnyStoneInHouseTest, ScansDeliveredSlotsOnly) {
  SetPosition(3, {{0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}, {2.375f, 4.88f}});
  EXPECT_FALSE(AnyStoneInHouse());
  gameState.shotNumber = 4;
  EXPECT_TRUE(AnyStoneInHouse());
  gameState.shotNumber = 1000;  // no slot past the sixteenth is read
  EXPECT_TRUE(AnyStoneInHouse());
}

}  // namespace
