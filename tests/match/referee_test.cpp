// Whole games through real processes: opponents and scripted engines, faults
// of every kind, records, pictures, replays and the hammer.
#include "match/referee.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "match/records/replay.h"
#include "match/reports/scoreboard.h"
#include "tests/match/match_test_support.h"
#include "tests/test_locations.h"

using namespace match;
using namespace match::engines;
using namespace match::game;
using namespace match::records;
using namespace match::reports;

namespace {

const std::string kFake = test_locations::kFakeEngine;

struct Played {
  GameResult result;
  std::vector<RecordJson> lines;
};

Played Play(const GameSettings& settings) {
  Played played;
  std::string error;
  EXPECT_TRUE(PlayGame(settings, played.result, error)) << error;
  played.lines = ReadRecordLines(played.result.recordPath);
  return played;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The record opens with its header and closes with the result, and the
// deliveries and ends in between account for every stone played.
void ExpectCompleteRecord(const Played& played) {
  ASSERT_GE(played.lines.size(), 2u);
  EXPECT_EQ(TextOf(played.lines.front(), "type"), "header");
  EXPECT_EQ(TextOf(played.lines.back(), "type"), "result");
  EXPECT_EQ(TextOf(played.lines.back(), "reason"), ResultReason(played.result));
  EXPECT_EQ(static_cast<int>(LinesOfType(played.lines, "end").size()),
            played.result.score.endsPlayed);
  for (const RecordJson& delivery : LinesOfType(played.lines, "delivery")) {
    // The engine was told turnFlag 0 exactly when side A delivered.
    EXPECT_EQ(IntegerOf(delivery, "turnFlag") == 0, TextOf(delivery, "side") == "A");
  }
}

TEST(Referee, PlaysWholeGamesBetweenTheOpponents) {
  const std::string directory = ScratchDirectory();
  GameSettings settings =
      QuickGame(test_locations::kOpponentTee, test_locations::kOpponentRandom, directory, 8);
  settings.noise = 0.3f;
  const Played game = Play(settings);
  EXPECT_EQ(game.result.fault, Fault::kNone) << game.result.detail;
  EXPECT_GE(game.result.score.endsPlayed, 8);
  ExpectCompleteRecord(game);
  EXPECT_EQ(static_cast<int>(LinesOfType(game.lines, "delivery").size()),
            16 * game.result.score.endsPlayed);
  ASSERT_EQ(static_cast<int>(game.result.picturePaths.size()), game.result.score.endsPlayed);
  const std::string picture = ReadFile(game.result.picturePaths.back());
  EXPECT_NE(picture.find("<svg"), std::string::npos);
  EXPECT_NE(picture.find("</svg>"), std::string::npos);
  std::string report;
  EXPECT_TRUE(ReplayRecord(game.result.recordPath, report)) << report;

  settings = QuickGame(test_locations::kOpponentGreedy, test_locations::kOpponentTee, directory, 1);
  settings.gameNumber = 2;
  const Played greedy = Play(settings);
  EXPECT_EQ(greedy.result.fault, Fault::kNone) << greedy.result.detail;
  EXPECT_EQ(LinesOfType(greedy.lines, "delivery").size(), 16u);
}

TEST(Referee, ReadsRepliesInPiecesWithoutLineEndsAndWithThem) {
  const std::string directory = ScratchDirectory();
  GameSettings settings = QuickGame(kFake + " --split", kFake + " --line-end", directory, 1);
  Played game = Play(settings);
  EXPECT_EQ(game.result.fault, Fault::kNone) << game.result.detail;
  std::vector<RecordJson> deliveries = LinesOfType(game.lines, "delivery");
  ASSERT_EQ(deliveries.size(), 16u);
  const std::string pieces = TextOf(deliveries[0], "reply");
  const std::string ended = TextOf(deliveries[1], "reply");
  EXPECT_EQ(pieces.rfind("BESTSHOT -0.", 0), 0u) << pieces;
  EXPECT_EQ(pieces.back(), '0');
  EXPECT_EQ(ended.substr(ended.size() - 3), "0\r\n");

  // A line end that comes apart from its reply stays with the next one.
  settings = QuickGame(kFake + " --split --line-end", kFake, directory, 1);
  settings.gameNumber = 2;
  game = Play(settings);
  EXPECT_EQ(game.result.fault, Fault::kNone) << game.result.detail;
  deliveries = LinesOfType(game.lines, "delivery");
  ASSERT_EQ(deliveries.size(), 16u);
  for (size_t i = 0; i < 16; i += 2) {
    EXPECT_EQ(TextOf(deliveries[i], "reply").rfind("\r\nBESTSHOT", 0), 0u) << i;
  }
}

struct BrokenCase {
  const char* arguments;  // for the fake engine, which plays player 1 or 2
  Fault fault;
  int deliveriesBefore;  // stones played before the fault
  const char* detail;    // part of the reason given
};

TEST(Referee, BrokenEnginesLoseWithTheRightReasonAndLeaveNoProcess) {
  const BrokenCase cases[] = {
      {"--fault crash --at 3", Fault::kCrash, 4, "SIGABRT"},
      {"--fault exit --at 2", Fault::kCrash, 2, "exited with status 3"},
      {"--fault close --at 2", Fault::kCrash, 2, "closed its output"},
      {"--fault hang --at 2 --grandchild", Fault::kTime, 2, "no complete reply"},
      {"--fault garbage --at 1", Fault::kIllegalReply, 0, "unparseable"},
      {"--fault nan --at 2", Fault::kIllegalReply, 2, "not finite"},
      {"--fault spin --at 1", Fault::kIllegalReply, 0, "spin"},
      {"--fault fast --at 1", Fault::kIllegalReply, 0, "8.0 m/s"},
      {"--fault no-ready --grandchild", Fault::kTime, 0, "no READYOK"},
  };
  const std::string directory = ScratchDirectory();
  int gameNumber = 0;
  for (const BrokenCase& broken : cases) {
    for (int faulty = 0; faulty < 2; ++faulty) {
      SCOPED_TRACE(std::string(broken.arguments) + " as player " + std::to_string(faulty + 1));
      const std::string pidFile = directory + "/pids-" + std::to_string(++gameNumber);
      std::string commands[2] = {kFake, kFake};
      commands[faulty] += " --pid-file " + pidFile + " " + broken.arguments;
      GameSettings settings = QuickGame(commands[0], commands[1], directory, 8);
      settings.gameNumber = gameNumber;
      // Room for a healthy engine on a busy machine; only the hanging cases wait it out.
      settings.moveTimeMs = 2000;
      settings.hammerPlayer = 1 - faulty;  // the faulty engine delivers first
      const Played game = Play(settings);

      EXPECT_EQ(game.result.fault, broken.fault) << game.result.detail;
      EXPECT_EQ(game.result.faultPlayer, faulty);
      EXPECT_EQ(game.result.winner, 1 - faulty);
      EXPECT_NE(game.result.detail.find(broken.detail), std::string::npos) << game.result.detail;
      ExpectCompleteRecord(game);
      EXPECT_EQ(static_cast<int>(LinesOfType(game.lines, "delivery").size()),
                broken.deliveriesBefore);
      EXPECT_EQ(IntegerOf(game.lines.back(), "winner"), 2 - faulty);
      const std::vector<int> pids = ReadPids(pidFile);
      EXPECT_FALSE(pids.empty());
      for (const int pid : pids) EXPECT_TRUE(ProcessEnds(pid)) << pid;
    }
  }
}

TEST(Referee, AnEngineThatCannotStartLosesAndTwoSpoilTheGameForBoth) {
  const std::string directory = ScratchDirectory();
  GameSettings settings = QuickGame(kFake, "/nonexistent/engine --x", directory, 8);
  Played game = Play(settings);
  EXPECT_EQ(game.result.fault, Fault::kNoStart);
  EXPECT_EQ(game.result.winner, 0);
  EXPECT_NE(game.result.detail.find("/nonexistent/engine"), std::string::npos);
  ExpectCompleteRecord(game);

  settings = QuickGame("/nonexistent/engine", kFake + " --fault no-ready", directory, 8);
  settings.gameNumber = 2;
  settings.moveTimeMs = 300;
  game = Play(settings);
  EXPECT_EQ(game.result.faultPlayer, kBothPlayers);
  EXPECT_EQ(game.result.winner, -1);
  EXPECT_FALSE(game.result.draw);
  EXPECT_EQ(TextOf(game.lines.back(), "outcome"), "none");
}

TEST(Referee, TheGameTimeIsATotalPerPlayer) {
  const std::string directory = ScratchDirectory();
  GameSettings settings = QuickGame(kFake + " --delay 60", kFake, directory, 8);
  settings.gameTimeMs = 400;
  const Played game = Play(settings);
  EXPECT_EQ(game.result.fault, Fault::kTime);
  EXPECT_EQ(game.result.faultPlayer, 0);
  EXPECT_NE(game.result.detail.find("game time"), std::string::npos) << game.result.detail;
  // About six replies of 60 ms fit in 400 ms, fewer on a busy machine; each
  // alone was well within the move time.
  const size_t delivered = LinesOfType(game.lines, "delivery").size();
  EXPECT_GE(delivered, 2u);
  EXPECT_LE(delivered, 15u);
}

TEST(Referee, ASeededGameReplaysAndATamperedRecordDoesNot) {
  const std::string directory = ScratchDirectory();
  GameSettings settings = QuickGame(kFake, test_locations::kOpponentRandom, directory, 2);
  settings.noise = 0.3f;
  settings.seed = 77;
  const Played game = Play(settings);
  std::string report;
  ASSERT_TRUE(ReplayRecord(game.result.recordPath, report)) << report;

  // The same seed and the same replies give the same game.
  settings.players[1] = settings.players[0];
  settings.gameNumber = 2;
  const Played first = Play(settings);
  settings.gameNumber = 3;
  const Played second = Play(settings);
  const std::vector<RecordJson> a = LinesOfType(first.lines, "delivery");
  const std::vector<RecordJson> b = LinesOfType(second.lines, "delivery");
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    ASSERT_EQ(a[i].at("after").size(), 16u);
    EXPECT_EQ(a[i].at("after"), b[i].at("after"));
  }

  // Each kind of tampering is found.
  const std::string original = ReadFile(game.result.recordPath);
  const std::vector<std::pair<std::string, std::string>> tamperings = {
      {"\"seed\":77", "\"seed\":78"},
      {"\"reply\":\"BESTSHOT -0.0", "\"reply\":\"BESTSHOT -0.1"},
      {"\"endClosed\":true", "\"endClosed\":true,\"x\":1"},  // harmless: still agrees
  };
  for (size_t t = 0; t < tamperings.size(); ++t) {
    std::string text = original;
    const size_t at = text.find(tamperings[t].first);
    ASSERT_NE(at, std::string::npos) << tamperings[t].first;
    text.replace(at, tamperings[t].first.size(), tamperings[t].second);
    const std::string path = directory + "/tampered-" + std::to_string(t) + ".jsonl";
    std::ofstream(path) << text;
    EXPECT_EQ(ReplayRecord(path, report), t == 2) << tamperings[t].first << ": " << report;
  }
  // A stone of a position after a delivery moved a little.
  std::string text = original;
  const size_t digit = text.find_first_of("123456789", text.find("\"after\":[[") + 10);
  text[digit] = text[digit] == '9' ? '8' : static_cast<char>(text[digit] + 1);
  std::ofstream(directory + "/moved.jsonl") << text;
  EXPECT_FALSE(ReplayRecord(directory + "/moved.jsonl", report));
  EXPECT_NE(report.find("differs"), std::string::npos) << report;
  // A record cut short has no result.
  std::ofstream(directory + "/cut.jsonl")
      << original.substr(0, original.rfind("{\"type\":\"result\""));
  EXPECT_FALSE(ReplayRecord(directory + "/cut.jsonl", report));
}

std::vector<int> EndField(const Played& game, const char* key) {
  std::vector<int> values;
  for (const RecordJson& end : LinesOfType(game.lines, "end")) {
    values.push_back(end.at(key).is_null() ? 0 : IntegerOf(end, key));
  }
  return values;
}

TEST(Referee, TheHammerGoesToTheSideThatDidNotScoreAndStaysAfterABlankEnd) {
  const std::string directory = ScratchDirectory();
  // Player 1 delivers first in end 1. 'o': one stone to the tee, 'a': all away.
  const Played game = Play(QuickGame(kFake + " --plan oaao", kFake + " --plan aoaa", directory, 4));
  EXPECT_EQ(game.result.fault, Fault::kNone) << game.result.detail;
  EXPECT_EQ(EndField(game, "scoredBy"), (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(EndField(game, "first"), (std::vector<int>{1, 1, 2, 2}));
  EXPECT_EQ(EndField(game, "hammer"), (std::vector<int>{2, 2, 1, 1}));
  EXPECT_EQ(EndField(game, "nextFirst"), (std::vector<int>{1, 2, 2, 1}));
  EXPECT_EQ(game.result.winner, 0);
  EXPECT_EQ(game.result.score.points[0], 2);
  EXPECT_EQ(game.result.score.points[1], 1);
  ExpectCompleteRecord(game);
  // The first stone of each end came from the side the record says.
  for (const RecordJson& delivery : LinesOfType(game.lines, "delivery")) {
    if (IntegerOf(delivery, "shot") != 0) continue;
    const int end = IntegerOf(delivery, "end");
    EXPECT_EQ(IntegerOf(delivery, "player"), EndField(game, "first")[static_cast<size_t>(end)]);
  }
}

TEST(Referee, ATieGoesToAnExtraEndAndTenTiedEndsAreADraw) {
  const std::string directory = ScratchDirectory();
  GameSettings settings = QuickGame(kFake + " --plan oao", kFake + " --plan aoa", directory, 2);
  Played game = Play(settings);
  EXPECT_EQ(game.result.score.endsPlayed, 3);
  EXPECT_EQ(game.result.winner, 0);
  EXPECT_EQ(EndField(game, "first"), (std::vector<int>{1, 1, 2}));
  EXPECT_NE(FormatScoreboard(game.result).find("extra ends: 3 to 3"), std::string::npos);
  ExpectCompleteRecord(game);

  settings = QuickGame(kFake + " --plan a", kFake + " --plan a", directory, 8);
  settings.gameNumber = 2;
  game = Play(settings);
  EXPECT_EQ(game.result.score.endsPlayed, 10);
  EXPECT_TRUE(game.result.draw);
  EXPECT_EQ(game.result.winner, -1);
  EXPECT_EQ(TextOf(game.lines.back(), "outcome"), "draw");
  EXPECT_EQ(LinesOfType(game.lines, "delivery").size(), 160u);
}

}  // namespace
