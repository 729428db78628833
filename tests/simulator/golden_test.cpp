// Golden figures of the physics: the golden deliveries (tests/golden/) hash
// their settled records to the values kept here. Any change of the results,
// down to the last bit of a float, fails these tests; a deliberate change
// updates the values, and when old game records no longer replay,
// docs/records.md says from which version. The Windows library is held to
// the same values under Wine (Windows.PhysicsDigestMatchesLinux).
#include <gtest/gtest.h>

#include "tests/golden/golden_deliveries.h"

namespace {

using golden::DigestText;

TEST(Golden, DrawsWithoutErrorBuildAWholeEnd) {
  const golden::GoldenRun run = golden::DrawsWithoutErrorBuildAWholeEnd();
  EXPECT_TRUE(run.allOk);
  EXPECT_EQ(run.last.currentEnd, 1);
  EXPECT_EQ(DigestText(run.digest), "519a180577ff69ad");
}

TEST(Golden, HitsOfEveryPowerIntoACrowdedHouse) {
  const golden::GoldenRun run = golden::HitsOfEveryPowerIntoACrowdedHouse();
  EXPECT_TRUE(run.allOk);
  // Nearly every hit moves some stone of the house: the contacts are covered.
  EXPECT_GE(run.moved, 56);
  EXPECT_EQ(DigestText(run.digest), "7021db8fe6c456a0");
}

TEST(Golden, NoisyShotsFromAFixedSeed) {
  const golden::GoldenRun run = golden::NoisyShotsFromAFixedSeed();
  EXPECT_TRUE(run.allOk);
  // Both ends closed.
  EXPECT_EQ(run.last.shotNumber, 0);
  EXPECT_EQ(run.last.currentEnd, 2);
  EXPECT_EQ(DigestText(run.digest), "281a19a28b24180c");
}

TEST(Golden, WholeEndsOfRandomShots) {
  // What the sweep keeps about which pairs can still meet must never change
  // where stones come to rest.
  const golden::GoldenRun run = golden::WholeEndsOfRandomShots();
  EXPECT_TRUE(run.allOk);
  EXPECT_EQ(DigestText(run.digest), "5c01cc3d676c2a8a");
}

}  // namespace
