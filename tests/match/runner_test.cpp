// curling-match as a user runs it: options, several games side by side, and
// stopping it with a signal while engines hang.
#include <chrono>
#include <thread>

#include <gtest/gtest.h>
#include <signal.h>

#include "match/platform/process.h"
#include "tests/match/match_test_support.h"
#include "tests/test_locations.h"

using namespace match::platform;
using namespace match::records;

namespace {

const std::string kFake = test_locations::kFakeEngine;

TEST(Runner, RefusesBadOptionsWithStatusTwoAndAReason) {
  const std::vector<std::vector<std::string>> bad = {
      {"--ends", "11", "a", "b"},
      {"--games", "0", "a", "b"},
      {"--noise", "-1", "a", "b"},
      {"--noise", "5.01", "a", "b"},
      {"--hammer", "3", "a", "b"},
      {"--move-time", "0", "a", "b"},
      {"--concurrency", "33", "a", "b"},
      {"--seed", "x", "a", "b"},
      {"--bogus", "a", "b"},
      {"only-one"},
      {"a", "b", "c"},
      {"--demo", "a"},
      {"--games"},
      {"'unterminated", "b"},
  };
  const std::string directory = ScratchDirectory();
  for (const std::vector<std::string>& arguments : bad) {
    ChildProcess runner = StartRunner(arguments, directory);
    EXPECT_EQ(WaitForExit(runner, 10), 2) << arguments[0];
    EXPECT_NE(ReadFile(directory + "/stderr").find("curling-match: "), std::string::npos)
        << arguments[0];
  }
  ChildProcess help = StartRunner({"--help"}, directory);
  EXPECT_EQ(WaitForExit(help, 10), 0);
  EXPECT_NE(ReadFile(directory + "/stdout").find("usage: curling-match"), std::string::npos);
}

TEST(Runner, PlaysGamesSideBySideWithTheHammerAlternatingAndSummarises) {
  const std::string directory = ScratchDirectory();
  ChildProcess runner =
      StartRunner({"--games", "4", "--concurrency", "2", "--ends", "1", "--seed", "5", "--out",
                   directory, "--name1", "tee", "--name2", "one stone", kFake, kFake + " --plan o"},
                  directory);
  ASSERT_EQ(WaitForExit(runner, 60), 0) << ReadFile(directory + "/stderr");
  for (int game = 1; game <= 4; ++game) {
    const std::vector<RecordJson> lines =
        ReadRecordLines(directory + "/game-00" + std::to_string(game) + ".jsonl");
    ASSERT_FALSE(lines.empty());
    // Game 1 gives player 2 the hammer, then the players take turns.
    EXPECT_EQ(IntegerOf(lines.front(), "hammer"), game % 2 == 1 ? 2 : 1);
    // Games 2k-1 and 2k form pair k, with seed 5 + k - 1.
    EXPECT_EQ(IntegerOf(lines.front(), "seed"), 5 + (game - 1) / 2);
  }
  RecordJson summary;
  std::string error;
  ASSERT_TRUE(ParseJsonText(ReadFile(directory + "/summary.json"), summary, error)) << error;
  EXPECT_EQ(IntegerOf(summary, "games"), 4);
  const RecordJson& tee = summary.at("players").at(0);
  EXPECT_EQ(TextOf(tee, "name"), "tee");
  const RecordJson& all = tee.at("all");
  EXPECT_EQ(IntegerOf(all, "wins") + IntegerOf(all, "draws") + IntegerOf(all, "losses"), 4);
  EXPECT_EQ(IntegerOf(tee.at("withHammer"), "games"), 2);
  // Four scoreboards, a summary table, and one progress line per delivery.
  const std::string out = ReadFile(directory + "/stdout");
  size_t boards = 0;
  for (size_t at = out.find("| Total"); at != std::string::npos; at = out.find("| Total", at + 1)) {
    ++boards;
  }
  EXPECT_EQ(boards, 4u);
  EXPECT_NE(out.find("Summary: 4 games"), std::string::npos);
  const std::string err = ReadFile(directory + "/stderr");
  size_t deliveries = 0;
  for (size_t at = err.find("delivery game="); at != std::string::npos;
       at = err.find("delivery game=", at + 1)) {
    ++deliveries;
  }
  EXPECT_EQ(deliveries, 4u * 16u);
}

TEST(Runner, ASignalEndsEveryEngineAndTheRunner) {
  for (const int signal : {SIGINT, SIGTERM}) {
    const std::string directory = ScratchDirectory();
    const std::string pids[2] = {directory + "/pids-1", directory + "/pids-2"};
    ChildProcess runner =
        StartRunner({"--games", "2", "--concurrency", "2", "--move-time", "60", "--out", directory,
                     kFake + " --fault hang --at 2 --grandchild --pid-file " + pids[0],
                     kFake + " --fault hang --at 2 --grandchild --pid-file " + pids[1]},
                    directory);
    // Wait until both games are stuck in a hanging engine: each has played
    // its first two stones.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    const auto secondStones = [&directory] {
      const std::string err = ReadFile(directory + "/stderr");
      return err.find("game=1 end=0 shot=1 ") != std::string::npos &&
             err.find("game=2 end=0 shot=1 ") != std::string::npos;
    };
    while (std::chrono::steady_clock::now() < deadline && !secondStones()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::vector<int> engines;
    for (const std::string& file : pids) {
      const std::vector<int> found = ReadPids(file);
      engines.insert(engines.end(), found.begin(), found.end());
    }
    ASSERT_EQ(engines.size(), 4u);
    for (const int pid : engines) ASSERT_TRUE(ProcessAlive(pid));

    kill(runner.pid, signal);
    EXPECT_EQ(WaitForExit(runner, 20), 128 + signal);
    for (const int pid : engines) EXPECT_TRUE(ProcessEnds(pid)) << pid;
    const std::vector<RecordJson> lines = ReadRecordLines(directory + "/game-001.jsonl");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(TextOf(lines.back(), "reason"), "interrupted");
  }
}

}  // namespace
