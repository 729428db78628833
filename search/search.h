// Choosing the shot to play: random playouts value a position, bandit runs
// spend a time budget on the candidate shots, and five runs vote.
#pragma once

#include <cstdint>

#include "simulator/curling_api.h"

namespace search {

// Plays the calling thread's position to the close of its end with candidate
// shots picked at random, and returns the end's score for this player.
int RandomPlayout();

// RandomPlayout with its generator seeded from `seed` instead of the system's
// entropy source: the same position, seed and simulator noise play the same.
int SeededRandomPlayout(uint32_t seed);

// One epsilon-greedy bandit run over the candidate shots of the calling
// thread's position, for kRunBudgetSeconds or at most kRunIterationCap
// iterations (search/search_settings.h). Writes the leader's shot to `out` and
// returns the highest mean any scan recorded. The position is the same, byte
// for byte, afterwards.
double RunBanditSearch(ShotVec* out);

// Five runs one after another, then the vote: the answer most runs agree on,
// or by value when no two agree.
void EnsembleSearch(ShotVec* out);

// Searches the calling thread's position with the reference player as
// shipped and writes the BESTSHOT reply.
void DecideShot();

}  // namespace search
