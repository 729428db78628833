// Execution error: calibrated, reproducible under a seed, and private to each
// thread.
#include <cmath>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "simulator/curling_api.h"
#include "tests/simulator/test_support.h"

namespace {

using simtest::DrawTo;
using simtest::SameBytes;
using simtest::State;

struct Spread {
  double meanX, meanY, sdX, sdY;
};

Spread DrawSpread(float noise, int count) {
  const ShotVec shot = DrawTo(2.375f, 4.88f, 0);
  double sx = 0, sy = 0, sxx = 0, syy = 0;
  int n = 0;
  for (int i = 0; i < count; ++i) {
    GameState state = State(0);
    Simulation(&state, shot, noise, 0, -1);
    const StonePos p = state.stones[0];
    if (simtest::IsOff(p)) continue;
    sx += p.x;
    sy += p.y;
    sxx += p.x * p.x;
    syy += p.y * p.y;
    ++n;
  }
  const double mx = sx / n;
  const double my = sy / n;
  return {mx, my, std::sqrt(sxx / n - mx * mx), std::sqrt(syy / n - my * my)};
}

TEST(Noise, ADrawAtTheSearchsNoiseSpreadsLikeAGoodPlayer) {
  SeedSimulator(2024);
  const Spread s = DrawSpread(0.3f, 4000);
  EXPECT_NEAR(s.meanX, 2.375, 0.1);
  EXPECT_NEAR(s.meanY, 4.88, 0.1);
  EXPECT_GT(s.sdY, 0.2);
  EXPECT_LT(s.sdY, 0.6);
  EXPECT_GT(s.sdX, 0.1);
  EXPECT_LT(s.sdX, 0.4);
  // The spread grows with the noise.
  const Spread low = DrawSpread(0.1f, 2000);
  const Spread high = DrawSpread(0.6f, 2000);
  EXPECT_LT(low.sdY, s.sdY);
  EXPECT_LT(s.sdY, high.sdY);
  EXPECT_LT(low.sdX, s.sdX);
  EXPECT_LT(s.sdX, high.sdX);
}

// A sequence of noisy shots into a filling house, from a given seed.
GameState PlayEnd(uint64_t seed) {
  SeedSimulator(seed);
  GameState state = State(0);
  for (int shot = 0; shot < 15; ++shot) {
    Simulation(&state, DrawTo(1.9f + 0.06f * shot, 5.5f, shot % 2), 0.3f, 0, -1);
  }
  return state;
}

TEST(Noise, NoNoiseIsDeterministicAndASeedReplaysExactly) {
  GameState a = State(2);
  a.stones[0] = {2.3f, 5.0f};
  a.stones[1] = {2.5f, 6.5f};
  GameState b = a;
  const ShotVec shot = simtest::HitAt(2.3f, 5.0f, 1, 9.0f);
  Simulation(&a, shot, 0.0f, 0, -1);
  Simulation(&b, shot, 0.0f, 0, -1);
  EXPECT_TRUE(SameBytes(a, b));

  EXPECT_TRUE(SameBytes(PlayEnd(11), PlayEnd(11)));
  EXPECT_FALSE(SameBytes(PlayEnd(11), PlayEnd(12)));
  // Every call draws fresh error.
  SeedSimulator(3);
  GameState first = State(0);
  GameState second = State(0);
  Simulation(&first, shot, 0.3f, 0, -1);
  Simulation(&second, shot, 0.3f, 0, -1);
  EXPECT_FALSE(SameBytes(first, second));
}

TEST(Noise, EightThreadsAtOnceGiveWhatOneThreadGives) {
  constexpr int kThreads = 8;
  std::vector<GameState> alone(kThreads);
  for (int t = 0; t < kThreads; ++t) alone[t] = PlayEnd(1000 + t);
  std::vector<GameState> together(kThreads);
  std::vector<std::thread> threads;
  threads.reserve(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &together] { together[t] = PlayEnd(1000 + t); });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_TRUE(SameBytes(alone[t], together[t])) << t;
}

}  // namespace
