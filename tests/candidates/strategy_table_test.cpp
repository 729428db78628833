// The strategy table is the sheet's threshold rows as floats.
#include "candidates/strategy_table.h"

#include <gtest/gtest.h>

#include "simulator/sheet.h"

using namespace candidates;

namespace {

TEST(StrategyTable, HoldsTheSheetsThresholdRows) {
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(yThresholds[i], static_cast<float>(kThresholdRowY[i])) << i;
  }
  for (int i = 1; i < 16; ++i) EXPECT_LT(yThresholds[i], yThresholds[i - 1]) << i;
  EXPECT_EQ(yThresholds[3], static_cast<float>(kFrontOfHouseY));
  EXPECT_EQ(yThresholds[6], static_cast<float>(kTeeY));
  EXPECT_EQ(yThresholds[0], 10.1375f);
  EXPECT_EQ(yThresholds[15], 0.0f);
}

}  // namespace
