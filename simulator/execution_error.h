// Execution error: the difference between the shot asked for and the shot a
// player actually releases.
#pragma once

#include <cstdint>
#include <random>

#include "simulator/vec2.h"

namespace sim {

// Standard deviations per unit of the noise argument: the release speed is
// off by a relative error and the direction by an angle, both normal and
// independent. At noise 0.3 a draw to the tee comes to rest with about 0.35 m
// of spread along the sheet and 0.25 m across.
inline constexpr double kSpeedErrorPerNoise = 0.0206;
inline constexpr double kAngleErrorPerNoise = 0.0235;

// The velocity actually released for an intended one, drawing from the
// calling thread's generator. Noise 0 returns the intention unchanged.
Vec2 PerturbRelease(Vec2 velocity, double noise);

// Seeds the calling thread's generator; until then it is seeded from the
// system's entropy source on first use.
void SeedThreadGenerator(uint64_t seed);

// The calling thread's generator as it stands, to be put back after a
// delivery that is then refused.
struct GeneratorSnapshot {
  std::mt19937 engine;
  bool seeded;
};
GeneratorSnapshot SaveThreadGenerator();
void RestoreThreadGenerator(const GeneratorSnapshot& snapshot);

}  // namespace sim
