// The data file as a whole: the same bytes whatever the threads, after a
// resumption, and from merged shards; other runs' files refused.
#include <filesystem>
#include <fstream>
#include <utility>

#include <gtest/gtest.h>

#include "selfplay/data_run.h"
#include "selfplay/position_file.h"
#include "selfplay_test_support.h"

using namespace selfplay;

namespace {

RunSettings TheRun() {
  // The searching players play the ends' last stones only, to keep the run short.
  return SmallRun("phase@12/random/greedy", "phase@10/random/strong:samples=20", 5, 77);
}

TEST(DataFile, TheSameBytesWhateverTheThreads) {
  const std::string one = ScratchPath("one.bin");
  const std::string three = ScratchPath("three.bin");
  const DataOutcome outcome = WriteData(TheRun(), one, 1);
  WriteData(TheRun(), three, 3);
  EXPECT_EQ(outcome.gamesPlayed, 5);
  const std::string bytes = ReadBytes(one);
  EXPECT_EQ(bytes.size(), kRecordsOffset + outcome.positions * kPositionRecordSize);
  EXPECT_EQ(bytes, ReadBytes(three));
}

TEST(DataFile, ARunCutMidGameResumesToTheSameBytes) {
  const std::string whole = ScratchPath("whole.bin");
  const std::string cut = ScratchPath("cut.bin");
  WriteData(TheRun(), whole);
  PositionFile file;
  std::string error;
  ASSERT_TRUE(ReadPositionFile(whole, file, error)) << error;
  ASSERT_EQ(file.games.size(), 5u);
  EXPECT_EQ(file.trailingBytes, 0u);

  // Two whole games, then part of the third, the last record cut short.
  const size_t keep = kRecordsOffset +
                      (file.games[0].size() + file.games[1].size() + 20) * kPositionRecordSize + 37;
  std::filesystem::copy_file(whole, cut);
  std::filesystem::resize_file(cut, keep);
  ASSERT_TRUE(ReadPositionFile(cut, file, error)) << error;
  EXPECT_EQ(file.games.size(), 2u);
  EXPECT_EQ(file.trailingBytes, 20 * kPositionRecordSize + 37);

  const DataOutcome resumed = WriteData(TheRun(), cut);
  EXPECT_EQ(resumed.gamesBefore, 2);
  EXPECT_EQ(resumed.gamesPlayed, 3);
  EXPECT_EQ(ReadBytes(cut), ReadBytes(whole));

  // A finished file is left as it is.
  EXPECT_EQ(WriteData(TheRun(), cut).gamesPlayed, 0);
  EXPECT_EQ(ReadBytes(cut), ReadBytes(whole));
}

TEST(DataFile, AnotherRunsFileIsRefusedAndLeftAlone) {
  const std::string path = ScratchPath("run.bin");
  WriteData(TheRun(), path);
  const std::string before = ReadBytes(path);
  RunSettings changes[4] = {TheRun(), TheRun(), TheRun(), TheRun()};
  changes[0].seed = 78;
  changes[1].explore = 0.3f;
  std::string error;
  ASSERT_TRUE(ParsePlayerChoice("phase@10/random/strong:samples=21", changes[2].players[1], error));
  changes[3].games = 6;
  for (const RunSettings& other : changes) {
    DataRun run;
    run.settings = other;
    run.out = path;
    DataOutcome outcome;
    EXPECT_FALSE(RunData(run, outcome, error));
    EXPECT_NE(error.find("holds another run"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), before);
  }
  const std::string text = ScratchPath("text.bin");
  {
    std::FILE* f = std::fopen(text.c_str(), "wb");
    std::fputs("hello\n", f);
    std::fclose(f);
  }
  DataRun run;
  run.settings = TheRun();
  run.out = text;
  DataOutcome outcome;
  EXPECT_FALSE(RunData(run, outcome, error));
  EXPECT_NE(error.find("not a self-play data file"), std::string::npos) << error;
}

class Shards : public ::testing::Test {
 protected:
  std::string Shard(int k, int n, uint64_t seed = 77) {
    RunSettings settings = TheRun();
    settings.seed = seed;
    settings.shard = k;
    settings.shards = n;
    std::string path = ScratchPath("shard-" + std::to_string(k) + "-" + std::to_string(n) + "-" +
                                   std::to_string(seed) + ".bin");
    WriteData(settings, path);
    return path;
  }
  std::string Merge(const std::vector<std::string>& shards, bool ok = true) {
    const std::string out = ScratchPath("merged.bin");
    std::string error;
    EXPECT_EQ(MergeShards(shards, out, error), ok) << error;
    return ok ? out : error;
  }
};

TEST_F(Shards, TwoShardsMergeToTheFileOfOneMachine) {
  const std::string one = ScratchPath("one.bin");
  WriteData(TheRun(), one);
  // Given in either order.
  EXPECT_EQ(ReadBytes(Merge({Shard(2, 2), Shard(1, 2)})), ReadBytes(one));
  EXPECT_EQ(ReadBytes(Merge({Shard(1, 2), Shard(2, 2)})), ReadBytes(one));
}

TEST_F(Shards, TheMergeRefusesOtherRunsAndIncompleteSets) {
  const std::string first = Shard(1, 2);
  const std::string second = Shard(2, 2);
  EXPECT_NE(Merge({first}, false).find("2 shards; 1 given"), std::string::npos);
  EXPECT_NE(Merge({first, first}, false).find("shard 1 again"), std::string::npos);
  EXPECT_NE(Merge({first, Shard(2, 2, 78)}, false).find("another run"), std::string::npos);
  EXPECT_NE(Merge({first, Shard(2, 3)}, false).find("another run"), std::string::npos);

  const std::string cut = ScratchPath("cut.bin");
  std::filesystem::copy_file(second, cut);
  std::filesystem::resize_file(cut, std::filesystem::file_size(second) - kPositionRecordSize);
  EXPECT_NE(Merge({first, cut}, false).find("is not complete"), std::string::npos);

  // The header's shard and game count are read whole: a value with more after
  // it, or out of range, is refused rather than half read.
  PositionFile file;
  std::string error;
  ASSERT_TRUE(ReadPositionFile(second, file, error)) << error;
  const std::string records = ReadBytes(second).substr(kRecordsOffset);
  for (const auto& [from, to] :
       {std::pair<std::string, std::string>{"shard=2/2\n", "shard=2/2 and more\n"},
        {"shard=2/2\n", "shard=2/4294967298\n"},
        {"games=5\n", "games=4294967301\n"}}) {
    std::string text = file.settingsText;
    ASSERT_NE(text.find(from), std::string::npos) << text;
    text.replace(text.find(from), from.size(), to);
    std::string head;
    ASSERT_TRUE(FileHead(text, head, error)) << error;
    const std::string edited = ScratchPath("edited.bin");
    std::ofstream(edited, std::ios::binary) << head << records;
    EXPECT_NE(Merge({first, edited}, false).find("names no shard"), std::string::npos) << to;
  }
}

}  // namespace
