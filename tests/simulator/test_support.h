// Small helpers shared by the simulator tests.
#pragma once

#include <cmath>
#include <cstring>

#include "simulator/curling_api.h"

namespace simtest {

inline GameState State(int shotNumber, uint8_t turnFlag = 0) {
  GameState state{};
  state.shotNumber = shotNumber;
  state.turnFlag = turnFlag;
  return state;
}

inline ShotVec DrawTo(float x, float y, uint8_t spin) {
  ShotVec shot{};
  CreateShot(ShotPos{x, y, spin, {}}, &shot);
  return shot;
}

inline ShotVec HitAt(float x, float y, uint8_t spin, float power) {
  ShotVec shot{};
  CreateHitShot(ShotPos{x, y, spin, {}}, power, &shot);
  return shot;
}

// Delivers without execution error.
inline void Play(GameState& state, ShotVec shot) {
  Simulation(&state, shot, 0.0f, 0, -1);
}

inline bool IsOff(StonePos p) {
  return p.x == 0.0f && p.y == 0.0f;
}

inline double Distance(StonePos p, double x, double y) {
  return std::hypot(p.x - x, p.y - y);
}

inline bool SameBytes(const GameState& a, const GameState& b) {
  return std::memcmp(&a, &b, sizeof(GameState)) == 0;
}

}  // namespace simtest
