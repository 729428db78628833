// Binding of the simulator library: the engine has no physics of its own and
// reaches the library only through these process-wide entry points.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "simulator/curling_api.h"
#include "simulator/sheet.h"

// Scale of the execution error of every simulated delivery.
inline constexpr float kSimulationNoise = 0.3f;

// The library's exports, resolved once by BindSimulator before any other
// thread exists and only read afterwards.
extern SimulationFn simulation;
extern CreateShotFn createShot;
extern CreateHitShotFn createHitShot;
extern GetScoreFn getScore;

// The library's SeedSimulator, or null when it has none. Optional: only a
// search or a player asked for reproducible decisions needs it.
extern SeedSimulatorFn seedSimulator;

// Loads the simulator library and resolves Simulation, CreateShot,
// CreateHitShot and GetScore, in that order, then SeedSimulator when the
// library has it. On failure the user is told why on standard error and false
// is returned; the engine then has nothing to play with.
bool BindSimulator();

// The tee as a draw target, with the given spin.
constexpr ShotPos TeeTarget(uint8_t spin) {
  return ShotPos{static_cast<float>(kTeeX), static_cast<float>(kTeeY), spin, {0, 0, 0}};
}

// Turns a candidate into a shot, the one way it is done everywhere: a draw to
// the target when its power is kDrawPower, otherwise a hit on it with that power.
// Each thread keeps the shots it has made and hands them out again while the
// same shot makers are bound: the library's shot makers depend on their
// arguments alone.
void MakeCandidateShot(const ShotCandidate& candidate, ShotVec* shot);

// Delivers `shot` on the calling thread's game record with the usual noise.
void SimulateShot(GameState& state, const ShotVec& shot);
