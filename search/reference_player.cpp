#include "search/reference_player.h"

#include <random>

#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/search.h"
#include "search/seed_mix.h"

namespace search {

namespace {

// The seed of the seeded decision under way. The playouts and the runs' seed
// source are plain functions that the settings point to, so they find it
// here; written on the decision's own thread before any playout starts.
uint64_t decisionSeed = 0;

// The seeds of the runs' generators in a seeded decision; drawn only on the
// decision's own thread.
std::mt19937_64 runSeeds;

uint32_t SeedFromDecision() {
  return static_cast<uint32_t>(runSeeds());
}

}  // namespace

ShotVec ReferencePlayer::Decide(const GameState& state, uint64_t timeMs) {
  // The search works on the calling thread's record.
  const engine::GameRecordHeld held(state);
  if (options_.seedGiven) SeedReferenceDecision(options_.seed);
  ShotVec shot{};
  EnsembleSearchWith(SettingsFor(timeMs), &shot);
  return shot;
}

SearchSettings ReferencePlayer::SettingsFor(uint64_t timeMs) const {
  SearchSettings settings = ShippedSearchSettings();
  if (timeMs != kDefaultDecisionMs) {
    settings.budgetSeconds =
        static_cast<double>(timeMs) / 1000.0 / static_cast<double>(kRunsPerDecision);
  }
  if (options_.seedGiven) {
    settings.makeSeed = SeedFromDecision;
    settings.playout = PositionSeededPlayout;
  }
  return settings;
}

int PositionSeededPlayout() {
  // Each playout starts from a position of its own (one noisy execution of
  // a candidate), so the position alone tells playouts apart.
  const uint64_t seed = MixSeed(decisionSeed, HashPosition(engine::gameState));
  if (seedSimulator != nullptr) seedSimulator(seed);
  return SeededRandomPlayout(static_cast<uint32_t>(seed >> 32));
}

void SeedReferenceDecision(uint64_t seed) {
  decisionSeed = seed;
  const uint64_t mixed = MixSeed(seed, HashPosition(engine::gameState));
  runSeeds.seed(mixed);
  if (seedSimulator != nullptr) seedSimulator(MixSeed(mixed, 1));
}

}  // namespace search
