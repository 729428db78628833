// Replies come without line ends and in pieces: the scanner must neither take
// a reply too early nor wait for one that is already complete, and must turn
// garbage down at once.
#include "match/engines/reply_scan.h"

#include <string>

#include <gtest/gtest.h>

using namespace match::engines;

namespace {

ReplyProgress Scan(const std::string& text, size_t* length = nullptr) {
  size_t taken = 0;
  const ReplyProgress progress = ScanShotReply(text, taken);
  if (length != nullptr) *length = taken;
  return progress;
}

TEST(ShotReplyScan, EveryPieceOfAReplyBeforeItsSpinIsIncomplete) {
  const std::string reply = "BESTSHOT -0.097499 -2.175823 1";
  for (size_t cut = 0; cut + 1 < reply.size(); ++cut) {
    EXPECT_EQ(Scan(reply.substr(0, cut)), ReplyProgress::kIncomplete) << cut;
  }
  size_t length = 0;
  EXPECT_EQ(Scan(reply, &length), ReplyProgress::kComplete);
  EXPECT_EQ(length, reply.size());
}

TEST(ShotReplyScan, LineEndsAndBlanksAroundTheReplyBelongToIt) {
  size_t length = 0;
  EXPECT_EQ(Scan("\r\n  BESTSHOT 0.5 -2 0\r\nREADY", &length), ReplyProgress::kComplete);
  EXPECT_EQ(length, std::string("\r\n  BESTSHOT 0.5 -2 0\r\n").size());
  // Tabs separate tokens too.
  EXPECT_EQ(Scan("BESTSHOT\t0.5\t-2\t1", &length), ReplyProgress::kComplete);
}

TEST(ShotReplyScan, AnOddLastTokenWaitsForQuietOutput) {
  size_t length = 0;
  EXPECT_EQ(Scan("BESTSHOT 0.5 -2 2", &length), ReplyProgress::kCompleteIfQuiet);
  EXPECT_EQ(Scan("BESTSHOT 0.5 -2 0.", &length), ReplyProgress::kCompleteIfQuiet);
  EXPECT_EQ(length, 18u);
  EXPECT_EQ(Scan("BESTSHOT 0.5 -2 10 ", &length), ReplyProgress::kComplete);
}

TEST(ShotReplyScan, GarbageIsIllegalAtOnce) {
  EXPECT_EQ(Scan("H"), ReplyProgress::kIllegal);
  EXPECT_EQ(Scan("BESTSHOTS"), ReplyProgress::kIllegal);
  EXPECT_EQ(Scan("READYOK"), ReplyProgress::kIllegal);
  EXPECT_EQ(Scan("bestshot 1 2 0"), ReplyProgress::kIllegal);
  // A line end before the fourth token ends a reply too short.
  EXPECT_EQ(Scan("BESTSHOT 1 2\n"), ReplyProgress::kIllegal);
  EXPECT_EQ(Scan("BESTSHOT\n"), ReplyProgress::kIllegal);
  EXPECT_EQ(Scan("BESTSHOT 1 2 "), ReplyProgress::kIncomplete);
}

TEST(ReadyReplyScan, TakesReadyokInPiecesAndRefusesAnythingElse) {
  size_t length = 0;
  EXPECT_EQ(ScanReadyReply("", length), ReplyProgress::kIncomplete);
  EXPECT_EQ(ScanReadyReply("\nREAD", length), ReplyProgress::kIncomplete);
  EXPECT_EQ(ScanReadyReply("\nREADYOK", length), ReplyProgress::kComplete);
  EXPECT_EQ(length, 8u);
  EXPECT_EQ(ScanReadyReply("READYOKBESTSHOT", length), ReplyProgress::kComplete);
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(ScanReadyReply("READX", length), ReplyProgress::kIllegal);
  EXPECT_EQ(ScanReadyReply("readyok", length), ReplyProgress::kIllegal);
}

TEST(ShotReplyParse, AcceptsWhatAnEngineWritesAndKeepsFloatValues) {
  ShotVec shot{};
  std::string problem;
  ASSERT_TRUE(ParseShotReply("BESTSHOT -0.097499 -2.175823 1", shot, problem)) << problem;
  EXPECT_EQ(shot.vx, -0.097499f);
  EXPECT_EQ(shot.vy, -2.175823f);
  EXPECT_EQ(shot.spin, 1);
  ASSERT_TRUE(ParseShotReply("\r\nBESTSHOT 1e-1 +2 0\n", shot, problem)) << problem;
  EXPECT_EQ(shot.vx, 0.1f);
}

TEST(ShotReplyParse, RefusesIllegalShotsWithAReason) {
  const char* illegal[] = {
      "BESTSHOT nan -2 0", "BESTSHOT 0 -inf 0",  "BESTSHOT 1e39 0 0",   "BESTSHOT 0 -2 2",
      "BESTSHOT 0 -2 -1",  "BESTSHOT 0 -2 0.5",  "BESTSHOT 0 -8.001 0", "BESTSHOT 6 -6 1",
      "BESTSHOT abc -2 0", "BESTSHOT 0.5x -2 0", "BESTSHOT 0 -2 0 7",   "BESTSHOT 0 -2",
  };
  for (const char* text : illegal) {
    ShotVec shot{};
    std::string problem;
    EXPECT_FALSE(ParseShotReply(text, shot, problem)) << text;
    EXPECT_FALSE(problem.empty()) << text;
  }
  // The limit itself is a speed a person could still throw.
  ShotVec shot{};
  std::string problem;
  EXPECT_TRUE(ParseShotReply("BESTSHOT 0 -8 0", shot, problem)) << problem;
}

}  // namespace
