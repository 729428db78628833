// Free flight of a stone between contacts.
//
// Friction decelerates a stone at a constant rate along its path, so its speed
// falls linearly with time. A rotating stone also curls: its heading turns at
// the rate dψ/dt, where ψ(v) is the curl angle, a function of speed alone whose
// slope K / (v³ + c³) is large only at low speed. Both spins curl alike,
// mirrored. Since speed is linear in time, the path from any speed V down to v
// is fixed up to a rotation: its displacement is rot · (G(V) − G(v)) with
//   G(w) = ∫₀ʷ e^(−iψ(u)) · u / a du,
// a single function of speed, tabulated once. A stone knocked into motion has
// no rotation of its own and travels straight.
#pragma once

#include "simulator/vec2.h"

namespace sim {

// Friction coefficient 0.0085 on pebbled ice.
inline constexpr double kFrictionDecel = 0.0085 * 9.81;

// The curl law dψ/dv = kCurlStrength / (v³ + kCurlSpeed³): a draw curls about
// 1.25 m, most of it below 1 m/s; a takeout hardly curls before the house.
inline constexpr double kCurlStrength = 0.145;
inline constexpr double kCurlSpeed = 0.5;

// Above this speed the curl is neglected (its rate there is under 0.001 rad
// per m/s); the table covers speeds up to it.
inline constexpr double kTableMaxSpeed = 6.0;

// The curl angle ψ(v), with ψ(0) = 0, and its slope.
double CurlAngle(double speed);
double CurlAngleRate(double speed);

// G(v) and the unit heading factor E(v) = e^(−iψ(v)), interpolated from the
// table; exact beyond it.
struct FlightPoint {
  Vec2 flight;   // G(v)
  Vec2 heading;  // E(v)
};
FlightPoint FlightAt(double speed);

// Distance travelled along the path while slowing from `speed` to rest.
inline double StoppingDistance(double speed) {
  return speed * speed / (2 * kFrictionDecel);
}

// An upper bound on the magnitude of a moving stone's acceleration: friction
// along the path and the curl across it.
double MaxAcceleration();

}  // namespace sim
