#include "simulator/motion.h"

#include <algorithm>

#include "simulator/flight.h"

namespace sim {

Motion StartMotion(Vec2 position, Vec2 velocity, Curl curl, double time) {
  Motion motion{};
  motion.origin = position;
  motion.startTime = time;
  motion.curl = curl;
  const double speed = Norm(velocity);
  motion.startSpeed = speed;
  if (!(speed > 0.0)) {
    motion.frame = {1.0, 0.0};
    motion.flightAtStart = {0.0, 0.0};
    return motion;
  }
  const Vec2 direction = velocity * (1.0 / speed);
  if (curl == Curl::kNone) {
    motion.frame = direction;
    motion.flightAtStart = {StoppingDistance(speed), 0.0};
    return motion;
  }
  // The heading at speed v is direction · e^(±i(ψ(V) − ψ(v))): the frame
  // carries the e^(±iψ(V)) part, the table the rest.
  const FlightPoint start = FlightAt(speed);
  if (curl == Curl::kPositive) {
    motion.frame = Rotate(direction, Conj(start.heading));
    motion.flightAtStart = start.flight;
  } else {
    motion.frame = Rotate(direction, start.heading);
    motion.flightAtStart = Conj(start.flight);
  }
  return motion;
}

double StopTime(const Motion& motion) {
  return motion.startTime + motion.startSpeed / kFrictionDecel;
}

Kinematics KinematicsAtSpeed(const Motion& motion, double speed) {
  if (motion.curl == Curl::kNone) {
    const double travelled = motion.flightAtStart.x - StoppingDistance(speed);
    return {motion.origin + motion.frame * travelled, motion.frame * speed, speed, motion.frame};
  }
  const FlightPoint now = FlightAt(speed);
  Vec2 flight = now.flight;
  Vec2 heading = now.heading;
  if (motion.curl == Curl::kNegative) {
    flight = Conj(flight);
    heading = Conj(heading);
  }
  const Vec2 direction = Rotate(motion.frame, heading);
  return {motion.origin + Rotate(motion.frame, motion.flightAtStart - flight), direction * speed,
          speed, direction};
}

Kinematics KinematicsAt(const Motion& motion, double time) {
  const double elapsed = std::max(time - motion.startTime, 0.0);
  return KinematicsAtSpeed(motion, std::max(motion.startSpeed - kFrictionDecel * elapsed, 0.0));
}

Vec2 RestPosition(const Motion& motion) {
  if (motion.curl == Curl::kNone) return motion.origin + motion.frame * motion.flightAtStart.x;
  return motion.origin + Rotate(motion.frame, motion.flightAtStart);
}

}  // namespace sim
