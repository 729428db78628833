// Contacts between stones and the sweep that finds them.
#include "simulator/collision.h"

#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "simulator/curling_api.h"
#include "simulator/flight.h"
#include "simulator/sheet.h"
#include "simulator/shot_makers.h"
#include "simulator/sweep.h"

namespace {

using sim::Vec2;

double KineticEnergy(const sim::Stone* stones, int count) {
  double energy = 0;
  for (int i = 0; i < count; ++i) energy += sim::Norm2(stones[i].velocity) / 2;
  return energy;
}

Vec2 Momentum(const sim::Stone* stones, int count) {
  Vec2 total{0, 0};
  for (int i = 0; i < count; ++i) total = total + stones[i].velocity;
  return total;
}

TEST(Contacts, AHeadOnHitNearlyStopsTheShooter) {
  sim::Stone stones[2] = {sim::MovingStone({2.0, 6.0}, {0.0, -2.0}, sim::Curl::kNone),
                          sim::RestingStone({2.0, 6.0 - kContactDistance})};
  bool changed[2] = {};
  const sim::ContactResult result = sim::ResolveContacts(stones, 2, 0, changed);
  EXPECT_EQ(result.impulses, 1);
  EXPECT_TRUE(result.shooterTouched);
  EXPECT_TRUE(changed[0] && changed[1]);
  EXPECT_NEAR(stones[0].velocity.y, -2.0 * (1 - sim::kRestitution) / 2, 1e-12);
  EXPECT_NEAR(stones[1].velocity.y, -2.0 * (1 + sim::kRestitution) / 2, 1e-12);
  EXPECT_NEAR(stones[0].velocity.x, 0.0, 1e-12);
  EXPECT_NEAR(Momentum(stones, 2).y, -2.0, 1e-12);
  EXPECT_LT(KineticEnergy(stones, 2), 2.0);
}

TEST(Contacts, AnAngledHitSendsTheStonesAboutNinetyDegreesApart) {
  // Struck 30 degrees off centre: the struck stone leaves along the line of
  // centres, the shooter along the tangent.
  const double angle = 30 * M_PI / 180;
  const Vec2 offset{kContactDistance * std::sin(angle), -kContactDistance * std::cos(angle)};
  sim::Stone stones[2] = {sim::MovingStone({2.0, 6.0}, {0.0, -2.0}, sim::Curl::kPositive),
                          sim::RestingStone(Vec2{2.0, 6.0} + offset)};
  bool changed[2] = {};
  sim::ResolveContacts(stones, 2, 0, changed);
  const Vec2 struck = stones[1].velocity;
  const Vec2 shooter = stones[0].velocity;
  const Vec2 normal = offset * (1 / kContactDistance);
  EXPECT_NEAR(struck.x * normal.y - struck.y * normal.x, 0.0, 1e-12);  // along the normal
  const double between =
      std::acos(sim::Dot(struck, shooter) / (sim::Norm(struck) * sim::Norm(shooter)));
  EXPECT_NEAR(between * 180 / M_PI, 90.0, 3.0);
  EXPECT_NEAR(Momentum(stones, 2).x, 0.0, 1e-12);
  EXPECT_NEAR(Momentum(stones, 2).y, -2.0, 1e-12);
}

TEST(Contacts, MomentumRunsAlongAChainOfTouchingStones) {
  sim::Stone stones[3] = {sim::MovingStone({2.0, 7.0}, {0.0, -1.5}, sim::Curl::kNone),
                          sim::RestingStone({2.0, 7.0 - kContactDistance}),
                          sim::RestingStone({2.0, 7.0 - 2 * kContactDistance})};
  bool changed[3] = {};
  sim::ResolveContacts(stones, 3, 0, changed);
  EXPECT_LT(std::fabs(stones[0].velocity.y), 0.15 * 1.5);
  EXPECT_LT(std::fabs(stones[1].velocity.y), 0.15 * 1.5);
  EXPECT_GT(std::fabs(stones[2].velocity.y), 0.85 * 1.5);
  EXPECT_NEAR(Momentum(stones, 3).y, -1.5, 1e-12);
  // Nothing is closing any more.
  for (int i = 0; i < 2; ++i) EXPECT_GE(stones[i].velocity.y, stones[i + 1].velocity.y - 1e-12);
}

TEST(Contacts, NoClusterGainsEnergyOrLosesMomentum) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> speed(-3.0, 3.0);
  std::uniform_real_distribution<double> jitter(-1e-9, 0.0);
  for (int round = 0; round < 2000; ++round) {
    // A ring of stones touching a centre stone, all moving at random.
    const int count = 2 + static_cast<int>(random() % 6);
    std::vector<sim::Stone> stones;
    stones.push_back(
        sim::MovingStone({2.0, 6.0}, {speed(random), speed(random)}, sim::Curl::kNone));
    for (int i = 1; i < count; ++i) {
      const double a = 2 * M_PI * i / 6;
      const double d = kContactDistance + jitter(random);
      stones.push_back(sim::MovingStone({2.0 + d * std::cos(a), 6.0 + d * std::sin(a)},
                                        {speed(random), speed(random)}, sim::Curl::kNone));
    }
    const double energy = KineticEnergy(stones.data(), count);
    const Vec2 momentum = Momentum(stones.data(), count);
    bool changed[8] = {};
    sim::ResolveContacts(stones.data(), count, 0, changed);
    EXPECT_LE(KineticEnergy(stones.data(), count), energy + 1e-12);
    EXPECT_NEAR(Momentum(stones.data(), count).x, momentum.x, 1e-9);
    EXPECT_NEAR(Momentum(stones.data(), count).y, momentum.y, 1e-9);
  }
}

