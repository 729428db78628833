// The regret measurement: positions rebuilt from the data file as the player
// saw them, spread over shot numbers, measured the same way for a seed.
#include "selfplay/regret.h"

#include <gtest/gtest.h>

#include "opponents/greedy_player.h"
#include "opponents/random_player.h"
#include "selfplay/position_file.h"
#include "selfplay_test_support.h"

using namespace engine;
using namespace opponents;
using namespace selfplay;

namespace {

// Every record of a played game gives back the position its player decided
// on, and the lead of the side to deliver, whichever side had the hammer first.
TEST(Regret, RecordsGiveThePositionsThePlayersSaw) {
  for (const int hammerPlayer : {0, 1}) {
    SCOPED_TRACE(hammerPlayer);
    GreedyPlayer greedy(OpponentSeed{true, 2});
    RandomPlayer random(OpponentSeed{true, 3});
    Player* const players[2] = {&greedy, &random};
    GameSetup setup;
    setup.ends = 3;
    setup.hammerPlayer = hammerPlayer;
    setup.seed = 21;
    const SelfPlayGame game = PlaySelfPlayGame(players, setup);
    const std::vector<PositionRecord> records = GameRecords(game, 0);
    ASSERT_EQ(records.size(), game.deliveries.size());
    for (size_t i = 0; i < records.size(); ++i) {
      const GameState& seen = game.deliveries[i].before;
      const RecordPosition rebuilt = PositionOf(records[i], hammerPlayer == 1);
      SCOPED_TRACE(i);
      EXPECT_EQ(rebuilt.state.shotNumber, seen.shotNumber);
      EXPECT_EQ(rebuilt.state.currentEnd, seen.currentEnd);
      EXPECT_EQ(rebuilt.state.lastEnd, seen.lastEnd);
      EXPECT_EQ(rebuilt.state.turnFlag, seen.turnFlag);
      for (int s = 0; s < 16; ++s) {
        EXPECT_EQ(rebuilt.state.stones[s].x, seen.stones[s].x);
        EXPECT_EQ(rebuilt.state.stones[s].y, seen.stones[s].y);
      }
      const int end = seen.currentEnd;
      const int hammer = HammerPlayer(game.score, end);
      const int deliverer = seen.shotNumber % 2 == 1 ? hammer : 1 - hammer;
      EXPECT_EQ(rebuilt.lead, LeadBefore(game.score, deliverer, end));
    }
  }
}

TEST(Regret, PositionsSpreadOverShotNumbersAndTheSeedGivesTheSameFigures) {
  RunSettings settings = SmallRun("greedy", "random", 2, 5);
  const std::string path = ScratchPath("data.bin");
  WriteData(settings, path);
  RegretRun run;
  run.data = path;
  run.positions = 20;
  run.seed = 9;
  run.executions = 2;
  run.samples = 8;
  std::vector<PositionRegret> first;
  std::string error;
  ASSERT_TRUE(RunRegret(run, first, error)) << error;
  ASSERT_EQ(first.size(), 20u);
  int perShot[16] = {};
  for (const PositionRegret& m : first) {
    ++perShot[m.shot];
    EXPECT_GE(m.greedyRegret, 0.0);
    EXPECT_GE(m.strongRegret, 0.0);
    EXPECT_LE(m.best, 1.0);
  }
  for (int shot = 0; shot < 16; ++shot) EXPECT_EQ(perShot[shot], shot < 4 ? 2 : 1) << shot;

  run.threads = 1;
  std::vector<PositionRegret> again;
  ASSERT_TRUE(RunRegret(run, again, error)) << error;
  const std::vector<RegretRow> rows = RegretTable(first);
  EXPECT_EQ(FormatRegretJson(run, rows), FormatRegretJson(run, RegretTable(again)));
  ASSERT_EQ(rows.size(), 17u);
  EXPECT_EQ(rows.back().shot, -1);
  EXPECT_EQ(rows.back().positions, 20);
  EXPECT_LE(rows.back().strong.low, rows.back().strong.mean);
  EXPECT_GE(rows.back().strong.high, rows.back().strong.mean);

  run.data = ScratchPath("missing.bin");
  EXPECT_FALSE(RunRegret(run, again, error));
}

}  // namespace
