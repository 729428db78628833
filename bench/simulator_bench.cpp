// Speed of the physics library's exports on typical shots.
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

}  // namespace

BENCHMARK_MAIN();
