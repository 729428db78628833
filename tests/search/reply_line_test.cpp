// The values the stronger search gives positions it does not play out: the
// standing of an end and a line of replies, with the real simulator library.

#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "engine/simulator.h"
#include "search/strong/game_value.h"
#include "search/strong/replies.h"
#include "search/strong/standing_value.h"

namespace {

class ReplyLine : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BindSimulator()); }
};

// The last end of two, level: any score decides the game.
EndValues LastEndValues(bool hammer) {
  return EndValuesFor(GameSituation{1, 1, 0, hammer}, MeasuredEndScoreFrequencies());
}

// Side B, the hammer, is about to deliver the end's last stone (turnFlag 1).
GameState BeforeTheLastStone() {
  GameState state{};
  state.shotNumber = 15;
  state.currentEnd = 1;
  state.lastEnd = 1;
  state.turnFlag = 1;
  return state;
}

constexpr StonePos kButton{2.375f, 4.88f};
constexpr StonePos kEightFoot{2.375f, 5.9f};

TEST_F(ReplyLine, TheStandingRanksPositionsByWhoLiesShotForEitherSide) {
  const EndValues forB = LastEndValues(true);
  const EndValues forA = LastEndValues(false);
  GameState bLies = BeforeTheLastStone();
  bLies.stones[13] = kButton;  // odd slots: side B, the hammer
  GameState aLiesOne = BeforeTheLastStone();
  aLiesOne.stones[14] = kButton;
  GameState aLiesTwo = aLiesOne;
  aLiesTwo.stones[12] = kEightFoot;
  const bool sideA = true;
  EXPECT_GT(StandingValue(bLies, forB, !sideA), StandingValue(aLiesOne, forB, !sideA));
  EXPECT_GT(StandingValue(aLiesOne, forB, !sideA), StandingValue(aLiesTwo, forB, !sideA));
  EXPECT_LT(StandingValue(bLies, forA, sideA), StandingValue(aLiesOne, forA, sideA));
  EXPECT_LT(StandingValue(aLiesOne, forA, sideA), StandingValue(aLiesTwo, forA, sideA));
  for (const GameState& position : {bLies, aLiesOne, aLiesTwo}) {
    EXPECT_GT(StandingValue(position, forB, !sideA), 0.0);
    EXPECT_LT(StandingValue(position, forB, !sideA), 1.0);
  }
}

TEST_F(ReplyLine, AClosedEndIsWorthExactlyItsScore) {
  const EndValues values = LastEndValues(true);
  GameState position = BeforeTheLastStone();
  position.stones[14] = StonePos{3.2f, 4.88f};  // beside the tee, out of the throw's way
  // Through the house: side A's stone stays and steals one.
  simulation(&position, ThroughTheHouse(), 0.0f, 0, -1);
  ASSERT_EQ(position.shotNumber, 0);
  ASSERT_EQ(ClosedEndScore(position, false), -1);
  EXPECT_EQ(StandingValue(position, values, false), values[kMaxEndScore - 1]);
  // A line from a closed end has nothing to add.
  EXPECT_EQ(ReplyLineValue(position, values, false, 3), values[kMaxEndScore - 1]);
}

TEST_F(ReplyLine, TheLastStoneOfALineIsChosenForTheSideThatThrowsIt) {
  const EndValues values = LastEndValues(true);
  GameState position = BeforeTheLastStone();
  position.stones[14] = kButton;
  // Without a stone the line is the standing.
  EXPECT_EQ(ReplyLineValue(position, values, false, 0), StandingValue(position, values, false));
  ShotVec replies[kLastStoneReplyCapacity];
  const int count = ReplyShots(position, replies);
  double line = 0.0;
  double anyReply = 0.0;
  constexpr int kSeeds = 100;
  for (int seed = 0; seed < kSeeds; ++seed) {
    seedSimulator(static_cast<uint64_t>(seed));
    // The hammer answers the stone on the button and the end closes: the
    // value is one of the closed end's, however many stones are asked for.
    const double value = ReplyLineValue(position, values, false, 5);
    bool exact = false;
    for (const double v : values) exact = exact || v == value;
    EXPECT_TRUE(exact) << value;
    line += value;
    seedSimulator(static_cast<uint64_t>(seed));
    EXPECT_EQ(ReplyLineValue(position, values, false, 5), value) << "seed " << seed;
    for (int r = 0; r < count; ++r) {
      GameState after = position;
      SimulateShot(after, replies[r]);
      anyReply += values[ClosedEndScore(after, false) + kMaxEndScore] / count;
    }
  }
  // Picked for the hammer, the line does better for it than a reply taken at
  // random (0.48 against 0.39 here; picked against it, 0.22).
  EXPECT_GT(line / kSeeds, anyReply / kSeeds + 0.04);
}

}  // namespace
