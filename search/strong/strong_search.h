// The stronger search: one search over the whole time budget. Every candidate
// shot of the position is sampled with execution error and valued by what
// its end is worth for the game; rounds of successive halving move the
// samples to the contenders. Samples of the same index share their random
// numbers across candidates, so that candidates are compared on equal luck.
// At the end's last stone a sample's value is exact; at the stone before,
// the opponent answers with its best reply; earlier, a few stones of the best
// replies follow and the end is valued as it then stands.
#pragma once

#include <cstdint>

#include "search/strong/strong_settings.h"
#include "simulator/curling_api.h"

// What a search did, for tests and tuning.
struct StrongReport {
  int candidates;       // shots considered
  uint64_t samples;     // samples over all candidates
  int rounds;           // rounds begun
  int chosen;           // index of the answer among the candidates
  double value;         // its mean value: the chance of winning the game
  bool stoppedByClock;  // the time ran out before the samples did
};

// Searches `position` for the side about to deliver, whose lead in the game
// before this end is `lead`, starting the clock at `startMs` (a reading of
// settings.readClockMs). Leaves the calling thread's game record as it was;
// `report` may be null.
ShotVec SearchStrong(const GameState& position, int lead, const StrongSettings& settings,
                     uint64_t startMs, StrongReport* report);

// Searches the calling thread's position with CurrentStrongSettings() and
// writes the BESTSHOT reply. The lead comes from what earlier decisions of the
// game saw (InferLead).
void DecideShotStrong();
