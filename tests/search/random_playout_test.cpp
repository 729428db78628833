#include <cstring>
#include <random>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/first_draws.h"
#include "search/playout_task.h"
#include "search/search.h"
#include "search/simulate_shot.h"
#include "tests/search/fake_simulator.h"
#include "tests/state_bytes.h"

using namespace candidates;
using namespace engine;
using namespace search;

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

// The playout as it was first written: the whole list of each position, then
// the entry at the generator's draw modulo its length.
int ListPlayout(uint32_t seed) {
  std::mt19937 generator(seed);
  static ShotCandidate list[kCandidateCapacity];
  while (gameState.shotNumber > 0 && gameState.shotNumber < 16) {
    const int count = GenerateCandidates(list);
    ShotVec delivery{};
    MakeCandidateShot(list[generator() % static_cast<uint32_t>(count)], &delivery);
    SimulateShot(gameState, delivery);
  }
  return gameState.endScores[gameState.currentEnd - 1];
}

GameState MidEndPosition(int shotNumber) {
  GameState state{};
  state.shotNumber = shotNumber;
  state.currentEnd = 2;
  const StonePos stones[9] = {{2.2f, 4.8f},   {2.45f, 6.3f}, {2.91f, 4.41f},
                              {1.8f, 3.9f},   {2.36f, 8.1f}, {2.6f, 5.02f},
                              {1.52f, 4.75f}, {3.3f, 5.55f}, {2.05f, 5.95f}};
  for (int i = 0; i < 9 && i < shotNumber; ++i) state.stones[i] = stones[i];
  return state;
}

TEST_F(RandomPlayoutTest, PicksTheShotsOfTheListBasedPlayout) {
  // The fake physics records each delivered shot in the stone of its slot, so
  // equal records mean equal shots, one after another, from the same seed.
  for (const int shotNumber : {1, 6, 9, 15}) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      gameState = MidEndPosition(shotNumber);
      const int score = SeededRandomPlayout(seed);
      const GameState played = gameState;
      gameState = MidEndPosition(shotNumber);
      EXPECT_EQ(score, ListPlayout(seed));
      ASSERT_EQ(BytesOf(played), BytesOf(gameState))
          << "from shot " << shotNumber << ", seed " << seed;
    }
  }
}

TEST_F(RandomPlayoutTest, LastShotIsAnyCandidateWithTheChanceOfTheDraw) {
  // From the last shot of the end, a seed plays the k-th candidate when the
  // first draw of its generator is k modulo the count: over many seeds every
  // candidate is played, each exactly as often as its residue comes up.
  gameState = MidEndPosition(15);
  static ShotCandidate list[kCandidateCapacity];
  const auto count = static_cast<uint32_t>(GenerateCandidates(list));
  ASSERT_GT(count, 100u);
  std::vector<ShotVec> shots(count);
  for (uint32_t k = 0; k < count; ++k) MakeCandidateShot(list[k], &shots[k]);
  std::vector<int> played(count, 0);
  std::vector<int> drawn(count, 0);
  constexpr uint32_t kSeeds = 12000;
  for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
    gameState = MidEndPosition(15);
    SeededRandomPlayout(seed);
    const uint32_t k = std::mt19937(seed)() % count;
    ++drawn[k];
    // The fake records the delivered shot's velocity as the stone of slot 15.
    if (gameState.stones[15].x == shots[k].vx && gameState.stones[15].y == shots[k].vy) {
      ++played[k];
    }
  }
  EXPECT_EQ(played, drawn);
  for (uint32_t k = 0; k < count; ++k) EXPECT_GT(played[k], 0) << "candidate " << k;
}

TEST(FirstDrawsTest, SameDrawsAsTheStandardEngine) {
  std::mt19937 seeds(99);
  std::vector<uint32_t> all = {0, 1, 2, 5489, 0x7fffffffU, 0x80000000U, UINT32_MAX};
  for (int i = 0; i < 2000; ++i) all.push_back(seeds());
  for (const uint32_t seed : all) {
    std::mt19937 standard(seed);
    FirstDraws first(seed);
    for (int k = 0; k < FirstDraws::kMaxDraws; ++k) {
      ASSERT_EQ(first(), standard()) << "seed " << seed << ", draw " << k;
    }
  }
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
