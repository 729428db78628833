// What a delivery reports beyond the new position: the release it executed
// and the position it settled in before an end's close.
#include "simulator/delivery.h"

#include <cstring>

#include <gtest/gtest.h>

#include "simulator/execution_error.h"
#include "tests/simulator/test_support.h"

namespace {

using simtest::DrawTo;
using simtest::SameBytes;
using simtest::State;

TEST(Delivery, ReportsTheReleaseItExecuted) {
  const ShotVec shot = DrawTo(2.2f, 5.0f, 1);
  GameState state = State(0);
  SimulationReport report{};
  ASSERT_EQ(sim::SimulateShot(&state, shot, 0.0f, &report), kSimOk);
  EXPECT_EQ(report.executedVx, static_cast<double>(shot.vx));
  EXPECT_EQ(report.executedVy, static_cast<double>(shot.vy));

  // With error, the release is the one drawn from the thread's generator.
  SeedSimulator(17);
  const sim::Vec2 drawn = sim::PerturbRelease({shot.vx, shot.vy}, 0.3f);
  SeedSimulator(17);
  state = State(0);
  ASSERT_EQ(sim::SimulateShot(&state, shot, 0.3f, &report), kSimOk);
  EXPECT_EQ(report.executedVx, drawn.x);
  EXPECT_EQ(report.executedVy, drawn.y);
  // A throw beyond any human speed is executed at the library's limit.
  state = State(0);
  ASSERT_EQ(sim::SimulateShot(&state, ShotVec{0.0f, -40.0f, 0, {}}, 0.0f, &report), kSimOk);
  EXPECT_DOUBLE_EQ(report.executedVy, -12.0);
}

TEST(Delivery, ReportsThePositionBeforeTheEndIsClosed) {
  SeedSimulator(5);
  GameState state = State(0, 1);
  state.currentEnd = 2;
  for (int shot = 0; shot < 16; ++shot) {
    SimulationReport report{};
    GameState viaExport = state;
    SeedSimulator(100 + shot);
    ASSERT_EQ(Simulation(&viaExport, DrawTo(2.0f + 0.05f * shot, 4.9f, shot % 2), 0.3f, 0, -1),
              kSimOk);
    SeedSimulator(100 + shot);
    ASSERT_EQ(sim::SimulateShot(&state, DrawTo(2.0f + 0.05f * shot, 4.9f, shot % 2), 0.3f, &report),
              kSimOk);
    // The same delivery as the export gives.
    ASSERT_TRUE(SameBytes(state, viaExport));
    if (shot < 15) {
      EXPECT_TRUE(SameBytes(report.after, state));
    } else {
      EXPECT_EQ(state.shotNumber, 0);
      EXPECT_EQ(report.after.shotNumber, 16);
      EXPECT_EQ(report.after.currentEnd, 2);
      EXPECT_EQ(GetScore(&report.after), state.endScores[2]);
      EXPECT_NE(GetScore(&report.after), 0);
      int inPlay = 0;
      for (const StonePos& p : report.after.stones) inPlay += !simtest::IsOff(p);
      EXPECT_GT(inPlay, 8);
    }
  }
  // Refused like the export, the report untouched.
  SimulationReport untouched{};
  untouched.executedVx = 1.0;
  untouched.executedVy = 2.0;
  GameState bad = State(16);
  EXPECT_EQ(sim::SimulateShot(&bad, DrawTo(2.0f, 5.0f, 0), 0.3f, &untouched),
            kSimShotNumberOutOfRange);
  EXPECT_EQ(untouched.executedVx, 1.0);
  EXPECT_EQ(sim::SimulateShot(nullptr, DrawTo(2.0f, 5.0f, 0), 0.3f, &untouched), kSimNullPointer);
}

}  // namespace
