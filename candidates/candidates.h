// The list of shots worth trying in the calling thread's position.
#pragma once

#include <cstdint>

#include "candidates/candidate_grid.h"
#include "candidates/shot_candidate.h"
#include "candidates/stone_geometry.h"
#include "candidates/strategy_table.h"
#include "engine/game_state.h"

namespace candidates {

// Room that every caller provides for a list; the generator never writes more.
inline constexpr int kCandidateCapacity = 1250;

// Writes the candidates of the calling thread's position (`gameState`) into
// out[0 .. count - 1] and returns the count (at least 2, at most
// kCandidateCapacity). The list starts with the two draws to the tee (spin 0,
// then 1); then the grid is walked column by column, x ascending, and within a
// column y ascending, each point adding its hits (powers ascending, spin 0
// before spin 1 at each power) and then its draws. When the list is full the
// walk stops there. The strategy table gives the guard rows and the lowest
// hit powers.
int GenerateCandidates(ShotCandidate* out, const StrategyTable& table = yThresholds);

// The entry at index draw % count of the list GenerateCandidates writes, where
// count is that list's length, found without writing the list.
ShotCandidate PickCandidate(uint32_t draw, const StrategyTable& table = yThresholds);

}  // namespace candidates
