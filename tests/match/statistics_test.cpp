// Player 1 against player 2: the estimates against values computed apart,
// how games make pairs, and which games each shard plays.
#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include <gtest/gtest.h>

#include "match/records/match_plan.h"
#include "match/reports/head_to_head.h"
#include "match/reports/live_status.h"
#include "match/reports/match_statistics.h"

using namespace match::engines;
using namespace match::game;
using namespace match::records;
using namespace match::reports;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

void ExpectEstimate(const EloEstimate& e, double samples, double score, double standardError,
                    double elo, double low, double high, double los) {
  EXPECT_EQ(e.samples, samples);
  EXPECT_NEAR(e.score, score, 1e-12);
  EXPECT_NEAR(e.standardError, standardError, 1e-12);
  const auto near = [](double actual, double expected) {
    if (std::isinf(expected)) return actual == expected;
    return std::fabs(actual - expected) < 1e-9;
  };
  EXPECT_TRUE(near(e.elo, elo)) << e.elo << " vs " << elo;
  EXPECT_TRUE(near(e.eloLow, low)) << e.eloLow << " vs " << low;
  EXPECT_TRUE(near(e.eloHigh, high)) << e.eloHigh << " vs " << high;
  EXPECT_NEAR(e.los, los, 1e-12);
}

// The expected values below come from python3: each count expanded into
// that many samples, statistics.fmean and statistics.pvariance for the mean
// and its variance, NormalDist().inv_cdf(0.975) for the 95 % quantile,
// NormalDist().cdf for the LOS, -400*log10(1/s-1) for the Elo.
TEST(Statistics, EloIntervalAndLosMatchIndependentValues) {
  ExpectEstimate(EstimateElo(TrinomialCounts(12, 20, 18)), 50, 0.56, 0.05411099703387473,
                 41.89414020800522, -32.09368472715681, 119.93453178465398, 0.8662486482919733);
  const int pairs[5] = {3, 10, 25, 14, 8};
  ExpectEstimate(EstimateElo(PentanomialCounts(pairs)), 60, 0.5583333333333333, 0.033523761611618,
                 40.71957324001494, -5.122983790387738, 88.02735137920521, 0.9590756975049006);
  // The upper end of the interval passes a score of 1.
  ExpectEstimate(EstimateElo(TrinomialCounts(0, 1, 3)), 4, 0.875, 0.10825317547305482,
                 338.0392160057028, 117.41948490597022, kInf, 0.9997339972474304);
}

TEST(Statistics, EdgeCasesAllWinsAllDrawsOneGameOnePairNothing) {
  ExpectEstimate(EstimateElo(TrinomialCounts(0, 0, 5)), 5, 1.0, 0.0, kInf, kInf, kInf, 1.0);
  ExpectEstimate(EstimateElo(TrinomialCounts(0, 7, 0)), 7, 0.5, 0.0, 0.0, 0.0, 0.0, 0.5);
  ExpectEstimate(EstimateElo(TrinomialCounts(1, 0, 0)), 1, 0.0, 0.0, -kInf, -kInf, -kInf, 0.0);
  const int onePair[5] = {0, 0, 0, 1, 0};  // 3/2 points of 2
  ExpectEstimate(EstimateElo(PentanomialCounts(onePair)), 1, 0.75, 0.0, 190.848501887865,
                 190.848501887865, 190.848501887865, 1.0);
  ExpectEstimate(EstimateElo(TrinomialCounts(0, 0, 0)), 0, 0.5, 0.0, 0.0, 0.0, 0.0, 0.5);
  EXPECT_EQ(EloText(kInf), "+inf");
  EXPECT_EQ(EloText(-0.01), "+0.0");
  EXPECT_EQ(EloText(-41.94), "-41.9");
  EXPECT_NEAR(ScoreFromElo(EloFromScore(0.3)), 0.3, 1e-15);
}

