// A delivery as the searches and the opponents picture it: the shot carried
// out through the physics with the execution error a real delivery has.
#pragma once

#include "engine/library_binding.h"

namespace search {

// Scale of the execution error of every delivery a search simulates.
inline constexpr float kSimulationNoise = 0.3f;

// Delivers `shot` on `state` with that noise.
inline void SimulateShot(GameState& state, const ShotVec& shot) {
  simulation(&state, shot, kSimulationNoise, 0, -1);
}

}  // namespace search
