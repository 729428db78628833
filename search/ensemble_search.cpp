#include <optional>

#include "search/bandit_run.h"
#include "search/ensemble_vote.h"
#include "search/search.h"
#include "search/search_settings.h"

namespace search {

void EnsembleSearchWith(const SearchSettings& settings, ShotVec* out) {
  ShotVec answers[kRunsPerDecision]{};
  double values[kRunsPerDecision];
  // One pool for the whole decision.
  std::optional<PlayoutPool> pool;
  if (settings.launcher == PlayoutLauncher::kPool) pool.emplace(PlayoutPool::DefaultWorkerCount());
  for (int run = 0; run < kRunsPerDecision; ++run) {
    values[run] = RunBanditSearchOnPool(settings, pool ? &*pool : nullptr, &answers[run], nullptr);
  }
  const ShotVec& chosen = answers[VoteAnswer(answers, values)];
  out->vx = chosen.vx;
  out->vy = chosen.vy;
  out->spin = chosen.spin;
}

void EnsembleSearch(ShotVec* out) {
  EnsembleSearchWith(ShippedSearchSettings(), out);
}

}  // namespace search
