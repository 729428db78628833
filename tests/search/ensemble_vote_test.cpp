#include "search/ensemble_vote.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace search;

namespace {

ShotVec Shot(float vx, float vy, uint8_t spin) {
  return ShotVec{vx, vy, spin, {0, 0, 0}};
}

TEST(EnsembleVote, PairwiseDifferentAnswersChooseByValue) {
  const ShotVec answers[5] = {Shot(0.0f, -2.0f, 0), Shot(0.1f, -2.0f, 0), Shot(0.2f, -2.0f, 0),
                              Shot(0.3f, -2.0f, 0), Shot(0.4f, -2.0f, 0)};
  EXPECT_EQ(VoteAnswer(answers, {0.1, 0.4, -0.2, 0.4, 0.3}), 1);
  EXPECT_EQ(VoteAnswer(answers, {-0.1, -0.4, -0.2, -0.05, -0.3}), 3);
  EXPECT_EQ(VoteAnswer(answers, {-100.0, -100.0, -100.0, -100.0, -100.0}), 0);
  EXPECT_EQ(VoteAnswer(answers, {-100.0, -100.0, -99.0, -100.0, -100.0}), 2);

  // Same velocities, different spins: still no agreement.
  const ShotVec spins[5] = {Shot(0.0f, -2.0f, 0), Shot(0.0f, -2.0f, 1), Shot(0.5f, -2.0f, 0),
                            Shot(0.5f, -2.0f, 1), Shot(1.0f, -2.0f, 0)};
  EXPECT_EQ(VoteAnswer(spins, {0.0, 0.0, 0.0, 0.0, 0.5}), 4);
}

TEST(EnsembleVote, AgreementBeatsABetterValuedLoner) {
  // Runs 1, 2 and 4 agree; 0 and 3 stand alone with higher values.
  const ShotVec answers[5] = {Shot(1.0f, -2.0f, 0), Shot(0.0f, -2.0f, 1), Shot(0.01f, -2.02f, 1),
                              Shot(-1.0f, -2.0f, 1), Shot(0.02f, -1.99f, 1)};
  EXPECT_EQ(VoteAnswer(answers, {3.0, 0.0, 0.0, 4.0, 0.0}), 1);

  // Two separate pairs, 0 with 3 and 1 with 2: the tie goes to run 0.
  const ShotVec pairs[5] = {Shot(0.0f, -2.0f, 0), Shot(1.0f, -2.0f, 0), Shot(1.0f, -2.0f, 0),
                            Shot(0.0f, -2.0f, 0), Shot(2.0f, -2.0f, 0)};
  EXPECT_EQ(VoteAnswer(pairs, {0.0, 1.0, 1.0, 0.0, 2.0}), 0);

  // Not transitive: 0 agrees with 1 and 1 with 2, but 0 not with 2.
  const ShotVec chain[5] = {Shot(0.0f, -2.0f, 0), Shot(0.03f, -2.0f, 0), Shot(0.06f, -2.0f, 0),
                            Shot(1.0f, -2.0f, 0), Shot(2.0f, -2.0f, 0)};
  EXPECT_EQ(VoteAnswer(chain, {0.0, 1.0, 1.0, 1.0, 1.0}), 0);
  // The same chain further on: run 1 leads although run 0 has the best value.
  const ShotVec late[5] = {Shot(5.0f, -2.0f, 0), Shot(0.0f, -2.0f, 0), Shot(0.03f, -2.0f, 0),
                           Shot(0.06f, -2.0f, 0), Shot(2.0f, -2.0f, 0)};
  EXPECT_EQ(VoteAnswer(late, {9.0, 0.0, 0.0, 0.0, 0.0}), 1);
}

TEST(EnsembleVote, ToleranceIsStrictInSinglePrecision) {
  // Differences computed in float and compared with the double 0.05: the
  // float nearest 0.05 lies just above it and does not agree.
  const float nearest = 0.05f;
  ASSERT_GT(static_cast<double>(nearest), 0.05);
  const float below = std::nextafter(nearest, 0.0f);
  ASSERT_LT(static_cast<double>(below), 0.05);

  const auto votesForRunZero = [](float dx, float dy) {
    const ShotVec answers[5] = {Shot(0.0f, 0.0f, 1), Shot(dx, dy, 1), Shot(7.0f, 0.0f, 1),
                                Shot(8.0f, 0.0f, 1), Shot(9.0f, 0.0f, 1)};
    // Run 4 has the best value, so it wins unless 0 and 1 agree.
    return VoteAnswer(answers, {0.0, 0.0, 0.0, 0.0, 1.0}) == 0;
  };
  EXPECT_FALSE(votesForRunZero(nearest, 0.0f));
  EXPECT_FALSE(votesForRunZero(0.0f, -nearest));
  EXPECT_TRUE(votesForRunZero(below, -below));
}

}  // namespace
