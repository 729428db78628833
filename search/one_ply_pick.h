// The one-ply pick: every candidate shot of the position tried a few times
// with execution error, and the one after which the end stands best for the
// side about to deliver. No look-ahead. The greedy opponent plays it, and the
// strong search can play it for the early stones of an end.
#pragma once

#include <vector>

#include "candidates/shot_candidate.h"
#include "simulator/curling_api.h"

namespace search {

// Executions of each candidate.
inline constexpr int kOnePlyTrials = 4;

// The pick in `position`, its trials drawing from the calling thread's
// execution error as it stands. `scratch` holds the candidate list between
// calls (any size; it grows as needed).
ShotVec OnePlyPick(const GameState& position, std::vector<candidates::ShotCandidate>& scratch);

}  // namespace search