// Expected values from python3 with the same formula (counts floored at
// 0.5, LLR = N (s1 - s0) (2 mean - s0 - s1) / (2 variance), s = 1 / (1 +
// 10^(-elo/400))), and math.log for the bounds.
TEST(Statistics, SprtLogLikelihoodRatioBoundsAndDecision) {
  const int pairs[5] = {3, 10, 25, 14, 8};
  SprtSettings settings;
  SprtState state = RunSprt(PentanomialCounts(pairs), settings);
  EXPECT_NEAR(state.llr, 0.35043030215305976, 1e-9);
  EXPECT_NEAR(state.lower, -2.9444389791664403, 1e-12);
  EXPECT_NEAR(state.upper, 2.9444389791664403, 1e-12);
  EXPECT_EQ(state.decision, SprtDecision::kContinue);

  settings = SprtSettings{-10.0, 0.0, 0.1, 0.2};
  state = RunSprt(PentanomialCounts(pairs), settings);
  EXPECT_NEAR(state.llr, 0.8388611981875599, 1e-9);
  EXPECT_NEAR(state.lower, -1.504077396776274, 1e-12);
  EXPECT_NEAR(state.upper, 2.0794415416798357, 1e-12);

  EXPECT_NEAR(RunSprt(TrinomialCounts(12, 20, 18), SprtSettings{0.0, 10.0, 0.05, 0.05}).llr,
              0.25947251224273954, 1e-9);

  // A few alike pairs, with no variance among them, decide nothing: two
  // drawn pairs once accepted H0 at once.
  const int twoDrawn[5] = {0, 0, 2, 0, 0};
  EXPECT_EQ(RunSprt(PentanomialCounts(twoDrawn), SprtSettings{0.0, 30.0, 0.05, 0.05}).decision,
            SprtDecision::kContinue);
  const int threeWon[5] = {0, 0, 0, 0, 3};
  state = RunSprt(PentanomialCounts(threeWon), SprtSettings{});
  EXPECT_NEAR(state.llr, 0.07091543307451514, 1e-9);
  EXPECT_EQ(state.decision, SprtDecision::kContinue);
  // Many alike pairs do.
  const int allWon[5] = {0, 0, 0, 0, 40};
  EXPECT_EQ(RunSprt(PentanomialCounts(allWon), SprtSettings{}).decision, SprtDecision::kAcceptH1);
  const int allLost[5] = {40, 0, 0, 0, 0};
  EXPECT_EQ(RunSprt(PentanomialCounts(allLost), SprtSettings{}).decision, SprtDecision::kAcceptH0);
  const int none[5] = {};
  EXPECT_EQ(RunSprt(PentanomialCounts(none), SprtSettings{}).llr, 0.0);
}

GameResult Game(int number, int winner, Fault fault = Fault::kNone) {
  GameResult game;
  game.gameNumber = number;
  game.winner = winner;
  game.fault = fault;
  return game;
}

TEST(HeadToHead, PairsOnlyGamesThatBothFinished) {
  std::vector<GameResult> games = {
      Game(1, 0),
      Game(2, 1),  // 1 of 2
      Game(3, 0),
      Game(4, 0),  // 2
      Game(6, -1),
      Game(5, -1),  // drawn both, out of order: 1
      Game(7, 0),
      Game(8, -1, Fault::kInterrupted),  // incomplete pair
      Game(9, 0, Fault::kTime),
      Game(10, -1, Fault::kNoStart)  // 1 + 1/2 (both spoiled)
  };
  games[9].faultPlayer = kBothPlayers;
  games.push_back(Game(11, 1));  // the odd last game
  const HeadToHead paired = CountHeadToHead(games, true);
  EXPECT_EQ(paired.wins, 5);
  EXPECT_EQ(paired.draws, 3);
  EXPECT_EQ(paired.losses, 2);
  EXPECT_EQ(paired.pairs[0], 0);
  EXPECT_EQ(paired.pairs[1], 0);
  EXPECT_EQ(paired.pairs[2], 2);
  EXPECT_EQ(paired.pairs[3], 1);
  EXPECT_EQ(paired.pairs[4], 1);
  EXPECT_EQ(paired.estimate.samples, 4);
  const HeadToHead single = CountHeadToHead(games, false);
  EXPECT_EQ(single.estimate.samples, 10);
  EXPECT_NEAR(single.estimate.score, 0.65, 1e-12);
}

