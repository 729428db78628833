#include "simulator/flight.h"

#include <array>
#include <cmath>
#include <numbers>

namespace sim {
namespace {

// Hermite nodes every 1/128 m/s: interpolation error far below a micrometre.
constexpr double kStep = 1.0 / 128;
constexpr int kIntervals = static_cast<int>(kTableMaxSpeed / kStep);

struct Node {
  Vec2 flight;        // G
  Vec2 flightSlope;   // dG/dv · step
  Vec2 heading;       // E
  Vec2 headingSlope;  // dE/dv · step
};

struct FlightTable {
  std::array<Node, kIntervals + 1> nodes;
  double maxAcceleration;
};

Vec2 HeadingOf(double speed) {
  const double psi = CurlAngle(speed);
  return {std::cos(psi), -std::sin(psi)};
}

Node MakeNode(double speed, Vec2 flight) {
  const Vec2 heading = HeadingOf(speed);
  const double rate = CurlAngleRate(speed);
  Node node{};
  node.flight = flight;
  node.flightSlope = heading * (speed / kFrictionDecel * kStep);
  node.heading = heading;
  // dE/dv = −i ψ'(v) E
  node.headingSlope = Rotate(heading, Vec2{0.0, -rate}) * kStep;
  return node;
}

FlightTable BuildTable() {
  // Seven-point Gauss-Legendre quadrature over each interval integrates the
  // smooth integrand to rounding error.
  static constexpr double kAbscissae[7] = {
      -0.9491079123427585, -0.7415311855993945, -0.4058451513773972, 0.0,
      0.4058451513773972,  0.7415311855993945,  0.9491079123427585};
  static constexpr double kWeights[7] = {0.1294849661688697, 0.2797053914892766, 0.3818300505051189,
                                         0.4179591836734694, 0.3818300505051189, 0.2797053914892766,
                                         0.1294849661688697};
  FlightTable table{};
  Vec2 flight{0.0, 0.0};
  table.nodes[0] = MakeNode(0.0, flight);
  for (int k = 0; k < kIntervals; ++k) {
    const double mid = (k + 0.5) * kStep;
    Vec2 sum{0.0, 0.0};
    for (int q = 0; q < 7; ++q) {
      const double u = mid + 0.5 * kStep * kAbscissae[q];
      sum = sum + HeadingOf(u) * (kWeights[q] * u / kFrictionDecel);
    }
    flight = flight + sum * (0.5 * kStep);
    table.nodes[k + 1] = MakeNode((k + 1) * kStep, flight);
  }
  // The curl's share of the acceleration is v ψ'(v) of friction; take its
  // maximum over a fine scan, with a margin for what lies between samples.
  double lateral = 0.0;
  for (int i = 0; i <= 60000; ++i) {
    const double v = i * (kTableMaxSpeed / 60000);
    lateral = std::max(lateral, v * CurlAngleRate(v));
  }
  table.maxAcceleration = kFrictionDecel * std::hypot(1.0, lateral) * 1.001;
  return table;
}

const FlightTable& Table() {
  static const FlightTable table = BuildTable();
  return table;
}

Vec2 Hermite(Vec2 p0, Vec2 m0, Vec2 p1, Vec2 m1, double t) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  const double h00 = 2 * t3 - 3 * t2 + 1;
  const double h10 = t3 - 2 * t2 + t;
  const double h01 = -2 * t3 + 3 * t2;
  const double h11 = t3 - t2;
  return p0 * h00 + m0 * h10 + p1 * h01 + m1 * h11;
}

}  // namespace

double CurlAngle(double speed) {
  // ∫₀ᵛ du / (u³ + c³) in closed form.
  const double c = kCurlSpeed;
  const double v = speed;
  const double logPart = std::log((v + c) * (v + c) / (v * v - c * v + c * c)) / (6 * c * c);
  const double atanPart =
      (std::atan((2 * v - c) / (std::numbers::sqrt3 * c)) + std::numbers::pi / 6) /
      (std::numbers::sqrt3 * c * c);
  return kCurlStrength * (logPart + atanPart);
}

double CurlAngleRate(double speed) {
  return kCurlStrength / (speed * speed * speed + kCurlSpeed * kCurlSpeed * kCurlSpeed);
}

FlightPoint FlightAt(double speed) {
  const FlightTable& table = Table();
  if (!(speed > 0.0)) return {{0.0, 0.0}, {1.0, 0.0}};
  if (speed >= kTableMaxSpeed) {
    const Node& last = table.nodes[kIntervals];
    const double extra = (speed * speed - kTableMaxSpeed * kTableMaxSpeed) / (2 * kFrictionDecel);
    return {last.flight + last.heading * extra, last.heading};
  }
  const double scaled = speed * (1.0 / kStep);
  const int k = static_cast<int>(scaled);
  const double t = scaled - k;
  const Node& a = table.nodes[k];
  const Node& b = table.nodes[k + 1];
  return {Hermite(a.flight, a.flightSlope, b.flight, b.flightSlope, t),
          Hermite(a.heading, a.headingSlope, b.heading, b.headingSlope, t)};
}

double MaxAcceleration() {
  return Table().maxAcceleration;
}

}  // namespace sim
