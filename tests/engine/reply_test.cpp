#include "engine/reply.h"

#include <cfloat>
#include <string>

#include <gtest/gtest.h>

using namespace engine;

namespace {

std::string Format(const ShotVec& shot) {
  char reply[kReplyCapacity];
  const int length = FormatShotReply(shot, reply);
  EXPECT_EQ(static_cast<size_t>(length), std::string(reply).size());
  return reply;
}

TEST(ShotReply, SixDecimalsAndTheSpinByteAlone) {
  EXPECT_EQ(Format(ShotVec{0.25f, 3.5f, 1, {0, 0, 0}}), "BESTSHOT 0.250000 3.500000 1");
  EXPECT_EQ(Format(ShotVec{0.25f, 3.5f, 1, {0, 0, 0}}).size(), 28u);
  EXPECT_EQ(Format(ShotVec{0.5f, -30.25f, 0, {0, 0, 0}}), "BESTSHOT 0.500000 -30.250000 0");
  // Whatever the padding holds, only the spin byte is printed.
  EXPECT_EQ(Format(ShotVec{0.0f, 0.0f, 1, {0xFF, 0x7F, 0x80}}), "BESTSHOT 0.000000 0.000000 1");
  EXPECT_EQ(Format(ShotVec{0.1f, -0.1f, 200, {0, 0, 0}}), "BESTSHOT 0.100000 -0.100000 200");
}

TEST(ShotReply, LargestFloatsStillFit) {
  const std::string reply = Format(ShotVec{-FLT_MAX, -FLT_MAX, 255, {0, 0, 0}});
  EXPECT_EQ(reply.substr(0, 10), "BESTSHOT -");
  EXPECT_EQ(reply.substr(reply.size() - 4), " 255");
  EXPECT_LT(reply.size(), kReplyCapacity);
}

}  // namespace
