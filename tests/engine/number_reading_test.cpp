#include "engine/number_reading.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

using namespace engine;

namespace {

TEST(ReadInteger, ReadsTheLeadingDecimalNumber) {
  EXPECT_EQ(ReadInteger("15"), 15);
  EXPECT_EQ(ReadInteger("+7"), 7);
  EXPECT_EQ(ReadInteger("-3"), -3);
  EXPECT_EQ(ReadInteger("\t\v 42"), 42);
  EXPECT_EQ(ReadInteger("12abc"), 12);
  EXPECT_EQ(ReadInteger("3.9"), 3);
  EXPECT_EQ(ReadInteger("1e5"), 1);
  EXPECT_EQ(ReadInteger("0x1F"), 0);
  EXPECT_EQ(ReadInteger("007"), 7);
}

TEST(ReadInteger, TextThatIsNoNumberReadsZero) {
  for (const char* token : {"", "-", "+", " ", "nan", "inf", "x1", "- 1", "\t-", "--1"}) {
    EXPECT_EQ(ReadInteger(token), 0) << '"' << token << '"';
  }
}

TEST(ReadInteger, SaturatesAtTheInt32Limits) {
  EXPECT_EQ(ReadInteger("2147483647"), INT32_MAX);
  EXPECT_EQ(ReadInteger("2147483648"), INT32_MAX);
  EXPECT_EQ(ReadInteger("99999999999999999999999999"), INT32_MAX);
  EXPECT_EQ(ReadInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ReadInteger("-2147483649"), INT32_MIN);
  EXPECT_EQ(ReadInteger("-99999999999999999999999999"), INT32_MIN);
}

TEST(ReadCoordinate, ReadsDecimalFractionsAndExponents) {
  EXPECT_EQ(ReadCoordinate("2.375"), 2.375f);
  EXPECT_EQ(ReadCoordinate("-30.25"), -30.25f);
  EXPECT_EQ(ReadCoordinate("\t4.88"), static_cast<float>(4.88));
  EXPECT_EQ(ReadCoordinate("0.1"), static_cast<float>(0.1));
  EXPECT_EQ(ReadCoordinate(".5"), 0.5f);
  EXPECT_EQ(ReadCoordinate("5."), 5.0f);
  EXPECT_EQ(ReadCoordinate("1e2"), 100.0f);
  EXPECT_EQ(ReadCoordinate("1.5E-1"), static_cast<float>(0.15));
  EXPECT_EQ(ReadCoordinate("+2e+1"), 20.0f);
  // An exponent marker without digits is not part of the number.
  EXPECT_EQ(ReadCoordinate("1e"), 1.0f);
  EXPECT_EQ(ReadCoordinate("1e+x"), 1.0f);
  EXPECT_EQ(ReadCoordinate("2.5m"), 2.5f);
}

TEST(ReadCoordinate, NonDecimalFormsReadZero) {
  for (const char* token :
       {"", ".", "-", "+.", "e5", "nan", "NAN", "-nan", "inf", "-INF", "infinity", "x1"}) {
    EXPECT_EQ(ReadCoordinate(token), 0.0f) << '"' << token << '"';
  }
  // The decimal reading ends at the x: hexadecimal digits never count.
  EXPECT_EQ(ReadCoordinate("0x1p3"), 0.0f);
  EXPECT_EQ(ReadCoordinate("0X10"), 0.0f);
  EXPECT_EQ(ReadCoordinate("-0x8"), 0.0f);
  EXPECT_EQ(ReadCoordinate("1x8"), 1.0f);
}

TEST(ReadCoordinate, SaturatesAtTheLargestFiniteFloat) {
  EXPECT_EQ(ReadCoordinate("1e39"), FLT_MAX);
  EXPECT_EQ(ReadCoordinate("-1e39"), -FLT_MAX);
  EXPECT_EQ(ReadCoordinate("1e400"), FLT_MAX);
  EXPECT_EQ(ReadCoordinate("-1e99999999999999999999"), -FLT_MAX);
  EXPECT_EQ(ReadCoordinate("3.4028235e38"), FLT_MAX);
  EXPECT_EQ(ReadCoordinate("1e-400"), 0.0f);
  const std::string manyDigits(2000, '9');
  EXPECT_EQ(ReadCoordinate(manyDigits.c_str()), FLT_MAX);
  EXPECT_TRUE(std::isfinite(ReadCoordinate("3.40282356e38")));
}

}  // namespace
