#include <cstring>
#include <stdexcept>

#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "search/playout_task.h"
#include "search/search.h"
#include "tests/search/fake_simulator.h"
#include "tests/state_bytes.h"

namespace {

class RandomPlayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseFakeSimulator();
    isSecondPlayer = false;
    gameState = GameState{};
  }
  void TearDown() override { isSecondPlayer = false; }
};

TEST_F(RandomPlayoutTest, PlaysTheShotsLeftInTheEnd) {
  struct Case {
    int32_t shotNumber;
    uint64_t shots;
  };
  for (const Case c : {Case{0, 0}, Case{1, 15}, Case{15, 1}, Case{16, 0}, Case{-1, 0},
                       Case{INT32_MIN, 0}, Case{8, 8}}) {
    gameState = GameState{};
    gameState.shotNumber = c.shotNumber;
    gameState.currentEnd = 3;
    fakeDeliveries = 0;
    RandomPlayout();
    EXPECT_EQ(fakeDeliveries, c.shots) << "from shot " << c.shotNumber;
  }
}

TEST_F(RandomPlayoutTest, ScoreIsTheClosedEndsForThisPlayer) {
  fakeEndScore = 2;
  gameState.shotNumber = 15;
  gameState.currentEnd = 4;
  EXPECT_EQ(RandomPlayout(), 2);
  EXPECT_EQ(gameState.currentEnd, 5);
  EXPECT_EQ(gameState.shotNumber, 0);

  isSecondPlayer = true;
  gameState = GameState{};
  gameState.shotNumber = 15;
  gameState.currentEnd = 4;
  EXPECT_EQ(RandomPlayout(), -2);

  // Already closed: the end just finished is read as it stands.
  gameState = GameState{};
  gameState.currentEnd = 7;
  gameState.endScores[6] = 3;
  EXPECT_EQ(RandomPlayout(), -3);
}

TEST_F(RandomPlayoutTest, EndOutsideTheTenRecordedScoresCountsZero) {
  // Closing end 10 or later leaves no score in the record to read; neither
  // does an end number that has gone negative.
  fakeEndScore = 5;
  for (const int32_t end : {10, 11, -1, INT32_MIN + 1}) {
    gameState = GameState{};
    for (int32_t& score : gameState.endScores) score = 7;
    gameState.shotNumber = 15;
    gameState.currentEnd = end;
    EXPECT_EQ(RandomPlayout(), 0) << "end " << end;
  }
  gameState = GameState{};
  gameState.shotNumber = 15;
  gameState.currentEnd = 9;
  EXPECT_EQ(RandomPlayout(), 5);
}

int ThrowingPlayout() {
  gameState.shotNumber = 99;
  throw std::runtime_error("playout failed");
}

int MarkingPlayout() {
  gameState.stones[0].x = 42.0f;
  return gameState.currentEnd;
}

TEST_F(RandomPlayoutTest, TaskOnTheSearchThreadLeavesItsPositionAlone) {
  GameState own{};
  std::memset(&own, 0x3C, sizeof own);
  gameState = own;
  GameState position{};
  position.currentEnd = 6;
  EXPECT_EQ(PlayoutFromPosition(position, MarkingPlayout), 6);
  EXPECT_EQ(BytesOf(gameState), BytesOf(own));
  EXPECT_THROW(PlayoutFromPosition(position, ThrowingPlayout), std::runtime_error);
  EXPECT_EQ(BytesOf(gameState), BytesOf(own));
}

}  // namespace