TEST(MatchPlan, PairsShareASeedWithSidesSwappedAndShardsCoverTheMatchOnce) {
  MatchIdentity identity;
  identity.seed = 100;
  identity.games = 7;
  identity.firstHammer = 1;
  const PlannedGame first = PlanGame(identity, 3);
  const PlannedGame second = PlanGame(identity, 4);
  EXPECT_EQ(first.pair, 2);
  EXPECT_EQ(second.pair, 2);
  EXPECT_EQ(first.seed, 101u);
  EXPECT_EQ(second.seed, 101u);
  EXPECT_EQ(first.hammerPlayer, 1);
  EXPECT_EQ(second.hammerPlayer, 0);
  EXPECT_EQ(PlanGame(identity, 7).pair, 0);  // unpaired, with a seed of its own
  EXPECT_EQ(PlanGame(identity, 7).seed, 103u);
  identity.paired = false;
  EXPECT_EQ(PlanGame(identity, 4).seed, 103u);
  EXPECT_EQ(PlanGame(identity, 4).pair, 0);

  for (const bool paired : {true, false}) {
    identity.paired = paired;
    for (const int shards : {1, 2, 3, 9}) {
      std::multiset<int> all;
      for (int shard = 1; shard <= shards; ++shard) {
        const std::vector<int> games = ShardGames(identity, shard, shards);
        all.insert(games.begin(), games.end());
        // A pair is never split between shards.
        for (const int game : games) {
          if (paired && game % 2 == 1 && game < identity.games) {
            EXPECT_NE(std::find(games.begin(), games.end(), game + 1), games.end());
          }
        }
      }
      EXPECT_EQ(all, (std::multiset<int>{1, 2, 3, 4, 5, 6, 7})) << shards;
    }
  }
  EXPECT_EQ(ShardGames(identity, 2, 3), (std::vector<int>{2, 5}));
}

TEST(MatchPlan, TheIdChangesWithEveryPartOfTheMatch) {
  const MatchIdentity base;
  std::set<std::string> ids = {MatchId(base)};
  std::vector<MatchIdentity> changed(9, base);
  changed[0].names[0] = "other";
  changed[1].ends = 6;
  changed[2].noise = 0.2f;
  changed[3].moveTimeMs = 5000;
  changed[4].gameTimeMs = 60000;
  changed[5].firstHammer = 0;
  changed[6].seed = 1;
  changed[7].games = 2;
  changed[8].paired = false;
  for (const MatchIdentity& identity : changed) ids.insert(MatchId(identity));
  EXPECT_EQ(ids.size(), 10u);
  EXPECT_EQ(MatchId(base), MatchId(MatchIdentity{}));
  EXPECT_EQ(MatchId(base).size(), 16u);
}

TEST(LiveStatus, StandingFirstAndCutToTheTerminal) {
  HeadToHead headToHead = CountHeadToHead({Game(1, 0), Game(2, -1)}, true);
  const std::vector<RunningGame> running = {{3, 2, 7}, {4, -1, -1}};
  const std::string line = FormatLiveStatus(2, 10, running, headToHead, nullptr, 200);
  EXPECT_EQ(line,
            "2/10 done | 1-1-0 0.750 elo +190.8 (+190.8,+190.8) | g3 end=2 shot=7 | g4 starting");
  const std::string narrow = FormatLiveStatus(2, 10, running, headToHead, nullptr, 30);
  EXPECT_EQ(narrow, line.substr(0, 29));
  SprtState sprt;
  sprt.llr = 0.5;
  sprt.lower = -2.94;
  sprt.upper = 2.94;
  EXPECT_NE(FormatLiveStatus(2, 10, {}, headToHead, &sprt, 0).find("| llr 0.50 (-2.94,2.94)"),
            std::string::npos);
}

}  // namespace
