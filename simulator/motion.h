// The motion of one stone from its last contact until it comes to rest.
#pragma once

#include "simulator/vec2.h"

namespace sim {

// Curl direction: +1 turns the heading towards increasing x for a stone
// travelling down the sheet (spin 0), −1 the other way (spin 1), 0 no curl.
enum class Curl : int { kNone = 0, kPositive = 1, kNegative = -1 };

struct Motion {
  Vec2 origin;         // position at startTime
  double startTime;    // seconds
  double startSpeed;   // m/s at startTime
  Vec2 frame;          // unit rotation from the table's frame to the sheet
  Vec2 flightAtStart;  // G(startSpeed), mirrored for Curl::kNegative
  Curl curl;
};

// A motion that starts at `time` from `position` with `velocity`.
Motion StartMotion(Vec2 position, Vec2 velocity, Curl curl, double time);

// What StartMotion gives for a stone at rest from time 0, without its call:
// a delivery sets up every stone already in play this way.
inline Motion RestingMotion(Vec2 position) {
  Motion motion;
  motion.origin = position;
  motion.startTime = 0.0;
  motion.startSpeed = 0.0;
  motion.frame = {1.0, 0.0};
  motion.flightAtStart = {0.0, 0.0};
  motion.curl = Curl::kNone;
  return motion;
}

double StopTime(const Motion& motion);

// Position and velocity at `time` (at rest once the stone has stopped), or at
// the moment the stone has slowed to `speed`.
struct Kinematics {
  Vec2 position;
  Vec2 velocity;
  double speed;
  Vec2 direction;  // unit heading, defined even at rest
};
Kinematics KinematicsAt(const Motion& motion, double time);
Kinematics KinematicsAtSpeed(const Motion& motion, double speed);

// Where the stone comes to rest if nothing stops it first.
Vec2 RestPosition(const Motion& motion);

}  // namespace sim
