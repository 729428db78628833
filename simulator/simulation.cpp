// The library's exports: one delivery, the score of a position, the seed.
#include <algorithm>
#include <cmath>
#include <vector>

#include "simulator/curling_api.h"
#include "simulator/delivery.h"
#include "simulator/execution_error.h"
#include "simulator/paths.h"
#include "simulator/rules.h"

extern "C" {

int Simulation(GameState* state, ShotVec shot, float noise, int32_t /*reserved1*/,
               int32_t /*reserved2*/) {
  return sim::SimulateShot(state, shot, noise, nullptr);
}

int SimulationWithReport(GameState* state, ShotVec shot, float noise, SimulationReport* report) {
  const int result = sim::SimulateShot(state, shot, noise, report);
  if (result != kSimOk && report != nullptr) *report = SimulationReport{};
  return result;
}

int SimulationWithPaths(GameState* state, ShotVec shot, float noise, SimulationReport* report,
                        float timeStep, PathSample* samples, int32_t capacity,
                        DeliveryPaths* paths) {
  if (report != nullptr) *report = SimulationReport{};
  if (paths != nullptr) *paths = DeliveryPaths{};
  if (state == nullptr || paths == nullptr || (samples == nullptr && capacity > 0)) {
    return kSimNullPointer;
  }
  if (!std::isfinite(timeStep)) return kSimNonFiniteInput;
  // Finer than a millisecond only multiplies samples; coarser than ten
  // seconds leaves a delivery with hardly any.
  if (!(timeStep >= 0.001f && timeStep <= 10.0f)) return kSimTimeStepOutOfRange;
  const sim::GeneratorSnapshot generator = sim::SaveThreadGenerator();
  GameState after = *state;
  SimulationReport made{};
  sim::SweepTrace trace;
  const int result = sim::SimulateShot(&after, shot, noise, &made, &trace);
  if (result != kSimOk) return result;
  std::vector<PathSample> taken;
  sim::SamplePaths(trace, timeStep, taken, paths->stones);
  if (taken.size() > static_cast<size_t>(std::max(capacity, 0))) {
    sim::RestoreThreadGenerator(generator);
    *paths = DeliveryPaths{};
    paths->sampleCount = static_cast<int32_t>(taken.size());
    return kSimPathBufferTooSmall;
  }
  std::copy(taken.begin(), taken.end(), samples);
  paths->sampleCount = static_cast<int32_t>(taken.size());
  *state = after;
  if (report != nullptr) *report = made;
  return kSimOk;
}

int GetScore(const GameState* state) {
  if (state == nullptr) return 0;
  return sim::ScorePosition(*state);
}

void SeedSimulator(uint64_t seed) {
  sim::SeedThreadGenerator(seed);
}

}  // extern "C"
