// The learned value: the row of features it reads, the network against the
// trainer's own outputs, and the chance of winning it gives each side.

#include "search/strong/value_model.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include <gtest/gtest.h>

#include "engine/library_binding.h"
#include "search/strong/position_features.h"
#include "simulator/sheet.h"

using namespace engine;
using namespace search::strong;

namespace {

// A held-out position and what the trainer's network gave it.
struct StoredCase {
  int shot;
  int hammerLead;
  int endsLeft;
  int standing;  // the trainer's standing score for the side with the hammer
  StonePos stones[16];
  double chances[kEndScoreClasses];
};

const StoredCase kStoredCases[] = {
#include "tests/search/value_model_cases.inc"
};

// A position at `shot` with the hammer on side A (it delivers the odd slots).
GameState HammerOnA(int shot) {
  GameState state{};
  state.shotNumber = shot;
  state.currentEnd = 3;
  state.lastEnd = 7;
  state.turnFlag = (shot & 1) != 0 ? 0 : 1;
  return state;
}

// Stones scattered over the house and the guard zone; some slots left empty.
// x on a grid of 1/1024 m, so that its mirror image is exact in float.
GameState RandomPosition(std::mt19937& random, int shot) {
  GameState state = HammerOnA(shot);
  std::uniform_int_distribution<int> across(-1800, 1800);
  std::uniform_real_distribution<float> along(3.0f, 9.0f);
  for (int slot = 0; slot < shot; ++slot) {
    if (random() % 5 == 0) continue;
    state.stones[slot] = {static_cast<float>(kTeeX + across(random) / 1024.0), along(random)};
  }
  return state;
}

TEST(PositionFeatures, SlotsWithinASideDoNotMatter) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 200; ++trial) {
    const int shot = 1 + trial % 15;
    const GameState position = RandomPosition(random, shot);
    GameState shuffled = position;
    // Swap stones within a parity: the same side's stones, other slots.
    for (int k = 0; k < 10; ++k) {
      const int a = static_cast<int>(random() % shot);
      const int b = static_cast<int>(random() % shot);
      if ((a & 1) == (b & 1)) std::swap(shuffled.stones[a], shuffled.stones[b]);
    }
    EXPECT_EQ(EncodePosition(position, 1, 2), EncodePosition(shuffled, 1, 2)) << trial;
  }
}

TEST(PositionFeatures, MirroringNegatesOnlyTheOffsetsAcross) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 200; ++trial) {
    const GameState position = RandomPosition(random, 1 + trial % 15);
    GameState mirror = position;
    for (StonePos& stone : mirror.stones) {
      if (StoneInPlay(stone)) stone.x = static_cast<float>(2 * kTeeX - stone.x);
    }
    const PositionFeatures row = EncodePosition(position, -2, 0);
    const PositionFeatures mirrored = EncodePosition(mirror, -2, 0);
    for (int i = 0; i < kPositionFeatureCount; ++i) {
      const bool across = i < kShotFeaturesBegin && i % kFeaturesPerStone == kStoneDx;
      EXPECT_EQ(mirrored[i], across ? -row[i] : row[i]) << "trial " << trial << " feature " << i;
    }
  }
}

TEST(PositionFeatures, StonesComeNearestFirstAndCountAsTheEndWould) {
  GameState position = HammerOnA(5);
  position.stones[0] = {static_cast<float>(kTeeX + 1.0), static_cast<float>(kTeeY)};  // other
  position.stones[1] = {static_cast<float>(kTeeX), static_cast<float>(kTeeY + 0.5)};  // hammer
  position.stones[2] = {static_cast<float>(kTeeX),
                        static_cast<float>(kTeeY + 4.0)};  // other, guard
  position.stones[3] = {static_cast<float>(kTeeX - 0.2), static_cast<float>(kTeeY)};  // hammer
  position.stones[4] = {0.0f, 0.0f};                                                  // out of play
  position.stones[5] = {static_cast<float>(kTeeX), static_cast<float>(kTeeY)};  // not yet delivered
  const PositionFeatures row = EncodePosition(position, 9, 5);
  const float* hammer = row.data() + kHammerStonesBegin;
  const float* other = row.data() + kOtherStonesBegin;
  // The hammer side: the stone of slot 3 first, then slot 1; both count.
  EXPECT_EQ(hammer[kStonePresent], 1.0f);
  EXPECT_FLOAT_EQ(hammer[kStoneDx], static_cast<float>(-0.2 / kHouseRadius));
  EXPECT_EQ(hammer[kStoneCounts], 1.0f);
  EXPECT_FLOAT_EQ(hammer[kFeaturesPerStone + kStoneDy], static_cast<float>(0.5 / kHouseRadius));
  EXPECT_EQ(hammer[kFeaturesPerStone + kStoneCounts], 1.0f);
  EXPECT_EQ(hammer[2 * kFeaturesPerStone + kStonePresent], 0.0f);
  // The other side: in the house but outcounted, then a guard outside it.
  EXPECT_EQ(other[kStoneTouchesHouse], 1.0f);
  EXPECT_EQ(other[kStoneCounts], 0.0f);
  EXPECT_FLOAT_EQ(other[kFeaturesPerStone + kStoneDistance],
                  static_cast<float>(4.0 / kHouseRadius));
  EXPECT_EQ(other[kFeaturesPerStone + kStoneTouchesHouse], 0.0f);
  EXPECT_EQ(other[2 * kFeaturesPerStone + kStonePresent], 0.0f);
  // The one-hot groups, the lead and ends left clipped.
  EXPECT_EQ(std::accumulate(row.begin() + kShotFeaturesBegin, row.end(), 0.0f), 3.0f);
  EXPECT_EQ(row[kShotFeaturesBegin + 5], 1.0f);
  EXPECT_EQ(row[kLeadFeaturesBegin + 2 * kFeatureLeadClip], 1.0f);
  EXPECT_EQ(row[kEndsLeftFeaturesBegin + kFeatureEndsLeftCount - 1], 1.0f);
}

class LearnedValueTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BindSimulator()); }
};

TEST_F(LearnedValueTest, AgreesWithTheTrainerFromTheRawStones) {
  for (const StoredCase& stored : kStoredCases) {
    GameState position = HammerOnA(stored.shot);
    std::copy(std::begin(stored.stones), std::end(stored.stones), position.stones);
    // The trainer's port of the scoring rule, against the simulator's.
    EXPECT_EQ(getScore(&position), stored.standing) << "shot " << stored.shot;
    const EndScoreChances chances =
        PredictEndScores(EncodePosition(position, stored.hammerLead, stored.endsLeft));
    for (int i = 0; i < kEndScoreClasses; ++i) {
      EXPECT_NEAR(chances[i], stored.chances[i], 1e-5) << "shot " << stored.shot << " class " << i;
    }
  }
}

TEST_F(LearnedValueTest, ChancesAreADistribution) {
  std::mt19937 random(3);
  for (int trial = 0; trial < 100; ++trial) {
    const GameState position = RandomPosition(random, trial % 16);
    const EndScoreChances chances =
        PredictEndScores(EncodePosition(position, trial % 11 - 5, trial % 3));
    double total = 0.0;
    for (const float p : chances) {
      EXPECT_GE(p, 0.0f);
      total += p;
    }
    EXPECT_NEAR(total, 1.0, 1e-6);
  }
}

// Values that are 1 for one end score of the player's and 0 elsewhere: the
// value is then the chance the network gives that score.
EndValues OnlyScore(int playerScore) {
  EndValues values{};
  values[playerScore + kMaxEndScore] = 1.0;
  return values;
}

TEST_F(LearnedValueTest, EachSideReadsTheHammerSideScoreWithItsOwnSign) {
  std::mt19937 random(5);
  const GameState position = RandomPosition(random, 9);  // side A has the hammer
  const EndScoreChances chances =
      PredictEndScores(EncodePosition(position, 2, EndsLeftAfter(position)));
  // Side A has the hammer and leads by 2; side B trails by 2.
  for (int s = -kStandingFinalClip; s <= kStandingFinalClip; ++s) {
    const float hammerScores = chances[s + kStandingFinalClip];
    EXPECT_FLOAT_EQ(LearnedValue(position, OnlyScore(s), true, 2), hammerScores) << s;
    EXPECT_FLOAT_EQ(LearnedValue(position, OnlyScore(-s), false, -2), hammerScores) << s;
  }
  // Scores beyond the clip are never predicted: the clip's own value takes them.
  EXPECT_EQ(LearnedValue(position, OnlyScore(kStandingFinalClip + 1), true, 2), 0.0);
  EXPECT_EQ(LearnedValue(position, OnlyScore(-kStandingFinalClip - 1), false, -2), 0.0);

  // The same stones with the hammer on side B: B now reads as A did.
  GameState swapped = position;
  swapped.turnFlag = static_cast<uint8_t>(1 - swapped.turnFlag);
  for (int s = -kStandingFinalClip; s <= kStandingFinalClip; ++s) {
    EXPECT_EQ(LearnedValue(swapped, OnlyScore(s), false, 2),
              LearnedValue(position, OnlyScore(s), true, 2));
    EXPECT_EQ(LearnedValue(swapped, OnlyScore(s), true, -2),
              LearnedValue(position, OnlyScore(s), false, -2));
  }
}

TEST_F(LearnedValueTest, TheTwoSidesChancesOfWinningAddUpToOne) {
  std::mt19937 random(9);
  for (int shot = 1; shot <= 15; ++shot) {
    GameState position = RandomPosition(random, shot);
    position.currentEnd = 6;
    position.lastEnd = 7;
    const bool hammerA = HammerIsSideA(position);
    const EndValues forA =
        EndValuesFor(GameSituation{6, 7, 1, hammerA}, MeasuredEndScoreFrequencies());
    const EndValues forB =
        EndValuesFor(GameSituation{6, 7, -1, !hammerA}, MeasuredEndScoreFrequencies());
    EXPECT_NEAR(LearnedValue(position, forA, true, 1) + LearnedValue(position, forB, false, -1),
                1.0, 1e-6)
        << shot;
  }
}

TEST_F(LearnedValueTest, AClosedEndIsWorthItsExactValue) {
  GameState closed{};
  closed.shotNumber = 0;
  closed.currentEnd = 3;
  closed.lastEnd = 7;
  closed.endScores[2] = -2;  // side B scored two
  EndValues values{};
  for (int i = 0; i < kEndScoreCount; ++i) values[i] = i / 100.0;
  EXPECT_EQ(LearnedValue(closed, values, true, 0), values[-2 + kMaxEndScore]);
  EXPECT_EQ(LearnedValue(closed, values, false, 0), values[2 + kMaxEndScore]);
}

TEST(PortableExp, MatchesTheLibraryToAFewUlps) {
  EXPECT_EQ(PortableExp(0.0), 1.0);
  EXPECT_EQ(PortableExp(-1000.0), 0.0);
  for (double x = -699.99; x <= 0.0; x += 0.0137) {
    const double expected = std::exp(x);
    EXPECT_NEAR(PortableExp(x), expected, 4e-16 * expected) << x;
  }
}

}  // namespace
