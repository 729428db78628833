#include "search/bandit_rules.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

using namespace search;

namespace {

TEST(BanditRules, ExplorationIsCertainUpToIteration200ThenFades) {
  // Even the largest draw, just below 1, explores while epsilon is 1.
  for (const uint32_t e : {0u, 1u, 2u, 199u, 200u}) {
    EXPECT_EQ(Epsilon(e), 1.0) << e;
    EXPECT_TRUE(Explores(Epsilon(e), UINT32_MAX)) << e;
  }
  EXPECT_EQ(Epsilon(201), 200.0 / 201.0);
  EXPECT_FALSE(Explores(Epsilon(201), UINT32_MAX));
  EXPECT_EQ(Epsilon(1000), 0.2);
  EXPECT_EQ(Epsilon(1499), 200.0 / 1499.0);

  // The draw is read as r / 2^32 and must lie strictly below epsilon.
  const double quarter = 0.25;
  EXPECT_TRUE(Explores(quarter, 0x3FFFFFFFu));
  EXPECT_FALSE(Explores(quarter, 0x40000000u));
  EXPECT_TRUE(Explores(Epsilon(1000), 0));
}

struct Scan {
  std::vector<double> means;
  double bestValue = kInitialBestValue;
  int bestIndex = -1;
  void Run() { ScanForLeader(means.data(), static_cast<int>(means.size()), bestValue, bestIndex); }
};

TEST(BanditRules, NegativeFirstMeanHandsTheLeadToAnUntriedCandidate) {
  Scan scan{{-0.5, 0.0, 0.0, 0.0}};
  scan.Run();
  EXPECT_EQ(scan.bestIndex, 1);
  EXPECT_EQ(scan.bestValue, 0.0);

  Scan tried{{0.0, 0.0, -2.0, 0.0}};
  tried.Run();
  EXPECT_EQ(tried.bestIndex, 0);

  Scan positive{{0.0, 0.0, 0.25, 0.0}};
  positive.Run();
  EXPECT_EQ(positive.bestIndex, 2);
  EXPECT_EQ(positive.bestValue, 0.25);
}

TEST(BanditRules, FallingLeaderKeepsTheLeadUntilTheRecordedBestIsBeaten) {
  Scan scan{{0.0, 1.0, 0.0}};
  scan.Run();
  ASSERT_EQ(scan.bestIndex, 1);

  // The leader drops below another candidate: no change, the best value
  // stays the recorded maximum.
  scan.means = {0.0, -0.5, 0.75};
  scan.Run();
  EXPECT_EQ(scan.bestIndex, 1);
  EXPECT_EQ(scan.bestValue, 1.0);

  // Equal to the record is not enough; above it takes the lead.
  scan.means = {0.0, -0.5, 1.0};
  scan.Run();
  EXPECT_EQ(scan.bestIndex, 1);
  scan.means = {0.0, -0.5, 1.125};
  scan.Run();
  EXPECT_EQ(scan.bestIndex, 2);
  EXPECT_EQ(scan.bestValue, 1.125);

  // Within one scan the lowest of equal means leads.
  Scan ties{{0.5, 2.0, 2.0}};
  ties.Run();
  EXPECT_EQ(ties.bestIndex, 1);
}

}  // namespace
