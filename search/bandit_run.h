// A bandit run on a pool that outlives it, so that the runs of one decision
// share their worker threads.
#pragma once

#include "search/playout_pool.h"
#include "search/search_settings.h"

namespace search {

// RunBanditSearchWithSettings on a pool the caller made, which outlives the
// run: the iterations' playouts are played on `pool` when it is given (the
// launcher kPool), else on separate threads (kAsync) or on the calling thread
// (kInline).
double RunBanditSearchOnPool(const SearchSettings& settings, PlayoutPool* pool, ShotVec* out,
                             BanditRunReport* report);

}  // namespace search
