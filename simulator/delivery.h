// One delivery, with what a referee needs to know about it beyond the new
// position.
#pragma once

#include "simulator/curling_api.h"
#include "simulator/vec2.h"

namespace sim {

struct DeliveryReport {
  Vec2 released;      // the velocity executed: after execution error and the speed limit
  GameState settled;  // the record as the shot left it, before the close of an end clears it
};

// What Simulation does, same checks and result codes; fills `report` (when
// not null) on success.
int DeliverShot(GameState* state, ShotVec shot, float noise, DeliveryReport* report);

}  // namespace sim
