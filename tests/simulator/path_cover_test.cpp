// The path cover may only ever rule out what the true path cannot reach.
#include "simulator/path_cover.h"

#include <algorithm>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "simulator/flight.h"
#include "simulator/sheet.h"

namespace {

using sim::Vec2;

double SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const double t = std::clamp(sim::Dot(p - a, ab) / std::max(sim::Norm2(ab), 1e-300), 0.0, 1.0);
  return sim::Norm(p - (a + ab * t));
}

TEST(PathCover, EveryPieceHoldsItsStretchOfThePath) {
  std::mt19937 random(8);
  std::uniform_real_distribution<double> speed(0.05, 7.0);
  std::uniform_real_distribution<double> angle(-M_PI, M_PI);
  // One record for every round, as a sweep reuses its covers: nothing of a
  // longer path may linger in a shorter one's.
  sim::PathCover cover;
  for (int round = 0; round < 300; ++round) {
    const double v = speed(random);
    const double a = angle(random);
    const sim::Curl curl = static_cast<sim::Curl>(static_cast<int>(random() % 3) - 1);
    const sim::Motion motion =
        sim::StartMotion({2.0, 20.0}, {v * std::cos(a), v * std::sin(a)}, curl, 3.0);
    sim::CoverPath(motion, cover);
    ASSERT_GE(cover.pieces, 1);
    EXPECT_DOUBLE_EQ(cover.endTime[cover.pieces - 1], sim::StopTime(motion));
    int piece = 0;
    for (double t = 3.0; t <= sim::StopTime(motion); t += 0.01) {
      while (cover.endTime[piece] < t) ++piece;
      const Vec2 p = sim::KinematicsAt(motion, t).position;
      ASSERT_LE(SegmentDistance(p, cover.corner[piece], cover.corner[piece + 1]),
                cover.slack[piece] + 1e-9)
          << round << " " << t;
      ASSERT_GE(p.x, cover.boxLow.x);
      ASSERT_LE(p.x, cover.boxHigh.x);
      ASSERT_GE(p.y, cover.boxLow.y);
      ASSERT_LE(p.y, cover.boxHigh.y);
    }
  }
}

TEST(PathCover, NeverRulesOutATouchThatHappens) {
  // Points scattered around draw paths: the first moment the path comes
  // within reach is never before what the cover allows.
  std::mt19937 random(9);
  std::uniform_real_distribution<double> x(0.3, 4.4);
  std::uniform_real_distribution<double> y(2.0, 14.0);
  std::uniform_real_distribution<double> aim(-0.12, 0.12);
  for (int round = 0; round < 200; ++round) {
    const double heading = -M_PI / 2 + aim(random);
    const double v = 1.9 + 0.4 * (random() % 100) / 100.0;
    const sim::Motion motion =
        sim::StartMotion({kReleaseX, kReleaseY}, {v * std::cos(heading), v * std::sin(heading)},
                         random() % 2 ? sim::Curl::kPositive : sim::Curl::kNegative, 0.0);
    sim::PathCover cover;
    sim::CoverPath(motion, cover);
    for (int n = 0; n < 20; ++n) {
      const Vec2 point{x(random), y(random)};
      const double allowed = sim::FirstTimeNear(cover, 0.0, point, kContactDistance);
      for (double t = 0; t < std::min(allowed, sim::StopTime(motion)); t += 0.005) {
        ASSERT_GT(sim::Norm(sim::KinematicsAt(motion, t).position - point), kContactDistance)
            << round << " " << n << " " << t;
      }
    }
    const double line = sim::FirstTimeAtLine(cover, 0.0);
    for (double t = 0; t < std::min(line, sim::StopTime(motion)); t += 0.005) {
      const Vec2 p = sim::KinematicsAt(motion, t).position;
      ASSERT_GT(p.x - kStoneRadius, 0.0);
      ASSERT_LT(p.x + kStoneRadius, kSideLineRight);
      ASSERT_GE(p.y + kStoneRadius, kBackLineY);
    }
  }
}

}  // namespace
