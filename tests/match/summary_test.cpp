// The summary counts every finished game once for each player, in the right
// column, whatever way the game ended.
#include "match/reports/summary.h"

#include <cctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "match/records/record_json.h"

using namespace match::engines;
using namespace match::game;
using namespace match::records;
using namespace match::reports;

namespace {

GameResult Game(int hammer, int winner, int points0, int points1) {
  GameResult game;
  game.score.sideAPlayer = 1 - hammer;
  game.winner = winner;
  game.score.points[0] = points0;
  game.score.points[1] = points1;
  return game;
}

TEST(Summary, CountsResultsPointsAndFaultsPerPlayerAndHammer) {
  std::vector<GameResult> games;
  games.push_back(Game(1, 0, 6, 3));  // player 1 wins without the hammer
  GameResult draw = Game(0, -1, 4, 4);
  draw.draw = true;
  games.push_back(draw);
  GameResult timeLoss = Game(1, 0, 1, 2);  // player 2 ran out of time while ahead
  timeLoss.fault = Fault::kTime;
  timeLoss.faultPlayer = 1;
  games.push_back(timeLoss);
  GameResult bothFailed = Game(0, -1, 0, 0);
  bothFailed.fault = Fault::kNoStart;
  bothFailed.faultPlayer = kBothPlayers;
  games.push_back(bothFailed);
  GameResult interrupted = Game(1, -1, 2, 0);
  interrupted.fault = Fault::kInterrupted;
  games.push_back(interrupted);

  const std::string names[2] = {"one", "two"};
  const MatchSummary summary = Summarise(games, names);
  EXPECT_EQ(summary.games, 4);
  EXPECT_EQ(summary.unfinished, 1);
  const PlayerSummary& one = summary.players[0];
  EXPECT_EQ(one.all.games, 4);
  EXPECT_EQ(one.all.wins, 2);
  EXPECT_EQ(one.all.draws, 1);
  EXPECT_EQ(one.all.losses, 1);
  EXPECT_EQ(one.all.pointsFor, 11);
  EXPECT_EQ(one.all.pointsAgainst, 9);
  EXPECT_EQ(one.withHammer.games, 2);
  EXPECT_EQ(one.withHammer.draws, 1);
  EXPECT_EQ(one.withoutHammer.wins, 2);
  EXPECT_EQ(one.faults[static_cast<int>(Fault::kNoStart)], 1);
  const PlayerSummary& two = summary.players[1];
  EXPECT_EQ(two.all.wins, 0);
  EXPECT_EQ(two.all.losses, 3);
  EXPECT_EQ(two.withHammer.losses, 2);
  EXPECT_EQ(two.faults[static_cast<int>(Fault::kTime)], 1);

  RecordJson json;
  std::string error;
  ASSERT_TRUE(ParseJsonText(FormatSummaryJson(summary), json, error)) << error;
  const RecordJson& second = json.at("players").at(1);
  EXPECT_EQ(second.at("withHammer").at("losses"), 2);
  EXPECT_EQ(second.at("faults").at("time"), 1);
  EXPECT_EQ(json.at("interrupted"), 1);
}

// A player's name longer than the first column is shown whole, and every row's
// figures stay under their headings: a name cut short ("...:time=47" for
// time=4750) would name another player.
TEST(Summary, TextShowsLongNamesWholeWithTheColumnsAligned) {
  const std::vector<GameResult> games = {Game(1, 0, 3, 1), Game(0, 1, 0, 2)};
  const std::string names[2] = {"strong:samples=300:time=4750:eval=learned", "greedy"};
  const std::string text = FormatSummaryText(Summarise(games, names));
  EXPECT_NE(text.find("1 strong:samples=300:time=4750:eval=learned "), std::string::npos) << text;
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(text.substr(at, end - at));
  ASSERT_GE(lines.size(), 8u) << text;
  // The heading's "games" ends where each row's game count ends.
  const size_t column = lines[1].find("games") + 5;
  for (int row = 2; row <= 7; ++row) {
    ASSERT_GT(lines[row].size(), column) << text;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(lines[row][column - 1])))
        << "row " << row << "\n"
        << text;
    EXPECT_EQ(lines[row][column], ' ') << "row " << row << "\n" << text;
  }
}

}  // namespace
