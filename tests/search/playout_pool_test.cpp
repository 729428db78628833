// The pool that plays the playouts of an iteration: every playout after its
// own execution of the shot, scores summed, failures passed on, and the
// calling thread's position left alone, whatever the number of workers.
#include "search/playout_pool.h"

#include <atomic>
#include <cstring>
#include <stdexcept>

#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "tests/search/fake_simulator.h"
#include "tests/state_bytes.h"

using namespace engine;
using namespace search;

namespace {

// The fake delivery puts the shot's vx into the stone of slot 5: the playout
// reads back which shot it follows and from which shot number.
int ShotPlayout() {
  return static_cast<int>(gameState.stones[5].x) * 100 + gameState.shotNumber;
}

std::atomic<int> calls{0};

int SometimesThrowingPlayout() {
  if (++calls % 3 == 0) throw std::runtime_error("playout failed");
  return 1;
}

GameState Start() {
  GameState state{};
  state.shotNumber = 5;
  state.currentEnd = 1;
  return state;
}

class PoolTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { UseFakeSimulator(); }
};

TEST_P(PoolTest, EveryPlayoutFollowsOneExecutionOfTheShot) {
  PlayoutPool pool(GetParam());
  GameState own{};
  std::memset(&own, 0x3C, sizeof own);
  gameState = own;
  for (int batch = 1; batch <= 20; ++batch) {
    const ShotVec shot{static_cast<float>(batch), -2.0f, 0, {0, 0, 0}};
    EXPECT_EQ(pool.PlayBatch(Start(), shot, ShotPlayout, 8), 8 * (batch * 100 + 6));
  }
  EXPECT_EQ(fakeDeliveries, 160u);
  EXPECT_EQ(BytesOf(gameState), BytesOf(own));
}

TEST_P(PoolTest, FailedPlayoutsReachTheCallerAndThePoolGoesOn) {
  PlayoutPool pool(GetParam());
  calls = 0;
  const ShotVec shot{1.0f, -2.0f, 0, {0, 0, 0}};
  EXPECT_THROW(pool.PlayBatch(Start(), shot, SometimesThrowingPlayout, 8), std::runtime_error);
  // Every playout of the failed batch ran all the same.
  EXPECT_EQ(calls, 8);
  EXPECT_EQ(pool.PlayBatch(Start(), shot, ShotPlayout, 4), 4 * 106);
  EXPECT_EQ(pool.PlayBatch(Start(), shot, ShotPlayout, 0), 0);
}

TEST_P(PoolTest, TwoBatchesWaitAndAreCollectedInOrder) {
  PlayoutPool pool(GetParam());
  const ShotVec first{1.0f, -2.0f, 0, {0, 0, 0}};
  const ShotVec second{2.0f, -2.0f, 0, {0, 0, 0}};
  pool.Submit(Start(), first, ShotPlayout, 8);
  pool.Submit(Start(), second, ShotPlayout, 5);
  EXPECT_THROW(pool.Submit(Start(), first, ShotPlayout, 1), std::logic_error);
  EXPECT_EQ(pool.Collect(), 8 * 106);
  // A failure in the later batch belongs to that batch alone.
  calls = 0;
  pool.Submit(Start(), first, SometimesThrowingPlayout, 3);
  EXPECT_EQ(pool.Collect(), 5 * 206);
  EXPECT_THROW(pool.Collect(), std::runtime_error);
  EXPECT_THROW(pool.Collect(), std::logic_error);
  EXPECT_EQ(fakeDeliveries, 16u);
}

TEST_P(PoolTest, DroppedBatchStartsNothingMoreAndHidesItsFailures) {
  PlayoutPool pool(GetParam());
  calls = 0;
  const ShotVec shot{1.0f, -2.0f, 0, {0, 0, 0}};
  pool.Submit(Start(), shot, SometimesThrowingPlayout, 8);
  pool.Submit(Start(), shot, ShotPlayout, 3);
  pool.Drop();
  // Workers may have started some of the dropped playouts, never all of
  // them and the next batch's too.
  EXPECT_LE(calls, GetParam() == 0 ? 0 : 8);
  const int dropped = calls;
  EXPECT_EQ(pool.Collect(), 3 * 106);
  EXPECT_EQ(calls, dropped);
  EXPECT_THROW(pool.Drop(), std::logic_error);
}

INSTANTIATE_TEST_SUITE_P(Workers, PoolTest, ::testing::Values(0, 1, 3));

}  // namespace
