// The candidate walk written plainly, point by point and predicate by
// predicate, as the yardstick for the fast generator.
#pragma once

#include "candidates/shot_candidate.h"
#include "candidates/strategy_table.h"
#include "engine/game_state.h"

int ReferenceGenerateCandidates(candidates::ShotCandidate* out,
                                const candidates::StrategyTable& table = candidates::yThresholds);
