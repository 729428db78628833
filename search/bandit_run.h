// A bandit run on a pool that outlives it, so that the runs of one decision
// share their worker threads.
#pragma once

#include "search/playout_pool.h"
#include "search/search_settings.h"

// RunBanditSearchWith, with the iterations' playouts played on `pool` when
// the launcher is kPool (the pool must then be given), on separate threads
// (kAsync) or on the calling thread (kInline) otherwise.
double RunBanditSearchIn(const SearchSettings& settings, PlayoutPool* pool, ShotVec* out,
                         BanditRunReport* report);
