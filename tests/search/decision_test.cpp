// Whole decisions with the real simulator library and candidate generator.

#include <cmath>

#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/reference_player.h"
#include "search/search.h"
#include "search/search_settings.h"
#include "tests/state_bytes.h"

using namespace engine;
using namespace search;

namespace {

class Decision : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BindSimulator()); }
  void TearDown() override { isSecondPlayer = false; }
};

// Mid-end: guards, stones in the house and one stone out of play.
GameState MidEndPosition() {
  GameState state{};
  state.shotNumber = 8;
  state.currentEnd = 3;
  state.lastEnd = 9;
  state.endScores[0] = 1;
  state.endScores[1] = -2;
  state.turnFlag = 0;
  const StonePos stones[8] = {{2.3f, 7.2f}, {2.6f, 7.6f}, {2.4f, 4.7f}, {2.0f, 5.3f},
                              {0.0f, 0.0f}, {2.9f, 4.2f}, {2.2f, 6.0f}, {1.6f, 8.3f}};
  for (int k = 0; k < 8; ++k) state.stones[k] = stones[k];
  return state;
}

bool Legal(const ShotVec& shot) {
  return std::isfinite(shot.vx) && std::isfinite(shot.vy) &&
         std::hypot(static_cast<double>(shot.vx), static_cast<double>(shot.vy)) <= 8.0 &&
         shot.spin <= 1;
}

TEST_F(Decision, WholeDecisionReturnsALegalShotAndKeepsTheRecord) {
  // The record the player is asked about, and one it is not asked about.
  gameState = MidEndPosition();
  const GameState before = gameState;
  ReferencePlayer player;
  EXPECT_TRUE(Legal(player.Decide(gameState, 500)));
  EXPECT_EQ(BytesOf(gameState), BytesOf(before));
  GameState other = MidEndPosition();
  other.shotNumber = 9;
  other.turnFlag = 1;
  EXPECT_TRUE(Legal(player.Decide(other, 500)));
  EXPECT_EQ(BytesOf(gameState), BytesOf(before));
}

TEST_F(Decision, TheTimeIsSharedAmongTheRunsAndASeedSeedsEveryGenerator) {
  const SearchSettings shipped = ShippedSearchSettings();
  const ReferencePlayer fresh;
  SearchSettings settings = fresh.SettingsFor(kDefaultDecisionMs);
  EXPECT_EQ(settings.budgetSeconds, shipped.budgetSeconds);
  EXPECT_EQ(settings.makeSeed, shipped.makeSeed);
  EXPECT_EQ(settings.playout, shipped.playout);
  // A tenth of the time: each of the five runs gets a tenth of 0.95 s.
  const ReferencePlayer seeded(ReferenceOptions{true, 3});
  settings = seeded.SettingsFor(475);
  EXPECT_NEAR(settings.budgetSeconds, 0.095, 1e-12);
  EXPECT_EQ(settings.iterationCap, shipped.iterationCap);
  EXPECT_NE(settings.makeSeed, shipped.makeSeed);
  EXPECT_EQ(settings.playout, PositionSeededPlayout);
}

uint64_t FrozenClock() {
  return 0;
}

TEST_F(Decision, LastStoneAgainstAStoneOnTheButtonWinsTheEnd) {
  // This player delivers the odd stones of end 0 and plays shot 15; the
  // opponent's stone 14 sits on the button, every other stone is out of play.
  isSecondPlayer = true;
  GameState position{};
  position.shotNumber = 15;
  position.lastEnd = 9;
  position.turnFlag = 1;
  position.stones[14] = StonePos{2.375f, 4.88f};

  // Every run gets its full 1500 iterations, however fast the machine is.
  SearchSettings settings = ShippedSearchSettings();
  settings.readClockMs = FrozenClock;
  constexpr int kDecisions = 3;
  int won = 0;
  for (int decision = 0; decision < kDecisions; ++decision) {
    gameState = position;
    ShotVec shot{};
    EnsembleSearchWith(settings, &shot);
    GameState replay = position;
    simulation(&replay, shot, 0.0f, 0, -1);
    ASSERT_EQ(replay.currentEnd, 1);
    // Scores count for the side that delivered first: this player won when negative.
    if (replay.endScores[0] < 0) ++won;
  }
  EXPECT_GE(won, 2) << "won " << won << " of " << kDecisions;
}

}  // namespace
