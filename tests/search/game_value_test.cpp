// The value of an end's score for the game, and the lead a player infers
// from the hammer and the positions it saw.

#include "search/strong/game_value.h"

#include <numeric>

#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "engine/library_binding.h"

using namespace engine;
using namespace search::strong;

namespace {

const EndScoreFrequencies& Frequencies() {
  return MeasuredEndScoreFrequencies();
}

double ValueOf(const EndValues& values, int score) {
  return values[score + kMaxEndScore];
}

TEST(GameValue, FrequenciesAreADistribution) {
  const EndScoreFrequencies& f = Frequencies();
  EXPECT_NEAR(std::accumulate(f.begin(), f.end(), 0.0), 1.0, 1e-9);
  for (const double p : f) EXPECT_GE(p, 0.0);
}

TEST(GameValue, InTheLastEndOnlyWinningCounts) {
  // Level in the last of eight ends, with the hammer.
  const EndValues values = EndValuesFor(GameSituation{7, 7, 0, true}, Frequencies());
  EXPECT_EQ(ValueOf(values, 1), 1.0);
  EXPECT_EQ(ValueOf(values, 4), 1.0);
  EXPECT_EQ(ValueOf(values, -1), 0.0);
  // A blank goes to an extra end with the hammer kept: better than even.
  EXPECT_GT(ValueOf(values, 0), 0.5);
  EXPECT_LT(ValueOf(values, 0), 1.0);
  // Without the hammer the extra end is the other side's.
  const EndValues without = EndValuesFor(GameSituation{7, 7, 0, false}, Frequencies());
  EXPECT_NEAR(ValueOf(without, 0), 1.0 - ValueOf(values, 0), 1e-12);
  // Two down: one point only ties, and hands the hammer over.
  const EndValues behind = EndValuesFor(GameSituation{7, 7, -2, true}, Frequencies());
  EXPECT_EQ(ValueOf(behind, 1), 0.0);
  EXPECT_GT(ValueOf(behind, 2), 0.0);
  EXPECT_LT(ValueOf(behind, 2), 0.5);
  EXPECT_EQ(ValueOf(behind, 3), 1.0);
}

TEST(GameValue, TheTenthEndIsTheLastThereIs) {
  const EndValues values = EndValuesFor(GameSituation{9, 7, 0, true}, Frequencies());
  EXPECT_EQ(ValueOf(values, 0), 0.5);
  EXPECT_EQ(ValueOf(values, 1), 1.0);
}

TEST(GameValue, TheHammerIsWorthSomethingAndBlanksKeepIt) {
  EXPECT_GT(WinChance(0, 7, 0, true, Frequencies()), 0.5);
  EXPECT_NEAR(WinChance(0, 7, 0, true, Frequencies()) + WinChance(0, 7, 0, false, Frequencies()),
              1.0, 1e-12);
  // Level with the hammer before the last end: a blank is worth more than
  // one point that gives the hammer away.
  const EndValues values = EndValuesFor(GameSituation{6, 7, 0, true}, Frequencies());
  EXPECT_GT(ValueOf(values, 0), ValueOf(values, 1));
  for (int s = -kMaxEndScore; s < kMaxEndScore; ++s) {
    if (s == 0 || s == 1) continue;
    EXPECT_LE(ValueOf(values, s), ValueOf(values, s + 1)) << s;
  }
}

class InferredLead : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BindSimulator()); }

  // Side B's view: it delivers odd stones while it has the hammer.
  static GameState At(int end, int shotNumber) {
    GameState state{};
    state.currentEnd = end;
    state.shotNumber = shotNumber;
    state.lastEnd = 7;
    state.turnFlag = 1;
    return state;
  }
};

TEST_F(InferredLead, TheHammerTellsWhoScoredAndThePositionHowMuch) {
  ScoreMemory memory;
  // Side B with the hammer, its stones 13 and 11 nearest the tee.
  GameState last = At(0, 15);
  last.stones[13] = StonePos{2.375f, 4.9f};
  last.stones[11] = StonePos{2.5f, 5.1f};
  last.stones[12] = StonePos{3.3f, 4.2f};
  EXPECT_EQ(InferLead(memory, At(0, 1), false), 0);
  EXPECT_EQ(InferLead(memory, last, false), 0);
  // It delivers first in end 1: it scored, two as far as it saw.
  EXPECT_EQ(InferLead(memory, At(1, 0), false), 2);

  // Without the hammer in end 1, again without it in end 2: a blank or a
  // steal; an empty house says blank.
  EXPECT_EQ(InferLead(memory, At(1, 14), false), 2);
  EXPECT_EQ(InferLead(memory, At(2, 0), false), 2);
  // With the hammer in end 3: the other side scored, at least one.
  EXPECT_EQ(InferLead(memory, At(3, 1), false), 1);
  // An earlier end: a new game.
  EXPECT_EQ(InferLead(memory, At(0, 0), false), 0);
}

}  // namespace
