#include "engine/linked_simulator.h"

#include "engine/library_binding.h"
#include "simulator/curling_api.h"

namespace engine {

void BindLinkedSimulator() {
  simulation = Simulation;
  createShot = CreateShot;
  createHitShot = CreateHitShot;
  getScore = GetScore;
  seedSimulator = SeedSimulator;
}

}  // namespace engine
