// What the stronger search depends on besides the position: its time per
// decision, its seed, and, for tests, a sample budget that replaces the clock.
#pragma once

#include <cstdint>

#include "search/search_settings.h"  // kDefaultDecisionMs
#include "search/strong/position_judge.h"

struct StrongSettings {
  uint64_t timeMs;        // time per decision, from GO to the reply
  bool seedGiven;         // decisions reproducible from `seed` and the position
  uint64_t seed;          // used only when seedGiven
  uint64_t sampleBudget;  // when not 0, stop after this many samples instead of by time
  int threads;            // threads sampling at once, the calling one included
  uint64_t (*readClockMs)();
  Evaluation evaluation = Evaluation::kStandingTable;  // of positions between deliveries
};

// The default time, fresh seeds, no sample budget, two threads, the real clock.
StrongSettings DefaultStrongSettings();
