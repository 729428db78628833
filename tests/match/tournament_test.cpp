// Matches as engine testers run them: resumed after an interruption, split in
// shards and merged, stopped by the SPRT, watched on a terminal; and the
// option combinations that make no sense.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "tests/match/match_test_support.h"
#include "tests/test_locations.h"

using namespace match::platform;
using namespace match::records;

namespace {

const std::string kFake = test_locations::kFakeEngine;
// Two deterministic engines that play differently, so that results vary
// with the seed.
const std::string kFirst = kFake;
const std::string kSecond = kFake + " --plan toa";

std::vector<std::string> MatchArguments(const std::string& out, std::vector<std::string> extra) {
  std::vector<std::string> arguments = {"--ends", "2", "--noise", "1", "--out", out};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  arguments.push_back(kFirst);
  arguments.push_back(kSecond);
  return arguments;
}

// Runs curling-match to its end; its output lands in `logs`.
int RunToEnd(const std::vector<std::string>& arguments, const std::string& logs) {
  ChildProcess runner = StartRunner(arguments, logs);
  return WaitForExit(runner, 120);
}

std::string Record(const std::string& directory, int game) {
  char name[32];
  std::snprintf(name, sizeof name, "/game-%03d.jsonl", game);
  return directory + name;
}

// The games named in the result progress lines, in ascending order: games
// played at once may finish in either order.
std::vector<int> GamesPlayed(const std::string& stderrText) {
  std::vector<int> games;
  for (size_t at = stderrText.find("result game="); at != std::string::npos;
       at = stderrText.find("result game=", at + 1)) {
    games.push_back(std::atoi(stderrText.c_str() + at + 12));
  }
  std::sort(games.begin(), games.end());
  return games;
}

RecordJson ParseFile(const std::string& path) {
  RecordJson value;
  std::string error;
  EXPECT_TRUE(ParseJsonText(ReadFile(path), value, error)) << path << ": " << error;
  return value;
}

TEST(Tournament, ResumingPlaysOnlyTheGamesWithoutACompleteRecord) {
  const std::string logs = ScratchDirectory();
  const std::string out = logs + "/out";
  const std::vector<std::string> options =
      MatchArguments(out, {"--games", "6", "--concurrency", "2", "--seed", "9"});
  ASSERT_EQ(RunToEnd(options, logs), 0) << ReadFile(logs + "/stderr");
  const std::string summary = ReadFile(out + "/summary.json");
  const std::vector<RecordJson> second = ReadRecordLines(Record(out, 2));
  const std::vector<RecordJson> fifth = ReadRecordLines(Record(out, 5));

  // Game 2 lost, game 5 cut off before its result, as a killed run leaves it.
  std::filesystem::remove(Record(out, 2));
  const std::string fifthText = ReadFile(Record(out, 5));
  const size_t lastLine = fifthText.rfind('\n', fifthText.size() - 2);
  std::ofstream(Record(out, 5)) << fifthText.substr(0, lastLine + 1) << "{\"type\":\"deli";
  ASSERT_EQ(RunToEnd(options, logs), 0) << ReadFile(logs + "/stderr");
  const std::string err = ReadFile(logs + "/stderr");
  EXPECT_EQ(GamesPlayed(err), (std::vector<int>{2, 5}));
  EXPECT_NE(err.find("resume 4 of 6 games"), std::string::npos) << err;
  EXPECT_NE(err.find("game-005.jsonl is replaced"), std::string::npos) << err;
  // Played again with the seed and sides they had, to the same end.
  for (const auto& [game, before] : {std::pair{2, second}, std::pair{5, fifth}}) {
    const std::vector<RecordJson> after = ReadRecordLines(Record(out, game));
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front().at("seed"), before.front().at("seed"));
    EXPECT_EQ(IntegerOf(after.front(), "hammer"), IntegerOf(before.front(), "hammer"));
    EXPECT_EQ(LinesOfType(after, "delivery").size(), LinesOfType(before, "delivery").size());
    EXPECT_EQ(IntegerOf(after.back(), "winner"), IntegerOf(before.back(), "winner"));
  }
  EXPECT_EQ(ReadFile(out + "/summary.json"), summary);

  // Without --seed the match keeps the seed of its records: nothing to play.
  const std::vector<std::string> noSeed = MatchArguments(out, {"--games", "6"});
  ASSERT_EQ(RunToEnd(noSeed, logs), 0) << ReadFile(logs + "/stderr");
  EXPECT_TRUE(GamesPlayed(ReadFile(logs + "/stderr")).empty());
  EXPECT_EQ(ReadFile(out + "/summary.json"), summary);

  // Other options make another match, which the directory does not hold.
  std::vector<std::string> other = options;
  other[1] = "3";  // --ends
  EXPECT_EQ(RunToEnd(other, logs), 2);
  EXPECT_NE(ReadFile(logs + "/stderr").find("holds games of another match"), std::string::npos);
}

