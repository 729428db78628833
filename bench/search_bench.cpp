// Speed of the search on representative positions, with the real simulator
// library and candidate generator: playouts per second, iterations per run
// and decision time at shots 0, 8 and 15, and the two ways of starting the
// asynchronous playouts.

#include <cstdlib>

#include <benchmark/benchmark.h>

#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/search.h"
#include "search/search_settings.h"
#include "search/strong/value_model.h"
#include "tests/search/busy_end.h"

using namespace engine;
using namespace search;
using namespace search::strong;

namespace {

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
  const GameState start = BusyEnd(static_cast<int>(state.range(0)));
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
  gameState = BusyEnd(static_cast<int>(state.range(0)));
  SearchSettings settings = ShippedSearchSettings();
  settings.launcher = state.range(1) == 0 ? PlayoutLauncher::kAsync : PlayoutLauncher::kPool;
  double iterations = 0;
  for (auto _ : state) {
    (void)_;
    ShotVec out{};
    BanditRunReport report{};
    RunBanditSearchWithSettings(settings, &out, &report);
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
  gameState = BusyEnd(static_cast<int>(state.range(0)));
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

// One learned value of a position: the row of features, the network and the
// game values, as a search would ask it of every position it reaches.
void BM_LearnedValue(benchmark::State& state) {
  const GameState position = BusyEnd(static_cast<int>(state.range(0)));
  const EndValues values =
      EndValuesFor(GameSituation{3, 9, 1, true}, MeasuredEndScoreFrequencies());
  for (auto _ : state) {
    (void)_;
    benchmark::DoNotOptimize(LearnedValue(position, values, true, 1));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LearnedValue)->Arg(1)->Arg(8)->Arg(15)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
