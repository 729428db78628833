// The rules that decide the position after a shot: lines, the free guard
// zone, scoring and the close of an end.
#include <cmath>

#include <gtest/gtest.h>

#include "simulator/flight.h"
#include "simulator/motion.h"
#include "simulator/sheet.h"
#include "simulator/sweep.h"
#include "tests/simulator/test_support.h"

namespace {

using simtest::DrawTo;
using simtest::HitAt;
using simtest::IsOff;
using simtest::Play;
using simtest::State;

TEST(Lines, ADeliveredStoneMustComeToRestWhollyPastTheFarHogLine) {
  GameState state = State(0);
  Play(state, DrawTo(2.375f, 11.2f, 0));  // its back edge still over the line
  EXPECT_TRUE(IsOff(state.stones[0]));
  EXPECT_EQ(state.shotNumber, 1);
  state = State(0);
  Play(state, DrawTo(2.375f, 11.1f, 0));
  EXPECT_NEAR(state.stones[0].y, 11.1f, 1e-4);
  // A stone that never leaves the hog line, or is thrown backwards, is out.
  state = State(0);
  Play(state, ShotVec{0.0f, 0.0f, 0, {}});
  EXPECT_TRUE(IsOff(state.stones[0]));
  state = State(0);
  Play(state, ShotVec{0.0f, 2.0f, 1, {}});
  EXPECT_TRUE(IsOff(state.stones[0]));
}

TEST(Lines, AShortStoneThatStruckAStoneInPlayStays) {
  // A stone in play between the hog lines, right in the path of a draw that
  // would stop 0.4 m beyond it, still short of the far hog line.
  const ShotVec shot = DrawTo(2.375f, 11.6f, 0);
  const sim::Motion path =
      sim::StartMotion({kReleaseX, kReleaseY}, {shot.vx, shot.vy}, sim::Curl::kPositive, 0.0);
  const double speedThere = std::sqrt(2 * sim::kFrictionDecel * 0.4);
  const sim::Vec2 there =
      sim::KinematicsAt(path, sim::StopTime(path) - speedThere / sim::kFrictionDecel).position;
  GameState state = State(1);
  state.stones[0] = {static_cast<float>(there.x), static_cast<float>(there.y)};
  Play(state, shot);
  EXPECT_FALSE(IsOff(state.stones[1]));
  EXPECT_GT(state.stones[1].y, 11.28f - 0.145f);
  EXPECT_FALSE(IsOff(state.stones[0]));
  EXPECT_NE(state.stones[0].y, static_cast<float>(there.y));
}

TEST(Lines, SideAndBackLinesTakeStonesOut) {
  // In motion: touching a side line, or passing wholly beyond the back line.
  sim::Stone toSide[1] = {sim::MovingStone({0.6, 6.0}, {-0.6, -0.1}, sim::Curl::kNone)};
  sim::RunToRest(toSide, 1, 0);
  EXPECT_EQ(toSide[0].state, sim::StoneState::kOut);
  EXPECT_NEAR(toSide[0].position.x, kStoneRadius, 1e-5);  // taken out on touching
  sim::Stone throughBack[1] = {sim::MovingStone({2.0, 4.0}, {0.0, -1.5}, sim::Curl::kNone)};
  sim::RunToRest(throughBack, 1, 0);
  EXPECT_EQ(throughBack[0].state, sim::StoneState::kOut);
  sim::Stone alongSide[1] = {sim::MovingStone({0.16, 8.0}, {0.0, -0.5}, sim::Curl::kNone)};
  sim::RunToRest(alongSide, 1, 0);
  EXPECT_EQ(alongSide[0].state, sim::StoneState::kResting);

  // At rest: a stone whose edge still covers the back line is in play.
  GameState state = State(0);
  Play(state, DrawTo(2.375f, 2.95f, 1));
  EXPECT_NEAR(state.stones[0].y, 2.95f, 1e-4);
  state = State(0);
  Play(state, DrawTo(2.375f, 2.85f, 1));
  EXPECT_TRUE(IsOff(state.stones[0]));

  // A stone knocked into the side line is out.
  state = State(5);
  state.stones[0] = {0.40f, 5.0f};
  Play(state, HitAt(0.60f, 5.1f, 1, 12.0f));
  EXPECT_TRUE(IsOff(state.stones[0]));
}

// A takeout of the stone in slot `guardSlot`, lying in the free guard zone,
// delivered as shot `shotNumber`.
GameState TakeOutGuard(int shotNumber, int guardSlot, float guardY = 8.0f, float power = 15.0f) {
  GameState state = State(shotNumber, 1);
  state.stones[guardSlot] = {2.375f, guardY};
  Play(state, HitAt(2.375f, guardY, 0, power));
  return state;
}

TEST(FreeGuardZone, TheFirstFourStonesMayNotRemoveAnOpponentsGuard) {
  for (int shot : {1, 2, 3}) {
    const int opponentSlot = shot - 1;  // the previous delivery is always the opponent's
    const GameState after = TakeOutGuard(shot, opponentSlot);
    EXPECT_EQ(after.stones[opponentSlot].x, 2.375f) << shot;
    EXPECT_EQ(after.stones[opponentSlot].y, 8.0f) << shot;
    EXPECT_TRUE(IsOff(after.stones[shot])) << shot;
    EXPECT_EQ(after.shotNumber, shot + 1);
    EXPECT_EQ(after.turnFlag, 0);
  }
  // The own side's guard, a guard hit at shot 4, a guard only moved, and a
  // stone in the house are all fair game.
  EXPECT_TRUE(IsOff(TakeOutGuard(2, 0).stones[0]));
  EXPECT_TRUE(IsOff(TakeOutGuard(4, 3).stones[3]));
  const GameState nudged = TakeOutGuard(1, 0, 8.0f, 3.0f);
  EXPECT_FALSE(IsOff(nudged.stones[0]));
  EXPECT_NE(nudged.stones[0].y, 8.0f);
  EXPECT_FALSE(IsOff(nudged.stones[1]));
  const GameState house = TakeOutGuard(1, 0, 5.5f);
  EXPECT_TRUE(IsOff(house.stones[0]));
}

TEST(Scoring, NearestStonesCountAgainstTheOpponentsNearest) {
  // Shot 4 with turnFlag 0: the first side of the game delivers the even slots.
  GameState state = State(4, 0);
  state.stones[0] = {2.375f, 4.98f};  // 0.1
  state.stones[2] = {2.875f, 4.88f};  // 0.5
  state.stones[1] = {2.375f, 4.28f};  // 0.6
  state.stones[3] = {1.375f, 4.88f};  // 1.0
  EXPECT_EQ(GetScore(&state), 2);
  state.turnFlag = 1;
  EXPECT_EQ(GetScore(&state), -2);
  state.turnFlag = 7;  // any non-zero flag names the other side
  EXPECT_EQ(GetScore(&state), -2);

  // A tie for the nearest stone scores nothing.
  state = State(2, 0);
  state.stones[0] = {2.625f, 4.88f};
  state.stones[1] = {2.125f, 4.88f};
  EXPECT_EQ(GetScore(&state), 0);

  // A stone counts while it touches the house.
  state = State(1, 1);
  state.stones[0] = {2.375f + 1.97f, 4.88f};
  EXPECT_EQ(GetScore(&state), 1);
  state.stones[0] = {2.375f + 1.98f, 4.88f};
  EXPECT_EQ(GetScore(&state), 0);

  // Slots not yet delivered, and stones off the sheet, do not count.
  state = State(1, 1);
  state.stones[1] = {2.375f, 4.88f};
  EXPECT_EQ(GetScore(&state), 0);
  state.stones[0] = {0.0f, 0.0f};
  EXPECT_EQ(GetScore(&state), 0);
}

// The end's last stone, thrown away, then the end is scored as it lies.
GameState CloseEnd(uint8_t turnFlag, bool blank, int currentEnd = 3) {
  GameState state = State(15, turnFlag);
  state.currentEnd = currentEnd;
  for (int e = 0; e < 10; ++e) state.endScores[e] = 100 + e;
  if (!blank) {
    state.stones[0] = {2.375f, 4.88f};
    state.stones[1] = {2.375f, 5.5f};
    state.stones[2] = {2.0f, 5.0f};
    state.stones[3] = {3.5f, 4.88f};
  }
  Play(state, ShotVec{0.0f, 0.0f, 0, {}});
  return state;
}

TEST(EndClose, TheEndIsScoredAndTheScorerDeliversFirstNext) {
  // turnFlag 0 at shot 15: the first side of the game delivers the odd slots,
  // so the even slots' two stones count against it.
  GameState state = CloseEnd(0, false);
  EXPECT_EQ(state.endScores[3], -2);
  EXPECT_EQ(state.turnFlag, 1);
  state = CloseEnd(1, false);
  EXPECT_EQ(state.endScores[3], 2);
  EXPECT_EQ(state.turnFlag, 0);
  EXPECT_EQ(state.currentEnd, 4);
  EXPECT_EQ(state.shotNumber, 0);
  for (const StonePos& p : state.stones) EXPECT_TRUE(IsOff(p));
  for (int e = 0; e < 10; ++e) {
    if (e != 3) {
      EXPECT_EQ(state.endScores[e], 100 + e);
    }
  }
  // After a blank end the side that delivered first does so again.
  state = CloseEnd(0, true);
  EXPECT_EQ(state.endScores[3], 0);
  EXPECT_EQ(state.turnFlag, 1);
  state = CloseEnd(1, true);
  EXPECT_EQ(state.turnFlag, 0);
}

TEST(EndClose, ScoresAreNeverWrittenOutsideTheTenEnds) {
  GameState state = CloseEnd(1, false, 9);
  EXPECT_EQ(state.endScores[9], 2);
  EXPECT_EQ(state.currentEnd, 10);
  for (int currentEnd : {10, 11, -1}) {
    state = CloseEnd(1, false, currentEnd);
    for (int e = 0; e < 10; ++e) EXPECT_EQ(state.endScores[e], 100 + e);
    EXPECT_EQ(state.currentEnd, currentEnd + 1);
    EXPECT_EQ(state.turnFlag, 0);  // still the hammer rule
    EXPECT_EQ(state.shotNumber, 0);
  }
}

TEST(Turns, TheTurnPassesAfterEveryDeliveryAndLastEndIsKept) {
  GameState state = State(0, 0);
  state.lastEnd = 7;
  state.padding[0] = 0x33;
  for (int shot = 0; shot < 15; ++shot) {
    EXPECT_EQ(state.turnFlag, shot % 2);
    Play(state, DrawTo(1.0f + 0.15f * shot, 8.0f, shot % 2));
  }
  EXPECT_EQ(state.lastEnd, 7);
  EXPECT_EQ(state.padding[0], 0x33);
  state = State(3, 5);
  Play(state, DrawTo(2.0f, 8.0f, 0));
  EXPECT_EQ(state.turnFlag, 0);
}

}  // namespace
