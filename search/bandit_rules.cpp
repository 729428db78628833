#include "search/bandit_rules.h"

namespace search {

double Epsilon(uint32_t iteration) {
  if (iteration == 0) return 1.0;
  const double epsilon = kExplorationConstant / static_cast<double>(iteration);
  return epsilon > 1.0 ? 1.0 : epsilon;
}

bool Explores(double epsilon, uint32_t r) {
  // 2^-32: the draw as a fraction of the generator's range.
  constexpr double kScale = 1.0 / 4294967296.0;
  return epsilon > static_cast<double>(r) * kScale;
}

double FoldScores(double mean, uint32_t count, int32_t sum) {
  const double n = static_cast<double>(count);
  return (mean * n + static_cast<double>(sum)) / (n + 8.0);
}

void ScanForLeader(const double* means, int count, double& bestValue, int& bestIndex) {
  for (int i = 0; i < count; ++i) {
    if (means[i] > bestValue) {
      bestValue = means[i];
      bestIndex = i;
    }
  }
}

}  // namespace search
