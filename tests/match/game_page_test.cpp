// The game page: written beside every finished record and by curling-analyze
// view alike, self-contained and small enough for a long game, and never
// written, not even in part, from a record that is cut short, corrupt or not a
// record at all.
#include "match/reports/game_page.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "engine/linked_simulator.h"
#include "match/records/record_json.h"
#include "match/referee.h"
#include "search/strong/position_evaluation.h"
#include "tests/match/match_test_support.h"
#include "tests/test_locations.h"
#include "tests/tools/tool_run.h"

using namespace engine;
using namespace match;
using namespace match::game;
using namespace match::records;
using namespace match::reports;
using namespace search::strong;

namespace {

size_t Count(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

// The page's data block, read back.
RecordJson PageData(const std::string& page) {
  const std::string opening = "type=\"application/json\">";
  const size_t open = page.find(opening) + opening.size();
  RecordJson data;
  std::string error;
  EXPECT_TRUE(ParseJsonText(page.substr(open, page.find("</script>", open) - open), data, error))
      << error;
  return data;
}

// A game played and its page written as the runner writes it, with the
// learned evaluation's chances, as curling-match and curling-analyze view give it.
std::string PlayedRecord(const std::string& directory, int ends, GameResult* played = nullptr) {
  GameSettings settings =
      QuickGame(test_locations::kOpponentGreedy, test_locations::kOpponentRandom, directory, ends);
  settings.noise = 0.3f;
  GameResult result;
  std::string error;
  BindLinkedSimulator();
  EXPECT_TRUE(PlayGame(settings, result, error, LearnedHammerWinChance)) << error;
  if (played != nullptr) *played = result;
  return result.recordPath;
}

TEST(GamePage, TheRunnerAndViewWriteTheSameSelfContainedPageUnderTwoMegabytes) {
  const std::string directory = ScratchDirectory();
  GameResult result;
  const std::string record = PlayedRecord(directory, 10, &result);
  const std::string page = ReadWholeFile(directory + "/game-001.html");
  ASSERT_FALSE(page.empty());
  EXPECT_LT(page.size(), 2u * 1024 * 1024);
  // Every delivery of every end is in it, with the paths of its stones.
  const size_t deliveries = LinesOfType(ReadRecordLines(record), "delivery").size();
  EXPECT_GE(deliveries, 160u);
  EXPECT_EQ(Count(page, "{\"end\":"), deliveries);
  EXPECT_EQ(Count(page, "\"paths\":[["), deliveries);
  // Nothing is fetched: no sources, links, imports or addresses but the SVG namespace.
  for (const char* outside : {"src=", "href=", "<link", "@import", "url(", "//cdn", "https:"}) {
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  }
  EXPECT_EQ(Count(page, "http://"), 2u);  // the namespace, in the markup and the script

  // Player 1's chance after every delivery; after the last, the game's
  // result (a draw counts half).
  const RecordJson chances = PageData(page)["winChances"];
  ASSERT_EQ(chances.size(), deliveries);
  for (const RecordJson& chance : chances) {
    EXPECT_GE(chance.get<double>(), 0.0);
    EXPECT_LE(chance.get<double>(), 1.0);
  }
  const double final = result.winner == 0 ? 1.0 : (result.winner == 1 ? 0.0 : 0.5);
  EXPECT_EQ(chances.back().get<double>(), final);

  const ToolRun again = RunAnalyze({"view", record, "-o", directory + "/again.html"}, "");
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(ReadWholeFile(directory + "/again.html"), page);
  std::filesystem::remove(directory + "/game-001.html");
  const ToolRun beside = RunAnalyze({"view", record}, "");
  EXPECT_EQ(beside.status, 0) << beside.err;
  EXPECT_EQ(beside.out, directory + "/game-001.html\n");
  EXPECT_EQ(ReadWholeFile(directory + "/game-001.html"), page);
  EXPECT_EQ(RunAnalyze({"view"}, "").status, 2);
}

TEST(GamePage, RepliesAndNamesCannotBreakOutOfThePageAndKeepTheirBytes) {
  ReplayedGame game;
  game.names[0] = "<b>bold</b> & \"quoted\"";
  game.names[1] = "plain";
  ReplayedDelivery delivery;
  delivery.reply = "BESTSHOT 0 -2 0</script><script>alert(1)</script>\r\n\x01\xff\xc3\xa9";
  game.deliveries.push_back(delivery);
  const std::string page = GamePageHtml(game);
  EXPECT_EQ(page.find("<b>bold"), std::string::npos);
  EXPECT_EQ(page.find("alert(1)</script>"), std::string::npos);
  EXPECT_EQ(Count(page, "</script>"), 2u);  // the data block's and the script's own

  const std::string opening = "type=\"application/json\">";
  const size_t open = page.find(opening) + opening.size();
  RecordJson data;
  std::string error;
  ASSERT_TRUE(ParseJsonText(page.substr(open, page.find("</script>", open) - open), data, error))
      << error;
  std::string name;
  std::string reply;
  ASSERT_TRUE(ReadJsonBytes(&data["names"][0], name));
  ASSERT_TRUE(ReadJsonBytes(&data["deliveries"][0]["reply"], reply));
  EXPECT_EQ(name, game.names[0]);
  EXPECT_EQ(reply, delivery.reply);
}

// A stand-in evaluation that shows what it was given: the side with the
// hammer's lead before the end, in tenths, and the position's shot number,
// in thousandths.
double LeadAndShot(const GameState& position, int hammerLead) {
  return 0.5 + hammerLead / 10.0 + position.shotNumber / 1000.0;
}

ReplayedDelivery Delivered(int end, int shot, int player) {
  ReplayedDelivery delivery;
  delivery.end = end;
  delivery.shot = shot;
  delivery.player = player;
  delivery.result.after.shotNumber = shot + 1;
  return delivery;
}

TEST(GamePage, ChancesAreAskedWithTheGamesScoreAndHammerAndGivenForPlayerOne) {
  // End 1: player 0 first, player 1 with the hammer scores two and gives the
  // hammer up; end 2: player 0 has it, two down.
  ReplayedGame game;
  game.score.endsPlayed = 2;
  game.score.endPoints[0][1] = 2;
  game.score.endPoints[1][0] = 1;
  game.score.endFirst[0] = 0;
  game.score.endFirst[1] = 1;
  game.deliveries = {Delivered(0, 0, 0), Delivered(0, 1, 1), Delivered(1, 0, 1),
                     Delivered(1, 1, 0)};
  const std::vector<double> chances = PlayerOneWinChances(game, LeadAndShot);
  ASSERT_EQ(chances.size(), 4u);
  EXPECT_NEAR(chances[0], 1.0 - 0.501, 1e-12);  // player 1's hammer, level
  EXPECT_NEAR(chances[1], 1.0 - 0.502, 1e-12);
  EXPECT_NEAR(chances[2], 0.301, 1e-12);  // player 0's hammer, two down
  EXPECT_NEAR(chances[3], 0.302, 1e-12);

  // The page carries them, rounded; without an evaluation it has none.
  const RecordJson data = PageData(GamePageHtml(game, LeadAndShot));
  ASSERT_EQ(data["winChances"].size(), 4u);
  EXPECT_EQ(data["winChances"][2].get<double>(), 0.301);
  EXPECT_FALSE(PageData(GamePageHtml(game)).contains("winChances"));
}

struct Result {
  int winner;
  const char* outcome;
  const char* reason;
  int points[2];
  const char* text;
};

TEST(GamePage, TheResultGivesTheWinnersPointsFirstAsTheScoreboardDoes) {
  const Result results[] = {
      {1, "win", "score", {1, 2}, "yellow (player 2) wins 2\u20131 (score)"},
      {0, "win", "score", {4, 3}, "red (player 1) wins 4\u20133 (score)"},
      {0, "win", "time", {0, 5}, "red (player 1) wins 0\u20135 (time)"},  // player 2 overstepped
      {-1, "draw", "score", {2, 2}, "Drawn 2\u20132"},
      {-1, "none", "crash", {1, 3}, "No result 1\u20133 (crash)"},
  };
  for (const Result& result : results) {
    ReplayedGame game;
    game.names[0] = "red";
    game.names[1] = "yellow";
    game.winner = result.winner;
    game.outcome = result.outcome;
    game.reason = result.reason;
    game.score.points[0] = result.points[0];
    game.score.points[1] = result.points[1];
    const std::string page = GamePageHtml(game);
    EXPECT_NE(page.find(std::string("<p class=\"result\">") + result.text + "</p>"),
              std::string::npos)
        << result.text;
  }
}

// The style and the scripts come from their own files at build time, whole,
// and the parts come before the script that uses them.
TEST(GamePage, CarriesItsStyleAndScriptsFromTheirFiles) {
  const std::string page = GamePageHtml(ReplayedGame{});
  const std::string style =
      ReadWholeFile(std::string(test_locations::kPageFilesDir) + "/game_page.css");
  const std::string parts =
      ReadWholeFile(std::string(test_locations::kPageFilesDir) + "/game_page_parts.js");
  const std::string script =
      ReadWholeFile(std::string(test_locations::kPageFilesDir) + "/game_page.js");
  ASSERT_FALSE(style.empty() || parts.empty() || script.empty());
  EXPECT_NE(page.find("<style>\n" + style + "</style>"), std::string::npos);
  EXPECT_NE(page.find("<script>\n" + parts + script + "</script>"), std::string::npos);
}

struct BrokenRecord {
  const char* name;
  std::string text;
  std::string line;  // named in the message
};

TEST(GamePage, ViewRefusesABrokenRecordNamingFileAndLineAndLeavesNoPage) {
  const std::string directory = ScratchDirectory();
  const std::string original = ReadWholeFile(PlayedRecord(directory, 1));
  const size_t fifth = [&] {
    size_t at = 0;
    for (int line = 1; line < 5; ++line) at = original.find('\n', at) + 1;
    return at;
  }();
  std::string corrupt = original;
  corrupt.replace(corrupt.find("\"reply\":\"BESTSHOT ", fifth) + 18, 1, "9");
  const size_t lines = Count(original, "\n");
  const BrokenRecord cases[] = {
      {"cut-in-a-line", original.substr(0, fifth + 40), "line 5"},
      {"cut-before-the-result", original.substr(0, original.rfind("{\"type\":\"result\"")),
       "line " + std::to_string(lines - 1)},
      {"corrupt", corrupt, "line 5"},
      {"summary", "{\"games\":1,\"players\":[]}\n", "line 1"},
      {"picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "line 1"},
      {"empty", "", "line 1"},
  };
  for (const BrokenRecord& broken : cases) {
    const std::string record = directory + "/" + broken.name + ".jsonl";
    std::ofstream(record, std::ios::binary) << broken.text;
    const ToolRun run = RunAnalyze({"view", record}, "");
    EXPECT_EQ(run.status, 1) << broken.name;
    EXPECT_NE(run.err.find(record + ": " + broken.line + ":"), std::string::npos)
        << broken.name << ": " << run.err;
    EXPECT_FALSE(std::filesystem::exists(directory + "/" + broken.name + ".html")) << broken.name;
  }
  // A page already there is left as it was.
  const std::string kept = directory + "/kept.html";
  std::ofstream(kept) << "earlier page";
  EXPECT_EQ(RunAnalyze({"view", directory + "/corrupt.jsonl", "-o", kept}, "").status, 1);
  EXPECT_EQ(ReadWholeFile(kept), "earlier page");
  const ToolRun missing = RunAnalyze({"view", directory + "/none.jsonl"}, "");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("cannot read " + directory + "/none.jsonl"), std::string::npos);
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    EXPECT_NE(entry.path().extension(), ".part") << entry.path();
  }
}

}  // namespace
