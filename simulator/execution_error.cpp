#include "simulator/execution_error.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace sim {
namespace {

thread_local GeneratorSnapshot generator{std::mt19937{}, false};

std::mt19937& Engine() {
  if (!generator.seeded) {
    std::random_device device;
    generator.engine.seed(device());
    generator.seeded = true;
  }
  return generator.engine;
}

// Two independent standard normal values by the Box-Muller transform, written
// out so that a seed gives the same values with any standard library.
void StandardNormalPair(std::mt19937& engine, double* a, double* b) {
  const double u1 = (static_cast<double>(engine()) + 0.5) * 0x1p-32;  // in (0, 1)
  const double u2 = static_cast<double>(engine()) * 0x1p-32;          // in [0, 1)
  const double radius = std::sqrt(-2.0 * std::log(u1));
  const double angle = 2.0 * std::numbers::pi * u2;
  *a = radius * std::cos(angle);
  *b = radius * std::sin(angle);
}

}  // namespace

Vec2 PerturbRelease(Vec2 velocity, double noise) {
  if (noise == 0.0) return velocity;
  double speedError = 0.0;
  double angleError = 0.0;
  StandardNormalPair(Engine(), &speedError, &angleError);
  // Errors saturate at absurd noise levels: never a reversed or doubled throw.
  const double scale = 1.0 + std::clamp(kSpeedErrorPerNoise * noise * speedError, -1.0, 1.0);
  const double angle =
      std::clamp(kAngleErrorPerNoise * noise * angleError, -std::numbers::pi, std::numbers::pi);
  const Vec2 turn{std::cos(angle), std::sin(angle)};
  return Rotate(velocity, turn) * scale;
}

void SeedThreadGenerator(uint64_t seed) {
  std::seed_seq sequence{static_cast<uint32_t>(seed), static_cast<uint32_t>(seed >> 32)};
  generator.engine.seed(sequence);
  generator.seeded = true;
}

GeneratorSnapshot SaveThreadGenerator() {
  return generator;
}

void RestoreThreadGenerator(const GeneratorSnapshot& snapshot) {
  generator = snapshot;
}

}  // namespace sim
