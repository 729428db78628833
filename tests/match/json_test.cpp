// Records keep replies exactly and numbers exactly: what is written reads
// back the same.
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "match/records/json_text.h"
#include "match/records/json_value.h"

namespace {

TEST(Json, AnyReplyBytesSurviveTheRecord) {
  std::string bytes;
  for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
  bytes += "BESTSHOT \"quoted\" \\ back\r\n";
  JsonValue value;
  std::string error;
  ASSERT_TRUE(ParseJson(JsonString(bytes), value, error)) << error;
  EXPECT_EQ(value.kind, JsonValue::Kind::kString);
  EXPECT_EQ(value.text, bytes);
}

TEST(Json, NumbersAreWrittenShortAndReadBackExactly) {
  EXPECT_EQ(JsonFloat(0.3f), "0.3");
  EXPECT_EQ(JsonFloat(-2.175823f), "-2.175823");
  EXPECT_EQ(JsonFloat(0.0f), "0");
  std::mt19937 generator(3);
  for (int i = 0; i < 20000; ++i) {
    const uint32_t bits = generator();
    float f = 0.0f;
    std::memcpy(&f, &bits, sizeof f);
    if (!std::isfinite(f)) continue;
    JsonValue value;
    std::string error;
    ASSERT_TRUE(ParseJson(JsonFloat(f), value, error)) << error;
    ASSERT_EQ(static_cast<float>(value.number), f) << JsonFloat(f);
    const double d = std::ldexp(static_cast<double>(generator()) + 0.5, -20) - 2000.0;
    ASSERT_TRUE(ParseJson(JsonDouble(d), value, error)) << error;
    ASSERT_EQ(value.number, d) << JsonDouble(d);
  }
}

TEST(Json, ReadsRecordLinesAndRefusesBrokenText) {
  JsonValue value;
  std::string error;
  ASSERT_TRUE(ParseJson(R"( {"a":[1,-2.5e3,true,null],"b":{"c":"d\u0041"}} )", value, error))
      << error;
  EXPECT_EQ(value.Find("a")->items[1].number, -2500.0);
  EXPECT_TRUE(value.Find("a")->items[2].boolean);
  EXPECT_EQ(value.Find("a")->items[3].kind, JsonValue::Kind::kNull);
  EXPECT_EQ(value.Find("b")->Find("c")->text, "dA");
  EXPECT_EQ(value.Find("missing"), nullptr);
  for (const char* broken : {"{\"a\":1", "{\"a\" 1}", "[1,]", "\"open", "{} x", "tru", "[1 2]",
                             "\"\\u12\"", "1.2.3", ""}) {
    EXPECT_FALSE(ParseJson(broken, value, error)) << broken;
  }
  std::string deep(100, '[');
  EXPECT_FALSE(ParseJson(deep, value, error));
}

}  // namespace