TEST(Sweep, StonesNeverEndUpInsideOneAnother) {
  // Random crowded houses and random shots into them: every contact is found
  // in time, so no two stones overlap at rest, and the search stays short.
  std::mt19937 random(77);
  std::uniform_real_distribution<double> x(0.6, 4.1);
  std::uniform_real_distribution<double> y(3.2, 8.0);
  std::uniform_real_distribution<double> aim(0.8, 3.9);
  std::uniform_real_distribution<double> power(1.0, 15.0);
  for (int round = 0; round < 400; ++round) {
    sim::Stone stones[16];
    int count = 0;
    const int wanted = 6 + static_cast<int>(random() % 10);
    while (count < wanted) {
      const Vec2 p{x(random), y(random)};
      bool clear = true;
      for (int i = 0; i < count; ++i) clear = clear && sim::Norm(stones[i].position - p) > 0.3;
      if (clear) stones[count++] = sim::RestingStone(p);
    }
    const bool positive = random() % 2 == 0;
    const Vec2 release =
        sim::HitVelocity({aim(random), y(random)}, sim::HitWeightSpeed(power(random)), positive);
    stones[count] = sim::MovingStone({kReleaseX, kReleaseY}, release,
                                     positive ? sim::Curl::kPositive : sim::Curl::kNegative);
    const sim::SweepResult result = sim::RunToRest(stones, count + 1, count);
    EXPECT_LT(result.steps, 3000);
    for (int i = 0; i <= count; ++i) {
      if (!sim::InPlay(stones[i])) continue;
      EXPECT_FALSE(sim::IsMoving(stones[i]));
      for (int j = i + 1; j <= count; ++j) {
        if (sim::InPlay(stones[j])) {
          EXPECT_GT(sim::Norm(stones[i].position - stones[j].position), kContactDistance - 1e-6)
              << round << " " << i << " " << j;
        }
      }
    }
  }
}

TEST(Sweep, AStruckStoneRunsStraightAndTheShooterKeepsCurling) {
  // A straight head-on hit at moderate speed on a lone stone.
  sim::Stone stones[2] = {sim::RestingStone({2.375, 10.0}),
                          sim::MovingStone({2.375, 12.0}, {0.0, -1.5}, sim::Curl::kPositive)};
  sim::RunToRest(stones, 2, 1);
  EXPECT_EQ(stones[0].motion.curl, sim::Curl::kNone);
  EXPECT_EQ(stones[1].motion.curl, sim::Curl::kPositive);
  // The struck stone left along the line of centres at the moment of contact.
  const Vec2 centres = stones[0].motion.origin - stones[1].motion.origin;
  const Vec2 frame = stones[0].motion.frame;
  EXPECT_NEAR((frame.x * centres.y - frame.y * centres.x) / sim::Norm(centres), 0.0, 1e-9);
  EXPECT_GT(sim::Dot(frame, centres), 0.0);
}

