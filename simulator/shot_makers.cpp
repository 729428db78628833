#include "simulator/shot_makers.h"

#include <algorithm>
#include <cmath>

#include "simulator/curling_api.h"
#include "simulator/flight.h"
#include "simulator/sheet.h"

namespace sim {
namespace {

// Draw weight p (1 to 10) carries an unobstructed stone down the centre line
// to threshold row p: 1 short of the top guard row ... 10 just past the back
// line, each weight reaching the rows where it is first offered as a hit.
// Takeout weights, m/s at release: from a firm hit to a hard peel that still
// runs above 2.5 m/s through the house.
constexpr double kTakeoutSpeeds[5] = {2.45, 2.65, 2.9, 3.2, 3.5};

double WeightSpeed(int power) {
  if (power <= 10) return std::sqrt(2 * kFrictionDecel * (kReleaseY - kThresholdRowY[power]));
  return kTakeoutSpeeds[power - 11];
}

// Solves |G(V) − G(arrival)| = distance for V by Newton's method on the
// squared length, which grows with V; the straight-line speed is a lower bound.
double SpeedForChord(double distance, double arrival) {
  double speed = std::sqrt(arrival * arrival + 2 * kFrictionDecel * distance);
  const Vec2 end = FlightAt(arrival).flight;
  for (int i = 0; i < 50; ++i) {
    const FlightPoint at = FlightAt(speed);
    const Vec2 chord = at.flight - end;
    const double residual = Norm2(chord) - distance * distance;
    const double slope = 2 * Dot(chord, at.heading) * speed / kFrictionDecel;
    if (!(slope > 0)) break;
    const double next = speed - residual / slope;
    if (!(next > 0) || std::fabs(next - speed) <= 1e-13 * speed) {
      speed = next > 0 ? next : speed;
      break;
    }
    speed = next;
  }
  return speed;
}

// Solves |start − G(v)| = distance, start being G(speed), for the arrival
// speed v in [0, speed], where the left side falls as v rises. The
// straight-path guess is already close; Newton steps are kept inside a
// shrinking bracket.
double ArrivalForChord(double speed, Vec2 start, double distance) {
  double lo = 0.0;
  double hi = speed;
  double v = std::sqrt(std::max(speed * speed - 2 * kFrictionDecel * distance, 0.0));
  for (int i = 0; i < 60; ++i) {
    const FlightPoint at = FlightAt(v);
    const Vec2 chord = start - at.flight;
    const double length = Norm(chord);
    const double residual = length - distance;
    if (residual > 0)
      lo = v;
    else
      hi = v;
    // d|chord|/dv = −(chord · E(v)) v / (a |chord|)
    const double slope = -Dot(chord, at.heading) * v / (kFrictionDecel * length);
    double next = slope < 0 ? v - residual / slope : 0.5 * (lo + hi);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::fabs(next - v) <= 1e-11) return next;
    v = next;
  }
  return v;
}

// The release velocity of `speed` whose path, rotated as a whole, turns the
// table-frame chord into `offset`; `heading` is the table's E(speed).
Vec2 AimAlong(Vec2 offset, double distance, Vec2 chord, double speed, Vec2 heading,
              bool curlsPositive) {
  const double chordLength = Norm(chord);
  if (!(distance > 0) || !(chordLength > 0)) return {0.0, -speed};
  const Vec2 toTarget = offset * (1.0 / distance);
  const Vec2 unitChord = chord * (1.0 / chordLength);
  // Positive curl: the path is e^(i(α+ψ(V)))·chord, so e^(iα) = target · conj(chord) · E(V);
  // negative curl mirrors the table.
  const Vec2 direction = curlsPositive ? Rotate(Rotate(toTarget, Conj(unitChord)), heading)
                                       : Rotate(Rotate(toTarget, unitChord), Conj(heading));
  return direction * speed;
}

}  // namespace

double HitWeightSpeed(double power) {
  const int whole = std::clamp(static_cast<int>(std::floor(power)), 1, 15);
  if (whole == 15) return WeightSpeed(15);
  const double fraction = power - whole;
  return WeightSpeed(whole) + fraction * (WeightSpeed(whole + 1) - WeightSpeed(whole));
}

Vec2 DrawVelocity(Vec2 target, bool curlsPositive) {
  const Vec2 offset = target - Vec2{kReleaseX, kReleaseY};
  const double distance = Norm(offset);
  if (!(distance > 0)) return {0.0, 0.0};
  const double speed = SpeedForChord(distance, 0.0);
  const FlightPoint release = FlightAt(speed);
  return AimAlong(offset, distance, release.flight, speed, release.heading, curlsPositive);
}

Vec2 HitVelocity(Vec2 target, double speed, bool curlsPositive) {
  const Vec2 offset = target - Vec2{kReleaseX, kReleaseY};
  const double distance = Norm(offset);
  if (!(distance > 0)) return {0.0, -speed};
  // The table's values at the release speed are asked once for each speed.
  // A chord runs from release to where the stone has slowed to an arrival
  // speed, in the table's frame: G(speed) − G(arrival).
  FlightPoint release = FlightAt(speed);
  if (Norm(release.flight - FlightAt(kMinHitArrivalSpeed).flight) < distance) {
    speed = SpeedForChord(distance, kMinHitArrivalSpeed);
    release = FlightAt(speed);
  }
  const double arrival = ArrivalForChord(speed, release.flight, distance);
  return AimAlong(offset, distance, release.flight - FlightAt(arrival).flight, speed,
                  release.heading, curlsPositive);
}

}  // namespace sim

namespace {

bool FiniteTarget(const ShotPos& target) {
  return std::isfinite(target.x) && std::isfinite(target.y);
}

void Fill(ShotVec* out, sim::Vec2 velocity, uint8_t spin) {
  *out = ShotVec{};
  out->vx = static_cast<float>(velocity.x);
  out->vy = static_cast<float>(velocity.y);
  out->spin = spin;
}

}  // namespace

extern "C" {

int CreateShot(ShotPos target, ShotVec* out) {
  if (out == nullptr) return kSimNullPointer;
  *out = ShotVec{};
  if (!FiniteTarget(target)) return kSimNonFiniteInput;
  Fill(out, sim::DrawVelocity({target.x, target.y}, target.spin == 0), target.spin);
  return kSimOk;
}

int CreateHitShot(ShotPos target, float power, ShotVec* out) {
  if (out == nullptr) return kSimNullPointer;
  *out = ShotVec{};
  if (!FiniteTarget(target) || !std::isfinite(power)) return kSimNonFiniteInput;
  if (power < 1.0f || power > 15.0f) return kSimPowerOutOfRange;
  const double speed = sim::HitWeightSpeed(power);
  Fill(out, sim::HitVelocity({target.x, target.y}, speed, target.spin == 0), target.spin);
  return kSimOk;
}

}  // extern "C"
