// The library as the engine sees it: loaded by name, called through plain C
// function pointers, and robust against records it cannot use.
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "simulator/curling_api.h"
#include "tests/simulator/test_support.h"
#include "tests/test_locations.h"

namespace {

using simtest::SameBytes;
using simtest::State;

TEST(Exports, TheSharedLibraryExportsExactlyTheCInterface) {
  void* library = dlopen(test_locations::kSimulatorLibrary, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto simulation = reinterpret_cast<SimulationFn>(dlsym(library, "Simulation"));
  auto createShot = reinterpret_cast<CreateShotFn>(dlsym(library, "CreateShot"));
  auto createHitShot = reinterpret_cast<CreateHitShotFn>(dlsym(library, "CreateHitShot"));
  auto getScore = reinterpret_cast<GetScoreFn>(dlsym(library, "GetScore"));
  auto seed = reinterpret_cast<SeedSimulatorFn>(dlsym(library, "SeedSimulator"));
  auto withReport =
      reinterpret_cast<SimulationWithReportFn>(dlsym(library, "SimulationWithReport"));
  ASSERT_NE(simulation, nullptr);
  ASSERT_NE(withReport, nullptr);
  ASSERT_NE(dlsym(library, "SimulationWithPaths"), nullptr);
  ASSERT_NE(createShot, nullptr);
  ASSERT_NE(createHitShot, nullptr);
  ASSERT_NE(getScore, nullptr);
  ASSERT_NE(seed, nullptr);
  // Internals stay hidden.
  EXPECT_EQ(dlsym(library, "_ZN3sim8FlightAtEd"), nullptr);
  EXPECT_EQ(dlsym(library, "_ZN3sim9RunToRestEPNS_5StoneEii"), nullptr);

  // A whole delivery through the pointers, with the trailing arguments the
  // engine always passes.
  ShotVec shot{};
  ASSERT_EQ(createShot(ShotPos{2.375f, 4.88f, 1, {}}, &shot), 0);
  GameState state = State(0);
  seed(7);
  ASSERT_EQ(simulation(&state, shot, 0.3f, 0, -1), 0);
  EXPECT_EQ(state.shotNumber, 1);
  EXPECT_LT(std::hypot(state.stones[0].x - 2.375, state.stones[0].y - 4.88), 1.5);
  ASSERT_EQ(createHitShot(ShotPos{2.375f, 4.88f, 0, {}}, 8.0f, &shot), 0);
  EXPECT_EQ(getScore(&state), 1);

  // The reported delivery is the plain one, seed for seed.
  GameState plain = State(0);
  GameState reported = plain;
  SimulationReport report{};
  seed(11);
  ASSERT_EQ(simulation(&plain, shot, 0.3f, 0, -1), 0);
  seed(11);
  ASSERT_EQ(withReport(&reported, shot, 0.3f, &report), 0);
  EXPECT_TRUE(SameBytes(plain, reported));
  EXPECT_TRUE(SameBytes(report.after, reported));
  EXPECT_NE(report.executedVx, static_cast<double>(shot.vx));
  dlclose(library);
}

TEST(Exports, SimulationRejectsWhatItCannotPlayAndLeavesTheRecordAlone) {
  GameState state = State(3, 1);
  state.currentEnd = 2;
  state.stones[0] = {2.4f, 5.0f};
  state.stones[2] = {1.9f, 7.5f};
  state.padding[1] = 0x5a;
  const GameState before = state;
  const ShotVec good = simtest::DrawTo(2.375f, 4.88f, 0);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();

  EXPECT_EQ(Simulation(nullptr, good, 0.3f, 0, -1), kSimNullPointer);
  EXPECT_EQ(Simulation(&state, ShotVec{nan, -2.0f, 0, {}}, 0.3f, 0, -1), kSimNonFiniteInput);
  EXPECT_EQ(Simulation(&state, ShotVec{0.1f, -inf, 0, {}}, 0.3f, 0, -1), kSimNonFiniteInput);
  EXPECT_EQ(Simulation(&state, good, nan, 0, -1), kSimNonFiniteInput);
  EXPECT_EQ(Simulation(&state, good, inf, 0, -1), kSimNonFiniteInput);
  EXPECT_EQ(Simulation(&state, good, -0.1f, 0, -1), kSimNegativeNoise);
  EXPECT_TRUE(SameBytes(state, before));

  for (int shotNumber : {-1, 16, 1000, std::numeric_limits<int>::min()}) {
    state.shotNumber = shotNumber;
    GameState copy = state;
    EXPECT_EQ(Simulation(&state, good, 0.3f, 0, -1), kSimShotNumberOutOfRange);
    EXPECT_TRUE(SameBytes(state, copy));
  }
  EXPECT_EQ(GetScore(nullptr), 0);

  // The report is an output: zeroed on refusal, as the shot makers' are.
  SimulationReport report{};
  report.executedVx = 1.0;
  report.after.shotNumber = 5;
  state.shotNumber = 16;
  EXPECT_EQ(SimulationWithReport(&state, good, 0.3f, &report), kSimShotNumberOutOfRange);
  EXPECT_EQ(report.executedVx, 0.0);
  EXPECT_EQ(report.after.shotNumber, 0);
  EXPECT_EQ(SimulationWithReport(nullptr, good, 0.3f, &report), kSimNullPointer);
  state.shotNumber = 3;
  EXPECT_EQ(SimulationWithReport(&state, good, 0.3f, nullptr), kSimOk);
}

TEST(Exports, ShotMakersRejectBadTargetsAndPowersWithAZeroedOutput) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const ShotVec zero{};
  auto filled = [] {
    ShotVec v{};
    v.vx = 9.0f;
    v.vy = 9.0f;
    v.spin = 1;
    v.padding[0] = 7;
    return v;
  };
  ShotVec out = filled();
  EXPECT_EQ(CreateShot(ShotPos{nan, 4.88f, 0, {}}, &out), kSimNonFiniteInput);
  EXPECT_EQ(std::memcmp(&out, &zero, sizeof out), 0);
  out = filled();
  EXPECT_EQ(CreateShot(ShotPos{2.0f, inf, 1, {}}, &out), kSimNonFiniteInput);
  EXPECT_EQ(std::memcmp(&out, &zero, sizeof out), 0);
  EXPECT_EQ(CreateShot(ShotPos{2.0f, 5.0f, 1, {}}, nullptr), kSimNullPointer);

  for (float power : {0.0f, 0.999f, 15.001f, 16.0f, -1.0f}) {
    out = filled();
    EXPECT_EQ(CreateHitShot(ShotPos{2.0f, 5.0f, 0, {}}, power, &out), kSimPowerOutOfRange) << power;
    EXPECT_EQ(std::memcmp(&out, &zero, sizeof out), 0);
  }
  out = filled();
  EXPECT_EQ(CreateHitShot(ShotPos{2.0f, 5.0f, 0, {}}, nan, &out), kSimNonFiniteInput);
  EXPECT_EQ(std::memcmp(&out, &zero, sizeof out), 0);
  out = filled();
  EXPECT_EQ(CreateHitShot(ShotPos{inf, 5.0f, 0, {}}, 5.0f, &out), kSimNonFiniteInput);
  EXPECT_EQ(CreateHitShot(ShotPos{2.0f, 5.0f, 0, {}}, 5.0f, nullptr), kSimNullPointer);

  // Both ends of the power scale are valid; the target's spin byte is copied.
  EXPECT_EQ(CreateHitShot(ShotPos{2.0f, 5.0f, 1, {}}, 1.0f, &out), kSimOk);
  EXPECT_EQ(out.spin, 1);
  EXPECT_EQ(CreateHitShot(ShotPos{2.0f, 5.0f, 0, {}}, 15.0f, &out), kSimOk);
  EXPECT_EQ(out.spin, 0);
}

TEST(Exports, AnyFiniteInputGivesAPlayablePosition) {
  // Garbage positions, absurd velocities and noise: the call succeeds, and
  // every stone afterwards is either off the sheet at (0, 0) or on it.
  std::mt19937 random(12345);
  std::uniform_real_distribution<float> wide(-50.0f, 50.0f);
  std::uniform_real_distribution<float> sheetX(0.0f, 4.75f);
  std::uniform_real_distribution<float> sheetY(2.0f, 12.0f);
  const float odd[] = {0.0f,
                       -0.0f,
                       1e30f,
                       -1e30f,
                       std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(),
                       0.145f,
                       4.605f};
  SeedSimulator(99);
  for (int round = 0; round < 3000; ++round) {
    GameState state = State(static_cast<int>(random() % 16), static_cast<uint8_t>(random() % 3));
    for (int i = 0; i < 16; ++i) {
      switch (random() % 4) {
        case 0:
          state.stones[i] = {wide(random), wide(random)};
          break;
        case 1:
          state.stones[i] = {odd[random() % 8], odd[random() % 8]};
          break;
        default:
          state.stones[i] = {sheetX(random), sheetY(random)};
          break;
      }
    }
    const ShotVec shot{round % 7 == 0 ? 3e38f : wide(random) / 10,
                       wide(random) / 5,
                       static_cast<uint8_t>(random() % 3),
                       {}};
    const float noise = round % 5 == 0 ? 1e30f : static_cast<float>(random() % 100) / 100;
    const int shotNumber = state.shotNumber;
    ASSERT_EQ(Simulation(&state, shot, noise, 0, -1), kSimOk);
    ASSERT_EQ(state.shotNumber, (shotNumber + 1) % 16);
    for (int i = 0; i < 16; ++i) {
      if (i > shotNumber && state.shotNumber != 0) continue;  // not yet delivered
      const StonePos p = state.stones[i];
      if (simtest::IsOff(p)) continue;
      ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
      ASSERT_GT(p.x, 0.145f);
      ASSERT_LT(p.x, 4.605f);
      ASSERT_GE(p.y, 3.05f - 0.145f - 1e-4f);
    }
  }
}

}  // namespace
