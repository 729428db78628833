#include "search/ensemble_vote.h"

#include <cmath>
#include <cstdint>

#include "search/bandit_rules.h"

namespace search {

namespace {

bool Agree(const ShotVec& a, const ShotVec& b) {
  const float dx = std::fabs(a.vx - b.vx);
  const float dy = std::fabs(a.vy - b.vy);
  return static_cast<double>(dx) < kAgreementTolerance &&
         static_cast<double>(dy) < kAgreementTolerance && a.spin == b.spin;
}

}  // namespace

int VoteAnswer(const ShotVec (&answers)[kRunsPerDecision],
               const double (&values)[kRunsPerDecision]) {
  uint32_t votes[kRunsPerDecision];
  for (uint32_t& vote : votes) vote = 1;
  for (int i = 0; i < kRunsPerDecision - 1; ++i) {
    for (int j = i + 1; j < kRunsPerDecision; ++j) {
      if (Agree(answers[i], answers[j])) ++votes[i];
    }
  }
  int winner = 0;
  for (int r = 1; r < kRunsPerDecision; ++r) {
    if (votes[r] > votes[winner]) winner = r;
  }
  if (votes[winner] > 1) return winner;

  double best = kInitialBestValue;
  for (int r = 0; r < kRunsPerDecision; ++r) {
    if (values[r] > best) {
      best = values[r];
      winner = r;
    }
  }
  return winner;
}

}  // namespace search