TEST(Sweep, AGrazeIsAContactAndANearMissIsNot) {
  // A stone set beside a moving stone's path, its centre twenty micrometres
  // inside touching distance, or two millimetres outside on the side the path
  // curls away from: the sweep's shortcuts for stones the path never nears
  // must neither miss the graze nor invent a touch.
  std::mt19937 random(31);
  std::uniform_real_distribution<double> x(1.2, 3.5);
  std::uniform_real_distribution<double> y(3.5, 9.0);
  std::uniform_real_distribution<double> along(0.3, 0.95);
  for (int round = 0; round < 90; ++round) {
    // Curling both ways, and straight as a struck stone runs, whose path the
    // cover follows to a nanometre.
    const bool positive = round % 3 != 1;
    const sim::Curl curl = round % 3 == 0   ? sim::Curl::kPositive
                           : round % 3 == 1 ? sim::Curl::kNegative
                                            : sim::Curl::kNone;
    const Vec2 target{x(random), y(random)};
    const Vec2 toTarget = target - Vec2{kReleaseX, kReleaseY};
    const double distance = sim::Norm(toTarget);
    const Vec2 release = curl == sim::Curl::kNone
                             ? toTarget * (std::sqrt(2 * sim::kFrictionDecel * distance) / distance)
                             : sim::DrawVelocity(target, positive);
    const sim::Motion path = sim::StartMotion({kReleaseX, kReleaseY}, release, curl, 0.0);
    const sim::Kinematics at = sim::KinematicsAt(path, along(random) * sim::StopTime(path));
    // The side the path turns to.
    const Vec2 turnSide =
        positive ? Vec2{-at.direction.y, at.direction.x} : Vec2{at.direction.y, -at.direction.x};
    for (const bool graze : {true, false}) {
      const Vec2 stone = graze ? at.position + turnSide * (kContactDistance - 2e-5)
                               : at.position - turnSide * (kContactDistance + 2e-3);
      sim::Stone stones[2] = {sim::RestingStone(stone),
                              sim::MovingStone({kReleaseX, kReleaseY}, release, curl)};
      const sim::SweepResult result = sim::RunToRest(stones, 2, 1);
      if (graze) {
        EXPECT_GT(result.contacts, 0) << round;
        EXPECT_TRUE(result.shooterTouchedStone) << round;
        continue;
      }
      double nearest = kContactDistance + 2e-3;
      for (double t = 0; t < sim::StopTime(path); t += 1e-3) {
        nearest = std::min(nearest, sim::Norm(sim::KinematicsAt(path, t).position - stone));
      }
      ASSERT_GT(nearest, kContactDistance + 1e-3) << round;
      EXPECT_EQ(result.contacts, 0) << round;
      EXPECT_EQ(stones[0].position.x, stone.x) << round;
      EXPECT_EQ(stones[0].position.y, stone.y) << round;
    }
  }
}

TEST(Sweep, StonesPlacedOnOneAnotherNeitherHangNorPushApart) {
  // Positions no shot can produce: clusters of stones on one spot, or
  // overlapping deeply, hit by a stone. Every delivery ends, quickly.
  for (int stonesOnSpot : {2, 8, 12, 15}) {
    for (uint64_t seed = 0; seed < 6; ++seed) {
      GameState state{};
      state.shotNumber = stonesOnSpot;
      for (int i = 0; i < stonesOnSpot; ++i) {
        state.stones[i] = seed % 2 == 0 ? StonePos{2.4f, 4.9f}
                                        : StonePos{2.4f + 0.01f * static_cast<float>(i % 5), 4.9f};
      }
      ShotVec shot{};
      CreateShot(ShotPos{2.375f, 4.88f, static_cast<uint8_t>(seed % 2), {}}, &shot);
      SeedSimulator(seed);
      ASSERT_EQ(Simulation(&state, shot, 0.3f, 0, -1), kSimOk);
      EXPECT_EQ(state.shotNumber, (stonesOnSpot + 1) % 16);
    }
  }
  // At the level of the sweep: the step count stays small.
  sim::Stone stones[13];
  for (int i = 0; i < 12; ++i) stones[i] = sim::RestingStone({2.4, 4.9});
  stones[12] = sim::MovingStone({2.4, 8.0}, {0.0, -1.0}, sim::Curl::kNone);
  const sim::SweepResult result = sim::RunToRest(stones, 13, 12);
  EXPECT_LT(result.steps, 1000);
  EXPECT_TRUE(result.shooterTouchedStone);
}

}  // namespace
