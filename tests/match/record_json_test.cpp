// Records keep replies exactly and numbers exactly: what is written reads
// back the same, here and in another program's JSON reader.
#include "match/records/record_json.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "match/engines/number_text.h"
#include "match/platform/process.h"
#include "match/records/record_writer.h"
#include "tests/match/match_test_support.h"
#include "tests/test_locations.h"

using namespace match::engines;
using namespace match::game;
using namespace match::platform;
using namespace match::records;

namespace {

// Every byte value, text that is valid UTF-8 and bytes that are not.
std::string AwkwardBytes() {
  std::string bytes;
  for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
  return bytes + "BESTSHOT \"quoted\" \\ back\r\n caf\xc3\xa9 \xe2\x82\xac \xff\xfe\xc3(";
}

TEST(Json, AnyReplyBytesSurviveTheRecord) {
  const std::string bytes = AwkwardBytes();
  const std::string text = JsonText(JsonBytes(bytes));
  for (const char c : text) ASSERT_TRUE(c >= 0x20 && c < 0x7f) << text;
  RecordJson value;
  std::string error;
  ASSERT_TRUE(ParseJsonText(text, value, error)) << error;
  std::string back;
  ASSERT_TRUE(ReadJsonBytes(&value, back));
  EXPECT_EQ(back, bytes);
  // The escapes records have always had, and their \u00XX for any other byte.
  EXPECT_EQ(JsonText(JsonBytes("a\"\\\n\r\t\x01\x7f\xff")), R"("a\"\\\n\r\t\u0001\u007f\u00ff")");
  ASSERT_TRUE(ParseJsonText(R"("\u00c3\u00a9\/\b\f")", value, error)) << error;
  ASSERT_TRUE(ReadJsonBytes(&value, back));
  EXPECT_EQ(back, "\xc3\xa9/\b\f");
  // A character beyond one byte is not a record's text.
  ASSERT_TRUE(ParseJsonText(R"("\u0100")", value, error)) << error;
  EXPECT_FALSE(ReadJsonBytes(&value, back));
}

// Python's json module reads a delivery line and gets the reply's bytes back
// by taking each character as one byte.
TEST(Json, AnotherReaderRecoversTheReplyBytes) {
  const std::string directory = ScratchDirectory();
  DeliveryFacts facts;
  facts.reply = AwkwardBytes();
  std::ofstream(directory + "/game.jsonl") << DeliveryLine(facts, DeliveryResult{}) << '\n';
  ChildSetup setup;
  setup.errorPath = directory + "/stderr";
  ChildProcess python;
  std::string reason;
  ASSERT_TRUE(StartChild({test_locations::kPython, test_locations::kReadReplyScript,
                          directory + "/game.jsonl", directory + "/reply"},
                         setup, python, reason))
      << reason;
  EXPECT_EQ(WaitForExit(python, 30), 0) << ReadFile(directory + "/stderr");
  std::ifstream reply(directory + "/reply", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(reply)),
                          std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, facts.reply);
}

TEST(Json, NumbersAreWrittenShortAndReadBackExactly) {
  EXPECT_EQ(JsonText(JsonFloat(0.3f)), "0.3");
  EXPECT_EQ(JsonText(JsonFloat(-2.175823f)), "-2.175823");
  EXPECT_EQ(JsonText(JsonFloat(0.0f)), "0");
  EXPECT_EQ(JsonText(JsonDouble(0.1)), "0.1");
  EXPECT_EQ(JsonText(JsonRounded(2.0 / 3.0, 4)), "0.6667");
  EXPECT_EQ(JsonText(JsonRounded(INFINITY, 2)), "null");
  std::mt19937 generator(3);
  const auto roundTrip = [](const RecordJson& written) {
    RecordJson read;
    std::string error;
    EXPECT_TRUE(ParseJsonText(JsonText(written), read, error)) << error;
    return read;
  };
  // The text of 7.038531e-26f reads as a double halfway between two floats.
  std::vector<float> floats = {-0.0f, 1e-45f, 3.4028235e38f, 1e-4f, 7.038531e-26f};
  for (int i = 0; i < 20000; ++i) {
    const uint32_t bits = generator();
    float f = 0.0f;
    std::memcpy(&f, &bits, sizeof f);
    if (std::isfinite(f)) floats.push_back(f);
  }
  for (const float f : floats) {
    float back = 1.0f;
    const RecordJson readFloat = roundTrip(JsonFloat(f));
    ASSERT_TRUE(ReadJsonFloat(&readFloat, back));
    ASSERT_EQ(std::memcmp(&back, &f, sizeof f), 0) << JsonText(JsonFloat(f));
    const double d = std::ldexp(static_cast<double>(generator()) + 0.5, -20) - 2000.0;
    double backDouble = 0.0;
    const RecordJson readDouble = roundTrip(JsonDouble(d));
    ASSERT_TRUE(ReadJsonDouble(&readDouble, backDouble));
    ASSERT_EQ(backDouble, d) << JsonText(JsonDouble(d));
  }
}

