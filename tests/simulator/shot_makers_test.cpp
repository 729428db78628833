// Draws stop where they are aimed and hits pass through their target, over
// the whole area the player aims at, with both spins.
#include "simulator/shot_makers.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "simulator/curling_api.h"
#include "simulator/flight.h"
#include "simulator/motion.h"
#include "simulator/sheet.h"
#include "tests/simulator/test_support.h"

namespace {

using simtest::DrawTo;
using simtest::HitAt;
using simtest::Play;
using simtest::State;

constexpr double kTolerance = 0.01;

float GridX(int k) {
  return static_cast<float>(k * 0.1);
}
float GridY(int j) {
  return static_cast<float>(j * 0.1 + 3.0);
}

sim::Motion Released(ShotVec shot) {
  return sim::StartMotion({kReleaseX, kReleaseY}, {shot.vx, shot.vy},
                          shot.spin == 0 ? sim::Curl::kPositive : sim::Curl::kNegative, 0.0);
}

// Whether the free path of a shot ever touches a side line.
bool PathTouchesSideLine(ShotVec shot) {
  const sim::Motion motion = Released(shot);
  const double stop = sim::StopTime(motion);
  for (double t = 0; t <= stop; t += 0.02) {
    const double x = sim::KinematicsAt(motion, t).position.x;
    if (x - kStoneRadius <= 0.0 || x + kStoneRadius >= 4.75) return true;
  }
  return false;
}

struct Approach {
  double distance;
  double speed;
};

// Closest approach of a shot's free path to a point: a coarse scan, then a
// golden-section search around the best sample.
Approach ClosestApproach(ShotVec shot, double x, double y) {
  const sim::Motion motion = Released(shot);
  const double stop = sim::StopTime(motion);
  auto distanceAt = [&](double t) {
    const sim::Vec2 p = sim::KinematicsAt(motion, t).position;
    return std::hypot(p.x - x, p.y - y);
  };
  const double step = 0.1;
  double best = 0;
  for (double t = 0; t <= stop; t += step) {
    if (distanceAt(t) < distanceAt(best)) best = t;
  }
  double lo = std::max(best - step, 0.0);
  double hi = std::min(best + step, stop);
  for (int i = 0; i < 60; ++i) {
    const double m1 = lo + (hi - lo) * 0.382;
    const double m2 = lo + (hi - lo) * 0.618;
    if (distanceAt(m1) < distanceAt(m2))
      hi = m2;
    else
      lo = m1;
  }
  const double t = 0.5 * (lo + hi);
  return {distanceAt(t), sim::KinematicsAt(motion, t).speed};
}

// The lowest power that the candidate generator offers for a hit at y: the
// index of the first strategy row that y lies beyond, plus one.
int LowestHitPower(float y) {
  static const float rows[16] = {10.1375f, 8.995f,     7.8525f,    6.71f, 6.1f,       5.49f,
                                 4.88f,    4.27f,      3.66f,      3.05f, 2.5416667f, 2.0333333f,
                                 1.525f,   1.0166667f, 0.5083333f, 0.0f};
  for (int i = 0; i < 16; ++i) {
    if (y - rows[i] > 0.0f) return i + 1;
  }
  return 16;
}

TEST(DrawShots, ComeToRestAtEveryGridPointWithBothSpins) {
  int removed = 0;
  for (int k = 5; k <= 42; ++k) {
    for (int j = 0; j <= 82; ++j) {
      for (uint8_t spin : {0, 1}) {
        const float x = GridX(k);
        const float y = GridY(j);
        const ShotVec shot = DrawTo(x, y, spin);
        ASSERT_EQ(shot.spin, spin);
        GameState state = State(0);
        Play(state, shot);
        const StonePos rest = state.stones[0];
        if (simtest::IsOff(rest)) {
          // Only the rules may take the stone out: short of the hog line, or
          // a path that curls through a side line.
          ++removed;
          EXPECT_TRUE(y + 0.145 >= 11.28 || PathTouchesSideLine(shot))
              << x << " " << y << " " << int(spin);
          continue;
        }
        EXPECT_LT(simtest::Distance(rest, x, y), kTolerance) << x << " " << y << " " << int(spin);
      }
    }
  }
  // The rules take out only the edges: the hog-line row and the outermost
  // columns curling outwards.
  EXPECT_LT(removed, 200);
}

TEST(DrawShots, TheTeeDrawIsExactAndCurlsTowardsTheSpinsSide) {
  const ShotVec left = DrawTo(2.375f, 4.88f, 0);
  const ShotVec right = DrawTo(2.375f, 4.88f, 1);
  // Spin 0 curls towards increasing x, so it is aimed to the left of the tee.
  EXPECT_LT(left.vx, 0.0f);
  EXPECT_GT(right.vx, 0.0f);
  EXPECT_LT(left.vy, 0.0f);
  EXPECT_FLOAT_EQ(left.vx, -right.vx);
  for (const ShotVec& shot : {left, right}) {
    GameState state = State(0);
    Play(state, shot);
    EXPECT_LT(simtest::Distance(state.stones[0], 2.375, 4.88), 1e-4);
  }
  // A stone released straight down the centre line drifts to its spin's side.
  GameState straight = State(0);
  Play(straight, ShotVec{0.0f, left.vy, 0, {}});
  EXPECT_GT(straight.stones[0].x, 2.375f + 1.0f);
  straight = State(0);
  Play(straight, ShotVec{0.0f, left.vy, 1, {}});
  EXPECT_LT(straight.stones[0].x, 2.375f - 1.0f);
}

TEST(HitShots, PassThroughEveryTargetAtEveryOfferedPower) {
  for (int k = 5; k <= 42; ++k) {
    for (int j = 1; j <= 82; ++j) {
      const float x = GridX(k);
      const float y = GridY(j);
      for (uint8_t spin : {0, 1}) {
        for (int power = LowestHitPower(y); power <= 15; ++power) {
          const ShotVec shot = HitAt(x, y, spin, static_cast<float>(power));
          ASSERT_EQ(shot.spin, spin);
          const Approach approach = ClosestApproach(shot, x, y);
          EXPECT_LT(approach.distance, kTolerance) << x << " " << y << " " << power;
          EXPECT_GT(approach.speed, 0.1) << x << " " << y << " " << power;
        }
      }
    }
  }
}

TEST(HitShots, WeightRisesWithPowerFromAGentleTouchToAFirmTakeout) {
  double previous = 0;
  for (int power = 1; power <= 15; ++power) {
    const ShotVec shot = HitAt(2.375f, 10.5f, 0, static_cast<float>(power));
    const double speed = std::hypot(shot.vx, shot.vy);
    EXPECT_GT(speed, previous) << power;
    previous = speed;
  }
  // Between whole powers the weight is interpolated, so it still rises.
  EXPECT_GT(sim::HitWeightSpeed(7.5), sim::HitWeightSpeed(7.0));
  EXPECT_LT(sim::HitWeightSpeed(7.5), sim::HitWeightSpeed(8.0));

  // At the lowest power offered for its row a hit still reaches the target,
  // gently; a power that could not reach is raised to a gentle arrival.
  for (float y : {11.2f, 10.2f, 9.0f, 7.9f, 6.8f, 6.2f, 6.1f, 5.5f, 4.9f, 4.3f, 3.7f, 3.1f}) {
    const Approach gentle = ClosestApproach(HitAt(2.2f, y, 1, LowestHitPower(y)), 2.2, y);
    EXPECT_LT(gentle.distance, kTolerance) << y;
    EXPECT_GT(gentle.speed, 0.15) << y;
    EXPECT_LT(gentle.speed, 1.0) << y;
  }
  const Approach raised = ClosestApproach(HitAt(2.375f, 3.5f, 0, 1.0f), 2.375, 3.5);
  EXPECT_LT(raised.distance, kTolerance);
  EXPECT_NEAR(raised.speed, sim::kMinHitArrivalSpeed, 0.01);

  // Power 15 is still fast through the house.
  const Approach firm = ClosestApproach(HitAt(2.375f, 4.88f, 0, 15.0f), 2.375, 4.88);
  EXPECT_GT(firm.speed, 2.5);
}

}  // namespace
