// Free flight against the figures of the real game, and its internal
// consistency.
#include "simulator/motion.h"

#include <cmath>

#include <gtest/gtest.h>

#include "simulator/flight.h"
#include "simulator/sheet.h"
#include "tests/simulator/test_support.h"

namespace {

using sim::Vec2;

sim::Motion Released(ShotVec shot) {
  return sim::StartMotion({kReleaseX, kReleaseY}, {shot.vx, shot.vy},
                          shot.spin == 0 ? sim::Curl::kPositive : sim::Curl::kNegative, 0.0);
}

// Sideways distance of p from the line of release.
double OffLine(ShotVec shot, Vec2 p) {
  const Vec2 d{shot.vx, shot.vy};
  const Vec2 r = p - Vec2{kReleaseX, kReleaseY};
  return std::fabs(d.x * r.y - d.y * r.x) / sim::Norm(d);
}

// The time at which a path first reaches a given y, by bisection.
double TimeAtY(const sim::Motion& motion, double y) {
  double lo = 0;
  double hi = sim::StopTime(motion);
  for (int i = 0; i < 80; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (sim::KinematicsAt(motion, mid).position.y > y)
      lo = mid;
    else
      hi = mid;
  }
  return 0.5 * (lo + hi);
}

TEST(FreeFlight, ADrawToTheTeeMatchesTheRealGame) {
  const ShotVec shot = simtest::DrawTo(2.375f, 4.88f, 0);
  const sim::Motion motion = Released(shot);
  const double speed = std::hypot(shot.vx, shot.vy);
  EXPECT_GT(speed, 2.05);
  EXPECT_LT(speed, 2.3);
  const double hogToHog = TimeAtY(motion, kFarHogY);
  EXPECT_GT(hogToHog, 13.0);
  EXPECT_LT(hogToHog, 14.5);
  EXPECT_GT(sim::StopTime(motion), 25.0);
  EXPECT_LT(sim::StopTime(motion), 28.0);

  const double curl = OffLine(shot, sim::RestPosition(motion));
  EXPECT_GT(curl, 1.0);
  EXPECT_LT(curl, 1.5);
  // Most of the curl comes late, as the stone slows: the last third of the
  // path holds three quarters of it.
  const double stop = sim::StopTime(motion);
  double t = stop;
  double travelledBack = 0;
  const double pathLength = sim::StoppingDistance(speed);
  while (travelledBack < pathLength / 3) {
    t -= 0.01;
    const double v = sim::KinematicsAt(motion, t).speed;
    travelledBack = sim::StoppingDistance(v);
  }
  const double early = OffLine(shot, sim::KinematicsAt(motion, t).position);
  EXPECT_GT((curl - early) / curl, 0.75);
}

TEST(FreeFlight, FastStonesCurlLittle) {
  const ShotVec draw = simtest::DrawTo(2.375f, 4.88f, 1);
  const double drawCurl = OffLine(draw, sim::RestPosition(Released(draw)));
  const ShotVec takeout = simtest::HitAt(2.375f, 4.88f, 1, 15.0f);
  const sim::Motion motion = Released(takeout);
  const Vec2 atHouse = sim::KinematicsAt(motion, TimeAtY(motion, 6.71)).position;
  EXPECT_LT(OffLine(takeout, atHouse), 0.2 * drawCurl);
  // Hack weight, which would stop near the far hack, has curled a third to
  // two thirds of a draw's curl by the time it crosses the tee line.
  const ShotVec hack{0.0f, -static_cast<float>(std::sqrt(2 * sim::kFrictionDecel * 32.0)), 1, {}};
  const sim::Motion hackMotion = Released(hack);
  const Vec2 atTee = sim::KinematicsAt(hackMotion, TimeAtY(hackMotion, kTeeY)).position;
  const double hackCurl = OffLine(hack, atTee);
  EXPECT_GT(hackCurl, drawCurl / 3);
  EXPECT_LT(hackCurl, 2 * drawCurl / 3);
}

TEST(FreeFlight, PositionsAndVelocitiesAgree) {
  // The velocity is the derivative of the position, for every curl, at high
  // and low speed, and on either side of the table's end.
  for (sim::Curl curl : {sim::Curl::kPositive, sim::Curl::kNegative, sim::Curl::kNone}) {
    for (double speed : {0.3, 1.2, 2.2, 5.9, 7.5}) {
      const sim::Motion motion =
          sim::StartMotion({2.0, 30.0}, {0.3 * speed, -0.95 * speed}, curl, 1.0);
      const double stop = sim::StopTime(motion);
      for (double t = 1.0 + (stop - 1.0) / 8; t < stop - 0.01; t += (stop - 1.0) / 8) {
        const double h = 1e-4;
        const Vec2 a = sim::KinematicsAt(motion, t - h).position;
        const Vec2 b = sim::KinematicsAt(motion, t + h).position;
        const Vec2 numeric = (b - a) * (1 / (2 * h));
        const sim::Kinematics k = sim::KinematicsAt(motion, t);
        EXPECT_NEAR(numeric.x, k.velocity.x, 1e-5) << speed << " " << t;
        EXPECT_NEAR(numeric.y, k.velocity.y, 1e-5) << speed << " " << t;
        EXPECT_NEAR(sim::Norm(k.velocity), k.speed, 1e-9);
      }
      EXPECT_EQ(sim::KinematicsAt(motion, 1.0).position.x, 2.0);
      const Vec2 rest = sim::RestPosition(motion);
      EXPECT_NEAR(sim::KinematicsAt(motion, stop + 5).position.x, rest.x, 1e-12);
      EXPECT_NEAR(sim::KinematicsAt(motion, stop + 5).position.y, rest.y, 1e-12);
    }
  }
  // The two spins are mirror images.
  const sim::Motion plus = sim::StartMotion({0, 0}, {0, -2}, sim::Curl::kPositive, 0);
  const sim::Motion minus = sim::StartMotion({0, 0}, {0, -2}, sim::Curl::kNegative, 0);
  EXPECT_NEAR(sim::RestPosition(plus).x, -sim::RestPosition(minus).x, 1e-12);
  EXPECT_NEAR(sim::RestPosition(plus).y, sim::RestPosition(minus).y, 1e-12);
}

TEST(FreeFlight, TheAccelerationBoundHoldsAtEverySpeed) {
  // The contact search relies on it to step safely.
  for (double v = 0.001; v < 8.0; v += 0.001) {
    const double lateral = sim::kFrictionDecel * v * sim::CurlAngleRate(v);
    EXPECT_LE(std::hypot(sim::kFrictionDecel, lateral), sim::MaxAcceleration()) << v;
  }
  // The closed-form curl angle is the integral of its rate.
  double integral = 0;
  const double h = 1e-4;
  for (double v = 0; v < 3.0 - h / 2; v += h) integral += h * sim::CurlAngleRate(v + h / 2);
  EXPECT_NEAR(integral, sim::CurlAngle(3.0), 1e-8);
}

}  // namespace

TEST(FreeFlight, ARestingMotionIsWhatStartingAtRestGives) {
  // Field by field: a delivery sets up its resting stones with
  // the shortcut and the sweep restarts struck stones with StartMotion.
  for (const Vec2 p : {Vec2{2.375, 38.405}, Vec2{0.1, 45.0}, Vec2{-1.5, 1e-9}}) {
    const sim::Motion shortcut = sim::RestingMotion(p);
    const sim::Motion started = sim::StartMotion(p, {0.0, 0.0}, sim::Curl::kNone, 0.0);
    EXPECT_EQ(shortcut.origin.x, started.origin.x);
    EXPECT_EQ(shortcut.origin.y, started.origin.y);
    EXPECT_EQ(shortcut.startTime, started.startTime);
    EXPECT_EQ(shortcut.startSpeed, started.startSpeed);
    EXPECT_EQ(shortcut.frame.x, started.frame.x);
    EXPECT_EQ(shortcut.frame.y, started.frame.y);
    EXPECT_EQ(shortcut.flightAtStart.x, started.flightAtStart.x);
    EXPECT_EQ(shortcut.flightAtStart.y, started.flightAtStart.y);
    EXPECT_EQ(shortcut.curl, started.curl);
  }
}
