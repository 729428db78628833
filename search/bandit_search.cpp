#include <array>
#include <future>
#include <memory>
#include <optional>
#include <random>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/platform.h"
#include "engine/simulator.h"
#include "search/bandit_rules.h"
#include "search/playout_pool.h"
#include "search/playout_task.h"
#include "search/search.h"
#include "search/search_settings.h"

namespace {

uint32_t SeedFromRandomDevice() {
  std::random_device device;
  return device();
}

// The launcher that gave more iterations per run on the two-core target
// (see bench/search_bench.cpp).
constexpr PlayoutLauncher kShippedLauncher = PlayoutLauncher::kPool;

}  // namespace

SearchSettings ShippedSearchSettings() {
  return SearchSettings{MonotonicMilliseconds, SeedFromRandomDevice, RandomPlayout,
                        kRunBudgetSeconds,     kRunIterationCap,     kShippedLauncher};
}

double RunBanditSearchWith(const SearchSettings& settings, ShotVec* out, BanditRunReport* report) {
  double bestValue = kInitialBestValue;
  int bestIndex = -1;
  const auto means = std::make_unique_for_overwrite<double[]>(kCandidateCapacity);
  const auto playouts = std::make_unique_for_overwrite<uint32_t[]>(kCandidateCapacity);
  std::mt19937 exploration(settings.makeSeed());
  const auto candidates = std::make_unique_for_overwrite<ShotCandidate[]>(kCandidateCapacity);
  const int count = GenerateCandidates(candidates.get());
  for (int i = 0; i < count; ++i) {
    means[i] = 0.0;
    playouts[i] = 0;
  }
  std::mt19937 choice(settings.makeSeed());
  std::uniform_int_distribution<int> anyCandidate(0, count - 1);

  std::optional<PlayoutPool> pool;
  if (settings.launcher == PlayoutLauncher::kPool) pool.emplace(kAsyncPlayouts);
  const auto launch = [&](const GameState& position) {
    if (pool) return pool->Launch(position, settings.playout);
    return std::async(std::launch::async, PlayoutFromPosition, position, settings.playout);
  };
  std::array<std::future<int>, kAsyncPlayouts> slots;

  const uint64_t start = settings.readClockMs();
  uint32_t iteration = 0;
  for (;;) {
    const double epsilon = Epsilon(iteration);
    const GameState saved = gameState;
    const int index = Explores(epsilon, exploration()) ? anyCandidate(choice) : bestIndex;
    ShotVec shot{};
    MakeCandidateShot(candidates[index], &shot);
    for (std::future<int>& slot : slots) {
      SimulateShot(gameState, shot);
      slot = launch(gameState);
      gameState = saved;
    }
    SimulateShot(gameState, shot);
    int32_t sum = settings.playout();
    gameState = saved;
    for (std::future<int>& slot : slots) sum += slot.get();

    means[index] = FoldScores(means[index], playouts[index], sum);
    playouts[index] += kPlayoutsPerIteration;
    ScanForLeader(means.get(), count, bestValue, bestIndex);

    const uint64_t elapsedMs = settings.readClockMs() - start;
    ++iteration;
    if (static_cast<double>(elapsedMs) / 1000.0 > settings.budgetSeconds) break;
    if (iteration == settings.iterationCap) break;
  }

  MakeCandidateShot(candidates[bestIndex], out);
  if (report != nullptr) {
    uint64_t total = 0;
    for (int i = 0; i < count; ++i) total += playouts[i];
    *report = BanditRunReport{iteration, count, total, bestIndex};
  }
  return bestValue;
}

double RunBanditSearch(ShotVec* out) {
  return RunBanditSearchWith(ShippedSearchSettings(), out, nullptr);
}
