// One delivery, with what a referee needs to know about it beyond the new
// position.
#pragma once

#include "simulator/curling_api.h"

namespace sim {

// What Simulation does, same checks and result codes; fills `report` (when
// not null) on success and leaves it alone otherwise.
int SimulateShot(GameState* state, ShotVec shot, float noise, SimulationReport* report);

}  // namespace sim
