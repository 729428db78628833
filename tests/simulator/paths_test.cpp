// The paths of a delivery: recorded without changing the delivery by a bit,
// continuous, ending where the stones came to rest, and refused without a
// trace when the caller's buffer is too small.
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "simulator/sheet.h"
#include "tests/simulator/test_support.h"

namespace {

using simtest::DrawTo;
using simtest::HitAt;
using simtest::SameBytes;
using simtest::State;

constexpr float kStep = 0.25f;

struct Traced {
  int result = 0;
  GameState state{};
  SimulationReport report{};
  DeliveryPaths paths{};
  std::vector<PathSample> samples;
};

Traced PlayTraced(const GameState& start, ShotVec shot, float noise, uint64_t seed) {
  Traced traced;
  traced.state = start;
  traced.samples.resize(4096);
  SeedSimulator(seed);
  traced.result = SimulationWithPaths(&traced.state, shot, noise, &traced.report, kStep,
                                      traced.samples.data(), 4096, &traced.paths);
  traced.samples.resize(static_cast<size_t>(traced.paths.sampleCount));
  return traced;
}

GameState GuardsAndHouse() {
  GameState state = State(6);
  const StonePos stones[6] = {{2.375f, 4.88f}, {3.0f, 5.6f}, {3.4f, 7.4f},
                              {2.9f, 4.5f},    {1.8f, 4.6f}, {1.2f, 6.4f}};
  for (int i = 0; i < 6; ++i) state.stones[i] = stones[i];
  return state;
}

TEST(Paths, TheDeliveryIsTheReportedOneBitForBit) {
  std::mt19937 random(5);
  std::uniform_real_distribution<float> across(1.2f, 3.5f);
  std::uniform_real_distribution<float> along(3.6f, 7.5f);
  for (int round = 0; round < 40; ++round) {
    const GameState start = GuardsAndHouse();
    const ShotVec shot =
        round % 2 == 0 ? DrawTo(across(random), along(random), static_cast<uint8_t>(round % 3))
                       : HitAt(across(random), along(random), 1, 4.0f + (round % 11));
    GameState plain = start;
    SimulationReport report{};
    SeedSimulator(static_cast<uint64_t>(round));
    ASSERT_EQ(SimulationWithReport(&plain, shot, 0.3f, &report), kSimOk);
    const Traced traced = PlayTraced(start, shot, 0.3f, static_cast<uint64_t>(round));
    ASSERT_EQ(traced.result, kSimOk);
    EXPECT_TRUE(SameBytes(plain, traced.state)) << round;
    EXPECT_TRUE(SameBytes(report.after, traced.report.after)) << round;
    EXPECT_EQ(report.executedVx, traced.report.executedVx);
    EXPECT_EQ(report.executedVy, traced.report.executedVy);
  }
}

TEST(Paths, EachMovedStoneRunsFromWhereItWasToWhereItRests) {
  // A firm hit on the stone on the tee: the shooter from the release, the
  // struck stone from its spot at the contact.
  const GameState start = GuardsAndHouse();
  const Traced traced = PlayTraced(start, HitAt(2.375f, 4.88f, 0, 9.0f), 0.0f, 1);
  ASSERT_EQ(traced.result, kSimOk);
  const StonePath& shooter = traced.paths.stones[6];
  const StonePath& struck = traced.paths.stones[0];
  ASSERT_GT(shooter.count, 2);
  ASSERT_GT(struck.count, 1);
  EXPECT_EQ(traced.paths.stones[2].count, 0);  // a guard out of the way
  const PathSample release = traced.samples[static_cast<size_t>(shooter.first)];
  EXPECT_EQ(release.time, 0.0f);
  EXPECT_FLOAT_EQ(release.x, static_cast<float>(kReleaseX));
  EXPECT_FLOAT_EQ(release.y, static_cast<float>(kReleaseY));
  const PathSample contact = traced.samples[static_cast<size_t>(struck.first)];
  EXPECT_FLOAT_EQ(contact.x, 2.375f);
  EXPECT_FLOAT_EQ(contact.y, 4.88f);
  EXPECT_GT(contact.time, 5.0f);

  int32_t next = 0;
  for (int slot = 0; slot < 16; ++slot) {
    const StonePath& path = traced.paths.stones[slot];
    if (path.count == 0) continue;
    EXPECT_EQ(path.first, next) << slot;  // one after the other, no gaps
    next = path.first + path.count;
    for (int k = path.first + 1; k < next; ++k) {
      const PathSample a = traced.samples[static_cast<size_t>(k - 1)];
      const PathSample b = traced.samples[static_cast<size_t>(k)];
      ASSERT_GT(b.time, a.time) << slot;
      EXPECT_LE(b.time - a.time, kStep * 1.0001f) << slot;
      // No jumps: a stone covers at most its release speed's worth per step.
      EXPECT_LT(std::hypot(b.x - a.x, b.y - a.y), 4.0 * (b.time - a.time) + 1e-4) << slot;
    }
    const PathSample last = traced.samples[static_cast<size_t>(next - 1)];
    const StonePos rest = traced.report.after.stones[slot];
    if (path.leftPlay != 0) {
      EXPECT_TRUE(simtest::IsOff(rest)) << slot;
    } else {
      EXPECT_NEAR(last.x, rest.x, 1e-5) << slot;
      EXPECT_NEAR(last.y, rest.y, 1e-5) << slot;
    }
  }
  EXPECT_EQ(next, traced.paths.sampleCount);
  EXPECT_TRUE(simtest::IsOff(traced.state.stones[0]));  // taken out
  EXPECT_EQ(struck.leftPlay, 1);
}

TEST(Paths, ASmallBufferIsRefusedWithTheSizeItNeedsAndChangesNothing) {
  const GameState start = GuardsAndHouse();
  const ShotVec shot = DrawTo(2.3f, 4.7f, 1);
  const Traced full = PlayTraced(start, shot, 0.3f, 9);
  ASSERT_EQ(full.result, kSimOk);

  GameState state = start;
  SimulationReport report{};
  report.executedVx = 3.0;
  DeliveryPaths paths{};
  std::vector<PathSample> samples(static_cast<size_t>(full.paths.sampleCount) - 1);
  SeedSimulator(9);
  EXPECT_EQ(SimulationWithPaths(&state, shot, 0.3f, &report, kStep, samples.data(),
                                static_cast<int32_t>(samples.size()), &paths),
            kSimPathBufferTooSmall);
  EXPECT_EQ(paths.sampleCount, full.paths.sampleCount);
  EXPECT_EQ(paths.stones[6].count, 0);
  EXPECT_TRUE(SameBytes(state, start));
  EXPECT_EQ(report.executedVx, 0.0);
  // The generator was put back: the retry is the same delivery.
  samples.resize(static_cast<size_t>(paths.sampleCount));
  EXPECT_EQ(SimulationWithPaths(&state, shot, 0.3f, &report, kStep, samples.data(),
                                paths.sampleCount, &paths),
            kSimOk);
  EXPECT_TRUE(SameBytes(state, full.state));

  // Bad steps and missing buffers are refused before anything is played.
  for (const float step : {0.0f, -1.0f, 0.0009f, 11.0f}) {
    EXPECT_EQ(SimulationWithPaths(&state, shot, 0.3f, &report, step, samples.data(), 10, &paths),
              kSimTimeStepOutOfRange)
        << step;
  }
  EXPECT_EQ(
      SimulationWithPaths(&state, shot, 0.3f, &report, std::nanf(""), samples.data(), 10, &paths),
      kSimNonFiniteInput);
  EXPECT_EQ(SimulationWithPaths(&state, shot, 0.3f, &report, kStep, nullptr, 10, &paths),
            kSimNullPointer);
  EXPECT_EQ(SimulationWithPaths(&state, shot, 0.3f, &report, kStep, samples.data(), 10, nullptr),
            kSimNullPointer);
  EXPECT_TRUE(SameBytes(state, full.state));
}

}  // namespace
