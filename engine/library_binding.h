// Binding of the simulator library: the engine has no physics of its own and
// reaches the library only through these process-wide entry points.
#pragma once

#include <cstdint>

#include "simulator/curling_api.h"
#include "simulator/sheet.h"

// The library's exports, resolved once by engine::BindSimulator before any
// other thread exists and only read afterwards. They stay at global scope,
// beside the library's own C declarations, because they are those exports
// under the library's C names: in the engine's namespace they would read as
// functions of the engine's own.
extern SimulationFn simulation;
extern CreateShotFn createShot;
extern CreateHitShotFn createHitShot;
extern GetScoreFn getScore;

// The library's SeedSimulator, or null when it has none. Optional: only a
// search or a player asked for reproducible decisions needs it.
extern SeedSimulatorFn seedSimulator;

namespace engine {

// Loads the simulator library and resolves Simulation, CreateShot,
// CreateHitShot and GetScore, in that order, then SeedSimulator when the
// library has it. On failure the user is told why on standard error and false
// is returned; the engine then has nothing to play with.
bool BindSimulator();

// The tee as a draw target, with the given spin.
constexpr ShotPos TeeTarget(uint8_t spin) {
  return ShotPos{static_cast<float>(kTeeX), static_cast<float>(kTeeY), spin, {0, 0, 0}};
}

}  // namespace engine
