// A stone during a shot: its motion, where it is now, and whether it moves.
#pragma once

#include "simulator/motion.h"

namespace sim {

enum class StoneState : unsigned char { kResting, kMoving, kOut };

struct Stone {
  Motion motion;
  Vec2 position;
  Vec2 velocity;
  double speed;
  StoneState state;
};

inline bool IsMoving(const Stone& s) {
  return s.state == StoneState::kMoving;
}
inline bool InPlay(const Stone& s) {
  return s.state != StoneState::kOut;
}

// A stone at rest at `position`.
inline Stone RestingStone(Vec2 position) {
  // Every field set, none cleared first: a delivery sets up every stone in
  // play this way.
  Stone s;
  s.motion = RestingMotion(position);
  s.position = position;
  s.velocity = {0.0, 0.0};
  s.speed = 0.0;
  s.state = StoneState::kResting;
  return s;
}

// A stone set in motion at time 0.
inline Stone MovingStone(Vec2 position, Vec2 velocity, Curl curl) {
  Stone s{};
  s.motion = StartMotion(position, velocity, curl, 0.0);
  s.position = position;
  s.speed = Norm(velocity);
  s.state = s.speed > 0 ? StoneState::kMoving : StoneState::kResting;
  s.velocity = s.speed > 0 ? velocity : Vec2{0.0, 0.0};
  return s;
}

}  // namespace sim
