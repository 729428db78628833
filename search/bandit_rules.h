// The arithmetic of one bandit run, kept apart so that every rule can be
// checked on its own.
#pragma once

#include <cstdint>

namespace search {

// Best value a run starts from, below any possible mean end score.
inline constexpr double kInitialBestValue = -100.0;

// Exploration constant: epsilon is 200 / e, at most 1.
inline constexpr double kExplorationConstant = 200.0;

// Probability of exploring at iteration e (counted from 0): 1 up to e = 200,
// then 200 / e.
double Epsilon(uint32_t iteration);

// Whether the 32-bit draw `r`, read as r / 2^32 in [0, 1), falls below epsilon.
bool Explores(double epsilon, uint32_t r);

// The running mean of a candidate after `count` playouts, with eight more
// whose scores add up to `sum`.
double FoldScores(double mean, uint32_t count, int32_t sum);

// Scans the means of candidates 0 .. count - 1 in order; a candidate takes
// the lead only when its mean is strictly above the best value recorded by
// any scan before. The best value is never lowered, so a leader whose mean
// falls keeps the lead until some mean beats the recorded best.
void ScanForLeader(const double* means, int count, double& bestValue, int& bestIndex);

}  // namespace search
