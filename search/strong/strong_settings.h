// What the stronger search depends on besides the position: its time per
// decision, its seed, for tests a sample budget that replaces the clock, and,
// for measuring, the execution error of its own delivery known in advance.
#pragma once

#include <cstdint>

#include "search/search_settings.h"  // kDefaultDecisionMs
#include "search/strong/position_judge.h"

namespace search::strong {

struct StrongSettings {
  uint64_t timeMs;        // time per decision, from GO to the reply
  bool seedGiven;         // decisions reproducible from `seed` and the position
  uint64_t seed;          // used only when seedGiven
  uint64_t sampleBudget;  // when not 0, stop after this many samples instead of by time
  int threads;            // threads sampling at once, the calling one included
  uint64_t (*readClockMs)();
  Evaluation evaluation = kDefaultEvaluation;  // of positions between deliveries
  // When set, every sample executes the candidate with the error the game
  // will give the delivery: the simulator seeded with `foreseenSeed`, then the
  // search's noise (exact when the game's noise is kSimulationNoise). The
  // replies after it draw from the sample's own seed. No player can know
  // this; it bounds what a perfect reading of the execution could gain.
  bool foresee = false;
  uint64_t foreseenSeed = 0;
  // Stones of an end before this shot number are played by the one-ply pick
  // (search/one_ply_pick.h) instead of the search; 0 searches every stone.
  int searchFromShot = 0;
};

// The default time, fresh seeds, no sample budget, two threads (one where the
// platform has none), the real clock.
StrongSettings ShippedStrongSettings();

}  // namespace search::strong
