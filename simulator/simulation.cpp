// The library's exports: one delivery, the score of a position, the seed.
#include "simulator/curling_api.h"
#include "simulator/delivery.h"
#include "simulator/execution_error.h"
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

int GetScore(const GameState* state) {
  if (state == nullptr) return 0;
  return sim::ScorePosition(*state);
}

void SeedSimulator(uint64_t seed) {
  sim::SeedThreadGenerator(seed);
}

}  // extern "C"
