// Speed of the search on representative positions, with the real simulator
// library and candidate generator: playouts per second, iterations per run
// and decision time at shots 0, 8 and 15, and the two ways of starting the
// asynchronous playouts.

#include <cstdlib>

#include <benchmark/benchmark.h>

#include "engine/game_state.h"
#include "engine/simulator.h"
#include "search/search.h"
#include "search/search_settings.h"

namespace {

// Shot 0: an empty sheet. Shot 8: guards, stones in and around the house, one
// out of play. Shot 15: a crowded house with guards in front.
GameState Position(int shotNumber) {
  static const StonePos kStones[15] = {
      {2.3f, 7.2f}, {2.6f, 7.6f}, {2.4f, 4.7f},  {2.0f, 5.3f}, {0.0f, 0.0f},
      {2.9f, 4.2f}, {2.2f, 6.0f}, {1.6f, 8.3f},  {2.5f, 5.1f}, {3.1f, 5.6f},
      {0.0f, 0.0f}, {1.9f, 4.0f}, {2.45f, 6.9f}, {2.2f, 4.9f}, {2.8f, 7.0f},
  };
  GameState state{};
  state.shotNumber = shotNumber;
  state.currentEnd = 3;
  state.lastEnd = 9;
  state.turnFlag = static_cast<uint8_t>(shotNumber % 2);
  for (int k = 0; k < shotNumber; ++k) state.stones[k] = kStones[k];
  return state;
}

void Setup() {
  static const bool bound = [] {
    if (!BindSimulator()) std::exit(1);
    return true;
  }();
  (void)bound;
}

// One playout from the position after a delivery at the given shot: from
// shot 1 it plays fifteen stones, from shot 9 seven.
void BM_RandomPlayout(benchmark::State& state) {
  Setup();
  const GameState start = Position(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    (void)_;
    gameState = start;
    benchmark::DoNotOptimize(RandomPlayout());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RandomPlayout)->Arg(1)->Arg(9)->Unit(benchmark::kMicrosecond);

// One run with the real 0.95 s budget; "iterations" is the count a run
// reached (the cap is 1500).
void BM_BanditRun(benchmark::State& state) {
  Setup();
  gameState = Position(static_cast<int>(state.range(0)));
  SearchSettings settings = ShippedSearchSettings();
  settings.launcher = state.range(1) == 0 ? PlayoutLauncher::kAsync : PlayoutLauncher::kPool;
  double iterations = 0;
  for (auto _ : state) {
    (void)_;
    ShotVec out{};
    BanditRunReport report{};
    RunBanditSearchWith(settings, &out, &report);
    iterations += report.iterations;
  }
  state.counters["iterations"] = benchmark::Counter(iterations, benchmark::Counter::kAvgIterations);
  state.SetLabel(state.range(1) == 0 ? "async" : "pool");
}
BENCHMARK(BM_BanditRun)
    ->ArgsProduct({{0, 8, 15}, {0, 1}})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A whole decision as GO runs it.
void BM_Decision(benchmark::State& state) {
  Setup();
  gameState = Position(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    (void)_;
    ShotVec out{};
    EnsembleSearch(&out);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_Decision)
    ->Arg(0)
    ->Arg(8)
    ->Arg(15)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
