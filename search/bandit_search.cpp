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

namespace search {

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
  return SearchSettings{engine::MonotonicMilliseconds,
                        SeedFromRandomDevice,
                        RandomPlayout,
                        kRunBudgetSeconds,
                        kRunIterationCap,
                        kShippedLauncher};
}

namespace {

// The arms of one run and the generators that choose among them. It lives on
// the stack: a run allocates nothing.
struct BanditArms {
  explicit BanditArms(const SearchSettings& settings)
      : exploration(settings.makeSeed()),
        count(candidates::GenerateCandidates(candidates)),
        choice(settings.makeSeed()),
        anyCandidate(0, count - 1) {
    for (int i = 0; i < count; ++i) {
      means[i] = 0.0;
      playouts[i] = 0;
    }
  }

  // The candidate of iteration e: a random one when it explores, or -1 for
  // the leader after the iteration before.
  int Choose(uint32_t e) { return Explores(Epsilon(e), exploration()) ? anyCandidate(choice) : -1; }

  ShotVec ShotOf(int index) const {
    ShotVec shot{};
    candidates::MakeCandidateShot(candidates[index], &shot);
    return shot;
  }

  std::mt19937 exploration;
  candidates::ShotCandidate candidates[candidates::kCandidateCapacity];
  int count;
  std::mt19937 choice;
  std::uniform_int_distribution<int> anyCandidate;
  double means[candidates::kCandidateCapacity];
  uint32_t playouts[candidates::kCandidateCapacity];
  double bestValue = kInitialBestValue;
  int bestIndex = -1;
};

// The launcher kInline: an iteration's playouts one after another on the
// calling thread, the seven beside its own first.
int32_t PlayInline(const SearchSettings& settings, GameState& position, const ShotVec& shot) {
  const GameState saved = position;
  int32_t sum = 0;
  for (int i = 0; i < kAsyncPlayouts; ++i) sum += PlayoutAfterShot(saved, shot, settings.playout);
  SimulateShot(position, shot);
  sum += settings.playout();
  position = saved;
  return sum;
}

// The launcher kAsync: the seven playouts beside the calling thread's own,
// each on a thread of its own.
int32_t PlayOnNewThreads(const SearchSettings& settings, GameState& position, const ShotVec& shot) {
  const GameState saved = position;
  std::array<std::future<int>, kAsyncPlayouts> slots;
  for (std::future<int>& slot : slots) {
    SimulateShot(position, shot);
    slot = std::async(std::launch::async, PlayoutFromPosition, position, settings.playout);
    position = saved;
  }
  SimulateShot(position, shot);
  int32_t sum = settings.playout();
  position = saved;
  for (std::future<int>& slot : slots) sum += slot.get();
  return sum;
}

// The launcher kPool. The pool starts on the next iteration's playouts while
// this one is still played, so that no thread waits for the slowest playout
// of an iteration. An exploring iteration's candidate does not depend on the
// results before it; an exploiting one's is the leader after this iteration,
// guessed to be the leader now, and when the guess fails those playouts are
// dropped unseen and the leader's played instead. The generators are drawn in
// the same order as without looking ahead, and when the run stops first the
// playouts ahead are dropped too.
class PoolLookAhead {
 public:
  PoolLookAhead(const SearchSettings& settings, PlayoutPool& pool, BanditArms& arms)
      : settings_(settings), pool_(pool), arms_(arms) {}
  PoolLookAhead(const PoolLookAhead&) = delete;
  PoolLookAhead& operator=(const PoolLookAhead&) = delete;
  ~PoolLookAhead() { Drop(); }

  // Plays iteration `iteration` on candidate `index` and returns the sum of
  // its scores; unless it is the last, chooses the next iteration's candidate
  // into `chosen` and submits the playouts of its guess.
  int32_t Play(int index, uint32_t iteration, int& chosen) {
    if (index_ < 0 || index_ != index) {
      Drop();
      Submit(index);
    }
    index_ = -1;
    if (iteration + 1 != settings_.iterationCap) {
      chosen = arms_.Choose(iteration + 1);
      index_ = chosen >= 0 ? chosen : arms_.bestIndex;
      Submit(index_);
    }
    return pool_.Collect();
  }

 private:
  void Submit(int index) {
    pool_.Submit(engine::gameState, arms_.ShotOf(index), settings_.playout, kPlayoutsPerIteration);
  }
  void Drop() {
    if (index_ >= 0) pool_.Drop();
    index_ = -1;
  }

  const SearchSettings& settings_;
  PlayoutPool& pool_;
  BanditArms& arms_;
  int index_ = -1;  // the candidate whose playouts wait, or -1
};

}  // namespace

double RunBanditSearchOnPool(const SearchSettings& settings, PlayoutPool* pool, ShotVec* out,
                             BanditRunReport* report) {
  BanditArms arms(settings);
  std::optional<PoolLookAhead> ahead;
  if (pool != nullptr) ahead.emplace(settings, *pool, arms);

  const uint64_t start = settings.readClockMs();
  uint32_t iteration = 0;
  int chosen = arms.Choose(0);
  for (;;) {
    const int index = chosen >= 0 ? chosen : arms.bestIndex;
    int32_t sum = 0;
    if (ahead) {
      sum = ahead->Play(index, iteration, chosen);
    } else if (settings.launcher == PlayoutLauncher::kInline) {
      sum = PlayInline(settings, engine::gameState, arms.ShotOf(index));
    } else {
      sum = PlayOnNewThreads(settings, engine::gameState, arms.ShotOf(index));
    }

    arms.means[index] = FoldScores(arms.means[index], arms.playouts[index], sum);
    arms.playouts[index] += kPlayoutsPerIteration;
    ScanForLeader(arms.means, arms.count, arms.bestValue, arms.bestIndex);

    const uint64_t elapsedMs = settings.readClockMs() - start;
    ++iteration;
    if (static_cast<double>(elapsedMs) / 1000.0 > settings.budgetSeconds) break;
    if (iteration == settings.iterationCap) break;
    if (!ahead) chosen = arms.Choose(iteration);
  }

  candidates::MakeCandidateShot(arms.candidates[arms.bestIndex], out);
  if (report != nullptr) {
    uint64_t total = 0;
    for (int i = 0; i < arms.count; ++i) total += arms.playouts[i];
    *report = BanditRunReport{iteration, arms.count, total, arms.bestIndex};
  }
  return arms.bestValue;
}

double RunBanditSearchWithSettings(const SearchSettings& settings, ShotVec* out,
                                   BanditRunReport* report) {
  std::optional<PlayoutPool> pool;
  if (settings.launcher == PlayoutLauncher::kPool) pool.emplace(PlayoutPool::DefaultWorkerCount());
  return RunBanditSearchOnPool(settings, pool ? &*pool : nullptr, out, report);
}

double RunBanditSearch(ShotVec* out) {
  return RunBanditSearchWithSettings(ShippedSearchSettings(), out, nullptr);
}

}  // namespace search
