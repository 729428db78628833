#include <array>
#include <future>
#include <optional>
#include <random>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "engine/platform.h"
#include "search/bandit_rules.h"
#include "search/bandit_run.h"
#include "search/playout_pool.h"
#include "search/playout_task.h"
#include "search/search.h"
#include "search/search_settings.h"
#include "search/simulate_shot.h"

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

double RunBanditSearchIn(const SearchSettings& settings, PlayoutPool* pool, ShotVec* out,
                         BanditRunReport* report) {
  double bestValue = kInitialBestValue;
  int bestIndex = -1;
  // The arms of the bandit live on the stack: a run allocates nothing.
  double means[kCandidateCapacity];
  uint32_t playouts[kCandidateCapacity];
  std::mt19937 exploration(settings.makeSeed());
  ShotCandidate candidates[kCandidateCapacity];
  const int count = GenerateCandidates(candidates);
  for (int i = 0; i < count; ++i) {
    means[i] = 0.0;
    playouts[i] = 0;
  }
  std::mt19937 choice(settings.makeSeed());
  std::uniform_int_distribution<int> anyCandidate(0, count - 1);

  // The seven playouts beside the calling thread's own, each on a thread of
  // its own (kAsync) or one after another here (kInline).
  const auto playSeparately = [&settings](GameState& position, const ShotVec& shot) {
    const GameState saved = position;
    std::array<std::future<int>, kAsyncPlayouts> slots;
    int32_t sum = 0;
    for (std::future<int>& slot : slots) {
      if (settings.launcher == PlayoutLauncher::kInline) {
        sum += PlayoutAfterShot(saved, shot, settings.playout);
        continue;
      }
      SimulateShot(position, shot);
      slot = std::async(std::launch::async, PlayoutFromPosition, position, settings.playout);
      position = saved;
    }
    SimulateShot(position, shot);
    sum += settings.playout();
    position = saved;
    for (std::future<int>& slot : slots) {
      if (slot.valid()) sum += slot.get();
    }
    return sum;
  };

  // The candidate of iteration e: a random one when it explores, or -1 for
  // the leader after the iteration before.
  const auto choose = [&](uint32_t e) {
    return Explores(Epsilon(e), exploration()) ? anyCandidate(choice) : -1;
  };
  const auto submit = [&](int index) {
    ShotVec shot{};
    MakeCandidateShot(candidates[index], &shot);
    pool->Submit(gameState, shot, settings.playout, kPlayoutsPerIteration);
  };
  // The pool starts on the next iteration's playouts while this one is still
  // played, so that no thread waits for the slowest playout of an iteration.
  // An exploring iteration's candidate does not depend on the results before
  // it; an exploiting one's is the leader after this iteration, guessed to be
  // the leader now, and when the guess fails those playouts are dropped
  // unseen and the leader's played instead. The generators are drawn in the
  // same order as without looking ahead, and when the run stops first the
  // playouts ahead are dropped too.
  struct LookAhead {
    PlayoutPool* pool;
    int index = -1;  // the candidate whose playouts wait, or -1
    void Drop() {
      if (index >= 0) pool->Drop();
      index = -1;
    }
    ~LookAhead() { Drop(); }
  } ahead{pool};

  const uint64_t start = settings.readClockMs();
  uint32_t iteration = 0;
  int chosen = choose(0);
  for (;;) {
    const int index = chosen >= 0 ? chosen : bestIndex;
    int32_t sum = 0;
    if (pool != nullptr) {
      if (ahead.index < 0 || ahead.index != index) {
        ahead.Drop();
        submit(index);
      }
      ahead.index = -1;
      if (iteration + 1 != settings.iterationCap) {
        chosen = choose(iteration + 1);
        ahead.index = chosen >= 0 ? chosen : bestIndex;
        submit(ahead.index);
      }
      sum = pool->Collect();
    } else {
      ShotVec shot{};
      MakeCandidateShot(candidates[index], &shot);
      sum = playSeparately(gameState, shot);
    }

    means[index] = FoldScores(means[index], playouts[index], sum);
    playouts[index] += kPlayoutsPerIteration;
    ScanForLeader(means, count, bestValue, bestIndex);

    const uint64_t elapsedMs = settings.readClockMs() - start;
    ++iteration;
    if (static_cast<double>(elapsedMs) / 1000.0 > settings.budgetSeconds) break;
    if (iteration == settings.iterationCap) break;
    if (pool == nullptr) chosen = choose(iteration);
  }

  MakeCandidateShot(candidates[bestIndex], out);
  if (report != nullptr) {
    uint64_t total = 0;
    for (int i = 0; i < count; ++i) total += playouts[i];
    *report = BanditRunReport{iteration, count, total, bestIndex};
  }
  return bestValue;
}

double RunBanditSearchWith(const SearchSettings& settings, ShotVec* out, BanditRunReport* report) {
  std::optional<PlayoutPool> pool;
  if (settings.launcher == PlayoutLauncher::kPool) pool.emplace(PlayoutPool::DefaultWorkerCount());
  return RunBanditSearchIn(settings, pool ? &*pool : nullptr, out, report);
}

double RunBanditSearch(ShotVec* out) {
  return RunBanditSearchWith(ShippedSearchSettings(), out, nullptr);
}