TEST(Tournament, ShardsMergedGiveTheSummaryOfTheWholeMatch) {
  const std::string root = ScratchDirectory();
  // Seven games: three pairs and an unpaired last game.
  const std::vector<std::string> match = {"--games", "7", "--seed", "4"};
  std::vector<std::string> whole = match;
  whole.insert(whole.end(), {"--concurrency", "2"});
  ASSERT_EQ(RunToEnd(MatchArguments(root + "/whole", whole), root), 0)
      << ReadFile(root + "/stderr");
  std::vector<std::string> shards;
  for (int k = 1; k <= 3; ++k) {
    shards.push_back(root + "/shard-" + std::to_string(k));
    std::vector<std::string> shard = match;
    shard.insert(shard.end(), {"--shard", std::to_string(k) + "/3"});
    ASSERT_EQ(RunToEnd(MatchArguments(shards.back(), shard), root), 0)
        << ReadFile(root + "/stderr");
  }
  EXPECT_EQ(GamesPlayed(ReadFile(root + "/stderr")), (std::vector<int>{5, 6}));  // shard 3
  std::vector<std::string> merge = {"--merge", "--out", root + "/merged"};
  merge.insert(merge.end(), shards.begin(), shards.end());
  ASSERT_EQ(RunToEnd(merge, root), 0) << ReadFile(root + "/stderr");
  EXPECT_EQ(ReadFile(root + "/merged/summary.json"), ReadFile(root + "/whole/summary.json"));
  EXPECT_NE(ReadFile(root + "/stdout").find("Summary: 7 games"), std::string::npos);
  const RecordJson summary = ParseFile(root + "/merged/summary.json");
  const RecordJson& headToHead = summary.at("headToHead");
  EXPECT_EQ(TextOf(headToHead, "model"), "pentanomial");
  double pairs = 0;
  for (const RecordJson& count : headToHead.at("pairs")) pairs += count.get<int>();
  EXPECT_EQ(pairs, 3);

  // Two records of one game, or games of two matches, cannot be merged.
  EXPECT_EQ(RunToEnd({"--merge", "--out", root + "/m2", root + "/whole", shards[0]}, root), 2);
  EXPECT_NE(ReadFile(root + "/stderr").find("has two records"), std::string::npos);
  const std::string otherSeed = root + "/other";
  ASSERT_EQ(
      RunToEnd(MatchArguments(otherSeed, {"--games", "7", "--seed", "5", "--shard", "2/3"}), root),
      0);
  EXPECT_EQ(RunToEnd({"--merge", "--out", root + "/m3", shards[0], otherSeed}, root), 2);
  EXPECT_NE(ReadFile(root + "/stderr").find("different matches"), std::string::npos);

  // A corrupt record is named, skipped, and not counted.
  std::ofstream(Record(shards[1], 3)) << "{\"type\":\"header\"\n";
  ASSERT_EQ(RunToEnd(merge, root), 0);
  const std::string err = ReadFile(root + "/stderr");
  EXPECT_NE(err.find("warning " + Record(shards[1], 3) + " skipped"), std::string::npos) << err;
  EXPECT_EQ(IntegerOf(ParseFile(root + "/merged/summary.json"), "games"), 6);
}

TEST(Tournament, TheSprtStopsTheMatchOnceABoundIsCrossed) {
  const std::string logs = ScratchDirectory();
  const std::string out = logs + "/out";
  // The second engine throws away all but one stone an end: player 1 wins
  // every game.
  ASSERT_EQ(RunToEnd({"--ends", "1", "--games", "200", "--concurrency", "2", "--seed", "1",
                      "--sprt", "0", "10", "--out", out, kFake, kFake + " --plan o"},
                     logs),
            0)
      << ReadFile(logs + "/stderr");
  const std::string err = ReadFile(logs + "/stderr");
  EXPECT_NE(err.find("sprt H1 accepted"), std::string::npos) << err;
  EXPECT_NE(err.find(" llr="), std::string::npos);
  const RecordJson summary = ParseFile(out + "/summary.json");
  const int games = IntegerOf(summary, "games");
  EXPECT_LT(games, 200);
  // Games running when it stopped were finished and counted.
  EXPECT_EQ(static_cast<int>(GamesPlayed(err).size()), games);
  EXPECT_TRUE(std::filesystem::exists(Record(out, games)));
  EXPECT_FALSE(std::filesystem::exists(Record(out, games + 1)));
  EXPECT_EQ(TextOf(summary.at("sprt"), "decision"), "H1");
}

TEST(Tournament, RefusesOptionsThatContradictEachOther) {
  const std::string logs = ScratchDirectory();
  const std::vector<std::vector<std::string>> bad = {
      {"--seed", "1", "--shard", "3/2", "a", "b"},
      {"--seed", "1", "--shard", "0/2", "a", "b"},
      {"--shard", "1/2", "a", "b"},
      {"--sprt", "5", "0", "a", "b"},
      {"--sprt", "5", "5", "a", "b"},
      {"--sprt", "0", "5", "--alpha", "-0.05", "a", "b"},
      {"--beta", "0.1", "a", "b"},
      {"--seed", "1", "--shard", "1/2", "--sprt", "0", "5", "a", "b"},
      {"--merge"},
      {"--merge", "--games", "4", "somewhere"},
      {"--merge", logs + "/does-not-exist"},
  };
  for (const std::vector<std::string>& arguments : bad) {
    EXPECT_EQ(RunToEnd(arguments, logs), 2) << arguments[0] << " " << arguments[1];
    EXPECT_NE(ReadFile(logs + "/stderr").find("curling-match: "), std::string::npos);
  }
}

TEST(Tournament, ATerminalGetsOneLiveStatusLineInsteadOfDeliveryLines) {
  const std::string logs = ScratchDirectory();
  // script(1) gives the runner a terminal for its standard error.
  const std::string command = "script -qec \"" + std::string(test_locations::kMatch) +
                              " --games 2 --ends 1 --seed 3 --out " + logs + "/out " + kFake + " " +
                              kFake + "\" /dev/null > " + logs + "/terminal";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string text = ReadFile(logs + "/terminal");
  EXPECT_EQ(text.find("delivery game="), std::string::npos);
  EXPECT_NE(text.find("2 done |"), std::string::npos);
  EXPECT_NE(text.find("g1 end=0 shot=15"), std::string::npos);
  EXPECT_NE(text.find("\r\033[K"), std::string::npos);
  EXPECT_NE(text.find("result game=2"), std::string::npos);
}

}  // namespace
