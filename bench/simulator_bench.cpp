// Speed of the physics library's exports on typical shots.
#include <algorithm>
#include <vector>

#include <benchmark/benchmark.h>

#include "simulator/curling_api.h"

namespace {

GameState EmptyEnd(int shotNumber) {
  GameState state{};
  state.shotNumber = shotNumber;
  return state;
}

ShotVec Draw(float x, float y, uint8_t spin) {
  ShotVec shot{};
  CreateShot(ShotPos{x, y, spin, {}}, &shot);
  return shot;
}

// Ten stones around the house, clear of the path of a draw to the tee with
// spin 0.
GameState TenStonesAside() {
  GameState state = EmptyEnd(10);
  const StonePos stones[10] = {{0.9f, 8.5f},  {3.9f, 8.0f}, {0.8f, 6.0f}, {4.0f, 5.5f},
                               {3.7f, 3.6f},  {0.9f, 4.0f}, {3.6f, 7.2f}, {1.0f, 10.0f},
                               {3.85f, 9.5f}, {4.1f, 4.4f}};
  for (int i = 0; i < 10; ++i) state.stones[i] = stones[i];
  return state;
}

// A crowded house: a takeout that scatters several stones.
GameState CrowdedHouse() {
  GameState state = EmptyEnd(12);
  const StonePos stones[12] = {{2.375f, 4.88f}, {2.2f, 5.3f},  {2.6f, 5.1f}, {2.4f, 4.4f},
                               {1.9f, 4.9f},    {2.85f, 4.8f}, {2.3f, 6.2f}, {2.5f, 7.4f},
                               {1.6f, 5.6f},    {3.1f, 5.5f},  {2.0f, 4.2f}, {2.7f, 4.1f}};
  for (int i = 0; i < 12; ++i) state.stones[i] = stones[i];
  return state;
}

// Delivers `shot` on a copy of `start`, again and again.
void Deliver(benchmark::State& st, const GameState& start, ShotVec shot, float noise) {
  for (auto _ : st) {
    GameState state = start;
    Simulation(&state, shot, noise, 0, -1);
    benchmark::DoNotOptimize(state);
  }
}

void BM_DrawEmptyHouse(benchmark::State& st) {
  Deliver(st, EmptyEnd(0), Draw(2.375f, 4.88f, 0), 0.0f);
}
BENCHMARK(BM_DrawEmptyHouse);

void BM_DrawPastTenStones(benchmark::State& st) {
  Deliver(st, TenStonesAside(), Draw(2.375f, 4.88f, 0), 0.0f);
}
BENCHMARK(BM_DrawPastTenStones);

void BM_TakeoutCrowdedHouse(benchmark::State& st) {
  ShotVec shot{};
  CreateHitShot(ShotPos{2.2f, 5.3f, 1, {}}, 15.0f, &shot);
  Deliver(st, CrowdedHouse(), shot, 0.0f);
}
BENCHMARK(BM_TakeoutCrowdedHouse);

void BM_NoisyDrawIntoCrowdedHouse(benchmark::State& st) {
  SeedSimulator(1);
  Deliver(st, CrowdedHouse(), Draw(2.375f, 5.2f, 1), 0.3f);
}
BENCHMARK(BM_NoisyDrawIntoCrowdedHouse);

void BM_CreateShot(benchmark::State& st) {
  float x = 0.5f;
  for (auto _ : st) {
    ShotVec shot{};
    CreateShot(ShotPos{x, 6.0f, 0, {}}, &shot);
    benchmark::DoNotOptimize(shot);
    x = x > 4.0f ? 0.5f : x + 0.1f;
  }
}
BENCHMARK(BM_CreateShot);

void BM_CreateHitShot(benchmark::State& st) {
  float power = 1.0f;
  for (auto _ : st) {
    ShotVec shot{};
    CreateHitShot(ShotPos{2.0f, 5.0f, 1, {}}, power, &shot);
    benchmark::DoNotOptimize(shot);
    power = power >= 15.0f ? 1.0f : power + 1.0f;
  }
}
BENCHMARK(BM_CreateHitShot);

// Ten thousand draws to the button from an empty end, one after another on
// one thread, with execution error of scale range(0) / 10 from one seed: the
// native side of bench/python_batch.py, which times the Python module's
// simulate_batch on the same draws.
void BM_TenThousandDraws(benchmark::State& st) {
  const float noise = static_cast<float>(st.range(0)) / 10.0f;
  const ShotVec shot = Draw(2.375f, 4.88f, 0);
  SeedSimulator(1);
  for (auto _ : st) {
    for (int i = 0; i < 10000; ++i) {
      GameState state = EmptyEnd(0);
      Simulation(&state, shot, noise, 0, -1);
      benchmark::DoNotOptimize(state);
    }
  }
  st.SetItemsProcessed(st.iterations() * 10000);
}
BENCHMARK(BM_TenThousandDraws)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

// The same draws as a native batch would play them: each position read from
// an array of ten thousand, the stones it leaves and its score written to
// others, as simulate_batch returns them (those arrays made once, so no page
// is touched for the first time while it is timed).
void BM_TenThousandDrawsFromArrays(benchmark::State& st) {
  const float noise = static_cast<float>(st.range(0)) / 10.0f;
  const ShotVec shot = Draw(2.375f, 4.88f, 0);
  const std::vector<GameState> positions(10000, EmptyEnd(0));
  std::vector<StonePos> stones(10000 * 16);
  std::vector<int> scores(10000);
  SeedSimulator(1);
  for (auto _ : st) {
    for (size_t i = 0; i < positions.size(); ++i) {
      GameState state = positions[i];
      Simulation(&state, shot, noise, 0, -1);
      std::copy(state.stones, state.stones + 16, &stones[i * 16]);
      scores[i] = GetScore(&state);
    }
    benchmark::DoNotOptimize(stones.data());
    benchmark::DoNotOptimize(scores.data());
  }
  st.SetItemsProcessed(st.iterations() * 10000);
}
BENCHMARK(BM_TenThousandDrawsFromArrays)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
