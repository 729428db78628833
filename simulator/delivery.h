// One delivery, with what a referee needs to know about it beyond the new
// position.
#pragma once

#include "simulator/curling_api.h"
#include "simulator/sweep.h"

namespace sim {

// What Simulation does, same checks and result codes; fills `report` (when
// not null) on success and leaves it alone otherwise. A trace, when given,
// records how the stones moved.
int SimulateShot(GameState* state, ShotVec shot, float noise, SimulationReport* report,
                 SweepTrace* trace = nullptr);

}  // namespace sim