TEST(Json, ReadsValuesOfTheirKindOnlyAndRefusesBrokenText) {
  RecordJson value;
  std::string error;
  ASSERT_TRUE(ParseJsonText(
      R"( {"a":[1,-2.5e3,true,null,"7",2.0,2.5],"seed":18446744073709551615,"neg":-1} )", value,
      error))
      << error;
  const RecordJson& a = value.at("a");
  int integer = 0;
  double number = 0.0;
  bool flag = false;
  std::string text;
  uint64_t seed = 0;
  EXPECT_TRUE(ReadJsonInteger(&a[0], integer) && integer == 1);
  EXPECT_TRUE(ReadJsonDouble(&a[1], number) && number == -2500.0);
  EXPECT_TRUE(ReadJsonInteger(&a[1], integer) && integer == -2500);
  EXPECT_FALSE(ReadJsonInteger(&a[6], integer));
  EXPECT_TRUE(ReadJsonBool(&a[2], flag) && flag);
  EXPECT_FALSE(ReadJsonDouble(&a[3], number));
  EXPECT_FALSE(ReadJsonInteger(&a[4], integer));  // a number in a string is text
  EXPECT_FALSE(ReadJsonBytes(&a[0], text));
  EXPECT_TRUE(ReadJsonInteger(&a[5], integer) && integer == 2);
  EXPECT_TRUE(ReadJsonUnsigned64(JsonMember(value, "seed"), seed) && seed == UINT64_MAX);
  EXPECT_FALSE(ReadJsonInteger(JsonMember(value, "seed"), integer));
  EXPECT_FALSE(ReadJsonUnsigned64(JsonMember(value, "neg"), seed));
  EXPECT_FALSE(ReadJsonUnsigned64(&a[5], seed));
  EXPECT_EQ(JsonMember(value, "missing"), nullptr);
  EXPECT_EQ(JsonMember(a, "a"), nullptr);
  for (const char* broken : {"{\"a\":1", "{\"a\" 1}", "[1,]", "\"open", "{} x", "tru", "[1 2]",
                             "\"\\u12\"", "1.2.3", "", "\"\xff\"", "\"tab\there\""}) {
    EXPECT_FALSE(ParseJsonText(broken, value, error)) << broken;
    EXPECT_NE(error.find("at byte"), std::string::npos) << error;
  }
  EXPECT_FALSE(ParseJsonText(std::string(100000, '['), value, error));
  // Well formed, but beyond a double: refused, not thrown.
  for (const char* huge : {"1e400", "[2e8839126]", "{\"x\":-1e999}"}) {
    EXPECT_FALSE(ParseJsonText(huge, value, error)) << huge;
    EXPECT_NE(error.find("number overflow"), std::string::npos) << error;
    EXPECT_TRUE(value.is_null());
  }
}

}  // namespace

// Where the standard library has no floating-point std::to_chars (the
// browser's build), the records' numbers come from printf and strtod: they
// must be the very texts to_chars writes, or a record made in the page would
// differ from the same game's record made here.
TEST(Json, PrintfShortestWritesWhatToCharsWrites) {
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> metres(-40.0, 40.0);
  std::vector<double> values = {
      0.1,  0.3,      1.0,  100.0, 1e5,  123456.0, 1e16, 1e22, 1e-5, 5e-324, 1.7976931348623157e308,
      -2.5, 0.000123, 4.88, 33.23, 0.145};
  for (int k = 0; k < 20000; ++k) {
    values.push_back(metres(random));
    values.push_back(static_cast<double>(static_cast<float>(metres(random))));
    double any = 0.0;
    const uint64_t bits = random();
    std::memcpy(&any, &bits, sizeof any);
    if (std::isfinite(any)) values.push_back(any);
  }
  for (const double value : values) {
    char text[40];
    const auto written = std::to_chars(text, text + sizeof text, value);
    ASSERT_EQ(PrintfShortest(value), std::string(text, written.ptr)) << value;
  }
}
