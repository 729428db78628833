// The match command's figures against the runner's own functions on the same
// games, and the SPRT's stop.
#include <vector>

#include <gtest/gtest.h>

#include "match/reports/head_to_head.h"
#include "selfplay/match_command.h"
#include "selfplay_test_support.h"

using namespace engine;
using namespace match::game;
using namespace match::reports;
using namespace selfplay;

namespace {

MatchRun SmallMatch(int games, int threads) {
  MatchRun run;
  run.settings = SmallRun("random", "phase@10/tee/greedy", games, 21);
  run.settings.ends = 2;
  run.settings.explore = 0.0f;
  run.threads = threads;
  return run;
}

// The games of the match, played one by one outside the pool.
std::vector<SelfPlayGame> PlayOneByOne(const RunSettings& settings) {
  std::vector<SelfPlayGame> games;
  for (int number = 1; number <= settings.games; ++number) {
    const GameSetup setup = SetupOf(settings, number);
    const GamePlayers made = MakeGamePlayers(settings, setup.seed);
    Player* const players[2] = {made.players[0].get(), made.players[1].get()};
    games.push_back(PlaySelfPlayGame(players, setup));
  }
  return games;
}

TEST(SelfPlayMatch, FiguresAgreeWithTheRunnersFunctionsOnTheSameGames) {
  const MatchRun run = SmallMatch(6, 2);
  const MatchOutcome outcome = PlayMatch(run, false);
  const std::vector<SelfPlayGame> games = PlayOneByOne(run.settings);

  std::vector<GameResult> results;
  int endsPlayed = 0;
  int points[2] = {0, 0};
  for (size_t i = 0; i < games.size(); ++i) {
    GameResult result;
    result.gameNumber = static_cast<int>(i) + 1;
    result.score = games[i].score;
    result.winner = games[i].winner;
    results.push_back(result);
    endsPlayed += games[i].score.endsPlayed;
    for (int p = 0; p < 2; ++p) points[p] += games[i].score.points[p];
  }
  const HeadToHead expected = CountHeadToHead(results, true);
  const HeadToHead& got = outcome.summary.headToHead;
  EXPECT_EQ(got.wins, expected.wins);
  EXPECT_EQ(got.draws, expected.draws);
  EXPECT_EQ(got.losses, expected.losses);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(got.pairs[i], expected.pairs[i]);
  EXPECT_EQ(got.estimate.samples, 3.0);
  EXPECT_DOUBLE_EQ(got.estimate.score, expected.estimate.score);
  EXPECT_DOUBLE_EQ(got.estimate.elo, expected.estimate.elo);
  const ScoreInterval interval = ScoreIntervalOf(got.estimate);
  EXPECT_LE(interval.low, interval.score);
  EXPECT_GE(interval.high, interval.score);

  // Each end is one player's with the hammer and the other's without it.
  const HammerTally* ends = outcome.tally.ends;
  EXPECT_EQ(ends[0].endsWith + ends[1].endsWith, endsPlayed);
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE("player " + std::to_string(p + 1));
    EXPECT_EQ(ends[p].endsWith, ends[1 - p].endsWithout);
    EXPECT_EQ(ends[p].pointsWith + ends[p].pointsWithout, points[p]);
    EXPECT_EQ(ends[p].stealsMade, ends[1 - p].stealsConceded);
    EXPECT_LE(ends[p].blanksWith + ends[p].onePointWith + ends[p].stealsConceded, ends[p].endsWith);
  }
}

TEST(SelfPlayMatch, TheSameFiguresWhateverTheThreads) {
  const MatchOutcome one = PlayMatch(SmallMatch(4, 1), false);
  const MatchOutcome three = PlayMatch(SmallMatch(4, 3), false);
  EXPECT_EQ(FormatMatchText(one.summary, one.tally), FormatMatchText(three.summary, three.tally));
  const std::string json = FormatMatchJson(one.summary, one.tally);
  EXPECT_EQ(json, FormatMatchJson(three.summary, three.tally));
  for (const char* key : {"\"scoreLow\"", "\"pairs\"", "\"stealsMade\"", "\"elo\""}) {
    EXPECT_NE(json.find(key), std::string::npos) << key;
  }
}

// Whatever the games give, the test stops at the first whole pair where it
// decides, and plays every game when it never does.
TEST(SelfPlayMatch, TheSprtStopsAtTheFirstPairWhereItDecides) {
  MatchRun run = SmallMatch(16, 2);
  run.sprt = true;
  run.sprtSettings = SprtSettings{-20.0, 20.0, 0.2, 0.2};
  const MatchOutcome outcome = PlayMatch(run, false);
  const std::vector<GameResult>& results = outcome.tally.results;
  ASSERT_EQ(results.size() % 2, 0u);
  for (size_t played = 2; played < results.size(); played += 2) {
    const std::vector<GameResult> prefix(results.begin(), results.begin() + played);
    EXPECT_EQ(RunSprt(HeadToHeadCounts(CountHeadToHead(prefix, true)), run.sprtSettings).decision,
              SprtDecision::kContinue);
  }
  EXPECT_DOUBLE_EQ(outcome.summary.sprtState.llr,
                   RunSprt(HeadToHeadCounts(CountHeadToHead(results, true)), run.sprtSettings).llr);
  if (outcome.summary.sprtState.decision == SprtDecision::kContinue) {
    EXPECT_EQ(results.size(), 16u);
  }
}

}  // namespace
