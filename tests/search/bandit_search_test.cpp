#include <cstring>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "search/search.h"
#include "search/search_settings.h"
#include "tests/search/fake_simulator.h"
#include "tests/state_bytes.h"

using namespace engine;
using namespace search;

namespace {

// A clock that reads out a script, repeating its last entry.
std::vector<uint64_t> clockScript;
size_t clockReads = 0;

uint64_t ScriptedClock() {
  const size_t at = clockReads < clockScript.size() ? clockReads : clockScript.size() - 1;
  ++clockReads;
  return clockScript[at];
}

uint32_t nextSeed = 1;
uint32_t CountingSeed() {
  return nextSeed++;
}

int ZeroPlayout() {
  return 0;
}

// The shot number the playout found: it tells whether it started from the
// position right after one execution of the candidate.
int ShotNumberPlayout() {
  return gameState.shotNumber;
}

SearchSettings TestSettings(std::vector<uint64_t> clock, int (*playout)(), uint32_t cap,
                            PlayoutLauncher launcher) {
  clockScript = std::move(clock);
  clockReads = 0;
  return SearchSettings{ScriptedClock, CountingSeed, playout, 0.95, cap, launcher};
}

GameState PatternState() {
  GameState state;
  std::memset(&state, 0, sizeof state);
  state.shotNumber = 5;
  state.currentEnd = 2;
  state.lastEnd = 9;
  for (int end = 0; end < 10; ++end) state.endScores[end] = end % 3 - 1;
  state.turnFlag = 1;
  std::memset(state.padding, 0xC3, sizeof state.padding);
  for (int k = 0; k < 5; ++k) state.stones[k] = StonePos{1.5f + 0.2f * k, 5.0f + 0.3f * k};
  return state;
}

class BanditSearch : public ::testing::TestWithParam<PlayoutLauncher> {
 protected:
  void SetUp() override {
    UseFakeSimulator();
    gameState = PatternState();
  }
};

TEST_P(BanditSearch, EveryPlayoutStartsFromOneExecutionAndThePositionIsRestored) {
  const GameState before = gameState;
  ShotVec out{};
  BanditRunReport report{};
  const double value = RunBanditSearchWithSettings(
      TestSettings({0}, ShotNumberPlayout, 40, GetParam()), &out, &report);
  EXPECT_EQ(BytesOf(gameState), BytesOf(before));
  EXPECT_EQ(report.iterations, 40u);
  EXPECT_EQ(report.playouts, 320u);
  EXPECT_EQ(fakeDeliveries, 320u);
  // All eight playouts of every iteration saw shot number 6.
  EXPECT_EQ(value, 6.0);
  EXPECT_GE(report.leader, 0);
  EXPECT_LT(report.leader, report.candidateCount);
}

// A score that depends on the shot the fake recorded in the playout's
// position, and on nothing else.
int ShotScorePlayout() {
  const float vx = gameState.stones[5].x;
  return static_cast<int>(vx * 37.0f) % 5 - 2;
}

TEST_P(BanditSearch, EveryLauncherComputesTheSameRun) {
  // With playouts that depend only on the shot, the run is a function of the
  // seeds: playing ahead on the pool must draw the generators as one after
  // another on the calling thread does, through exploration and past it.
  const auto runWith = [](PlayoutLauncher launcher) {
    nextSeed = 1;
    ShotVec out{};
    BanditRunReport report{};
    const double value = RunBanditSearchWithSettings(
        TestSettings({0}, ShotScorePlayout, 400, launcher), &out, &report);
    return std::tuple(value, out.vx, out.vy, out.spin, report.leader, report.iterations);
  };
  EXPECT_EQ(runWith(GetParam()), runWith(PlayoutLauncher::kInline));
}

INSTANTIATE_TEST_SUITE_P(Launchers, BanditSearch,
                         ::testing::Values(PlayoutLauncher::kAsync, PlayoutLauncher::kPool,
                                           PlayoutLauncher::kInline));

class BanditRun : public BanditSearch {};

TEST_F(BanditRun, StopsOnceMoreThan950MsHavePassed) {
  ShotVec out{};
  BanditRunReport report{};
  RunBanditSearchWithSettings(TestSettings({5000, 5951}, ZeroPlayout, 1500, PlayoutLauncher::kPool),
                              &out, &report);
  EXPECT_EQ(report.iterations, 1u);
  EXPECT_EQ(report.playouts, 8u);

  // 950 ms exactly is within the budget.
  RunBanditSearchWithSettings(
      TestSettings({5000, 5950, 5950, 5951}, ZeroPlayout, 1500, PlayoutLauncher::kPool), &out,
      &report);
  EXPECT_EQ(report.iterations, 3u);
  EXPECT_EQ(clockReads, 4u);
}

TEST_F(BanditRun, StopsAt1500IterationsWithinTheBudget) {
  ShotVec out{};
  BanditRunReport report{};
  RunBanditSearchWithSettings(TestSettings({100, 1050}, ZeroPlayout, 1500, PlayoutLauncher::kPool),
                              &out, &report);
  EXPECT_EQ(report.iterations, 1500u);
  EXPECT_EQ(report.playouts, 12000u);
  // Every mean is 0: the first scan makes candidate 0 the leader for good,
  // and its shot is the answer (the fake draw echoes the tee).
  EXPECT_EQ(report.leader, 0);
  EXPECT_EQ(out.vx, 2.375f);
  EXPECT_EQ(out.vy, 4.88f);
  EXPECT_EQ(out.spin, 0);
}

int NegativePlayout() {
  return -1;
}

TEST_F(BanditRun, NegativeFirstResultLeavesAnUntriedCandidateInTheLead) {
  ShotVec out{};
  BanditRunReport report{};
  const double value = RunBanditSearchWithSettings(
      TestSettings({0, 10000}, NegativePlayout, 1500, PlayoutLauncher::kPool), &out, &report);
  EXPECT_EQ(report.iterations, 1u);
  EXPECT_EQ(value, 0.0);
  EXPECT_LE(report.leader, 1);
  ASSERT_GE(report.candidateCount, 2);
}

}  // namespace
