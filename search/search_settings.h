// What a bandit run depends on besides the position: the clock, the seeds of
// its generators, the playout, the budget and the way playouts are started.
// The reference player uses ShippedSearchSettings(), with its time and seed;
// tests and benchmarks hand in their own to run without wall-clock dependence
// or to compare launchers.
#pragma once

#include <cstdint>

#include "simulator/curling_api.h"

namespace search {

// How the seven asynchronous playouts of an iteration are started.
enum class PlayoutLauncher {
  kAsync,   // std::async with the async policy: a new thread per playout
  kPool,    // worker threads made once per decision, the calling thread playing too
  kInline,  // one after another on the calling thread: reproducible with seeds
};

struct SearchSettings {
  uint64_t (*readClockMs)();  // monotonic milliseconds
  uint32_t (*makeSeed)();     // one seed per generator
  int (*playout)();           // values the calling thread's position
  double budgetSeconds;       // a run stops once more time than this has passed
  uint32_t iterationCap;      // and after this many iterations at most
  PlayoutLauncher launcher;
};

// The time budget of a run, and the most iterations it makes within it.
inline constexpr double kRunBudgetSeconds = 0.95;
inline constexpr uint32_t kRunIterationCap = 1500;

// Runs per decision, and the playouts of one iteration.
inline constexpr int kRunsPerDecision = 5;
inline constexpr int kPlayoutsPerIteration = 8;
inline constexpr int kAsyncPlayouts = kPlayoutsPerIteration - 1;

// The real clock, seeds from a fresh std::random_device, RandomPlayout,
// kRunBudgetSeconds, kRunIterationCap and the faster launcher.
SearchSettings ShippedSearchSettings();

// The time per decision when none is given, for both searches: what the five
// runs of the reference search take with the shipped settings.
inline constexpr uint64_t kDefaultDecisionMs = 4750;

// What the command line may give the reference player besides the time: a
// seed makes every generator of a decision, the playouts' and the execution
// error's included, draw from that seed and the position.
struct ReferenceOptions {
  bool seedGiven = false;
  uint64_t seed = 0;
};

// RandomPlayout with its generator and the thread's execution error seeded
// from the seed of the decision under way and the position it starts from.
int PositionSeededPlayout();

// Sets the generators of the calling thread for a decision on its position
// seeded with `seed`.
void SeedReferenceDecision(uint64_t seed);

// What a run did, for tests and benchmarks.
struct BanditRunReport {
  uint32_t iterations;  // iterations completed
  int candidateCount;   // arms of the bandit
  uint64_t playouts;    // playouts over all candidates
  int leader;           // index of the answer
};

// RunBanditSearch with the given settings instead of the shipped ones, on a
// pool of its own when the launcher is kPool; `report` may be null.
double RunBanditSearchWithSettings(const SearchSettings& settings, ShotVec* out,
                                   BanditRunReport* report);

// EnsembleSearch with the given settings for every run.
void EnsembleSearchWith(const SearchSettings& settings, ShotVec* out);

}  // namespace search
