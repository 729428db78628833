#include "engine/token.h"

#include <string>

#include <gtest/gtest.h>

using namespace engine;

namespace {

// The token at `index`, or "<missing>".
std::string Token(const char* line, int index) {
  char token[kTokenCapacity];
  if (!GetToken(token, line, index)) return "<missing>";
  return token;
}

TEST(GetToken, OnlyTheBlankSeparates) {
  const char* line = "  SETSTATE   1\t2 x\ty  ";
  EXPECT_EQ(Token(line, 0), "SETSTATE");
  EXPECT_EQ(Token(line, 1), "1\t2");
  EXPECT_EQ(Token(line, 2), "x\ty");
  EXPECT_EQ(Token("GO\t", 0), "GO\t");
  EXPECT_EQ(Token("GO\tx", 1), "<missing>");
}

TEST(GetToken, TokenAfterTrailingBlanksIsEmptyButFound) {
  EXPECT_EQ(Token("SETSTATE 1 2 3 ", 4), "");
  EXPECT_EQ(Token("SETSTATE 1 2 3   ", 4), "");
  EXPECT_EQ(Token("SETSTATE 1 2 3 ", 5), "<missing>");
  EXPECT_EQ(Token("SETSTATE 1 2 3", 4), "<missing>");
  EXPECT_EQ(Token("", 0), "");
  EXPECT_EQ(Token("   ", 0), "");
  EXPECT_EQ(Token("", 1), "<missing>");
}

TEST(GetToken, LongTokenIsCutToTheBuffer) {
  const std::string line = "A " + std::string(3000, 'b');
  char token[kTokenCapacity];
  ASSERT_TRUE(GetToken(token, line.c_str(), 1));
  EXPECT_EQ(std::string(token), std::string(kTokenCapacity - 1, 'b'));
}

}  // namespace
