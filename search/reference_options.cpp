#include <random>

#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/search.h"
#include "search/search_settings.h"
#include "search/seed_mix.h"

namespace {

// Written once at start-up, before any search thread exists.
ReferenceOptions options{kReferenceDecisionMs, false, 0};

// The seeds of the runs' generators in a seeded decision; drawn only on the
// decision's own thread.
std::mt19937_64 runSeeds;

uint32_t SeedFromDecision() {
  return static_cast<uint32_t>(runSeeds());
}

}  // namespace

void SetReferenceOptions(const ReferenceOptions& given) {
  options = given;
}

SearchSettings ConfiguredSearchSettings() {
  SearchSettings settings = ShippedSearchSettings();
  if (options.decisionMs != kReferenceDecisionMs) {
    settings.budgetSeconds =
        static_cast<double>(options.decisionMs) / 1000.0 / static_cast<double>(kRunsPerDecision);
  }
  if (options.seedGiven) {
    settings.makeSeed = SeedFromDecision;
    settings.playout = PositionSeededPlayout;
  }
  return settings;
}

int PositionSeededPlayout() {
  // Each playout starts from a position of its own (one noisy execution of
  // a candidate), so the position alone tells playouts apart.
  const uint64_t seed = MixSeed(options.seed, HashPosition(gameState));
  if (seedSimulator != nullptr) seedSimulator(seed);
  return SeededRandomPlayout(static_cast<uint32_t>(seed >> 32));
}

void SeedReferenceDecision() {
  if (!options.seedGiven) return;
  const uint64_t seed = MixSeed(options.seed, HashPosition(gameState));
  runSeeds.seed(seed);
  if (seedSimulator != nullptr) seedSimulator(MixSeed(seed, 1));
}
