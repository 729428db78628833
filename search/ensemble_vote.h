// The vote among the answers of the runs of one decision.
#pragma once

#include "search/search_settings.h"
#include "simulator/curling_api.h"

namespace search {

// Two answers agree when both velocity components differ by less than this,
// the difference taken in single precision, and their spins are equal.
inline constexpr double kAgreementTolerance = 0.05;

// Index of the winning run. Each run votes for itself, and each pair i < j of
// agreeing answers adds a vote to run i; most votes wins, ties going to the
// lower run. When no two runs agree, the highest value above -100 wins, ties
// again to the lower run, and run 0 when none is above -100.
int VoteAnswer(const ShotVec (&answers)[kRunsPerDecision],
               const double (&values)[kRunsPerDecision]);

}  // namespace search
