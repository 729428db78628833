// The records against the game replayed through the game flow: each position
// before a delivery, the hammer, the lead, the end's score and the result.
#include <cstring>

#include <gtest/gtest.h>

#include "match/game/game_flow.h"
#include "selfplay/position_file.h"
#include "selfplay/run_settings.h"
#include "selfplay_test_support.h"

using namespace match::game;
using namespace selfplay;

namespace {

// Replays every game of the file with the shots its records hold and checks
// each record against what the flow says.
void CheckAgainstReplay(const RunSettings& settings, const PositionFile& file) {
  int explored = 0;
  for (const std::vector<PositionRecord>& records : file.games) {
    const int number = static_cast<int>(records.front().game) + 1;
    const GameSetup setup = SetupOf(settings, number);
    GameFlow flow;
    StartGame(flow, setup.ends, setup.hammerPlayer, setup.seed);
    // Filled in as the ends close, then checked against the records.
    std::vector<const PositionRecord*> endRecords;
    for (const PositionRecord& record : records) {
      SCOPED_TRACE("game " + std::to_string(record.game) + " end " + std::to_string(record.end) +
                   " shot " + std::to_string(record.shot));
      ASSERT_EQ(record.end, flow.state.currentEnd);
      ASSERT_EQ(record.shot, flow.state.shotNumber);
      EXPECT_EQ(record.lastEnd, settings.ends - 1);
      for (int i = 0; i < 16; ++i) {
        const StonePos expected = i < flow.state.shotNumber ? flow.state.stones[i] : StonePos{};
        EXPECT_EQ(record.stones[2 * i], expected.x);
        EXPECT_EQ(record.stones[2 * i + 1], expected.y);
      }
      const int hammer = 1 - flow.firstInEnd;
      EXPECT_EQ((record.flags & kPlayer2HammerFlag) != 0, hammer == 1);
      EXPECT_EQ(record.lead, flow.score.points[hammer] - flow.score.points[1 - hammer]);
      EXPECT_EQ(record.reserved1, 0);
      if ((record.flags & kExploredFlag) != 0) {
        ++explored;
        EXPECT_LT(record.shot, 14) << "the end's last two stones are the players' own";
      }
      endRecords.push_back(&record);
      const ShotVec shot{record.vx, record.vy, record.spin, {0, 0, 0}};
      const DeliveryResult delivery = SimulateShot(flow, shot, settings.noise);
      if (!delivery.endClosed) continue;
      const int sign = hammer == flow.score.sideAPlayer ? 1 : -1;
      for (const PositionRecord* inEnd : endRecords)
        EXPECT_EQ(inEnd->endScore, sign * delivery.endScoreA);
      endRecords.clear();
      FinishEnd(flow, delivery.endScoreA);
    }
    EXPECT_TRUE(endRecords.empty()) << "a game ends with an end's last stone";
    const int winner = Leader(flow.score);
    for (const PositionRecord& record : records) {
      const int hammer = (record.flags & kPlayer2HammerFlag) != 0 ? 1 : 0;
      EXPECT_EQ(record.result, winner < 0 ? 0 : (winner == hammer ? 1 : -1));
    }
  }
  EXPECT_GT(explored, 0);
}

TEST(Records, AgreeWithTheGamesReplayedThroughTheGameFlow) {
  RunSettings settings = SmallRun("random", "greedy", 4, 5);
  settings.explore = 0.3f;
  settings.ends = 3;
  const std::string path = ScratchPath("data.bin");
  WriteData(settings, path);
  PositionFile file;
  std::string error;
  ASSERT_TRUE(ReadPositionFile(path, file, error)) << error;
  EXPECT_EQ(file.settingsText, SettingsText(settings));
  ASSERT_EQ(file.games.size(), 4u);
  for (size_t g = 0; g < file.games.size(); ++g) {
    EXPECT_EQ(file.games[g].front().game, g);
    EXPECT_TRUE(WholeGame(file.games[g]));
  }
  // The two games of a pair swap the first end's hammer.
  EXPECT_NE(file.games[0].front().flags & kPlayer2HammerFlag,
            file.games[1].front().flags & kPlayer2HammerFlag);
  CheckAgainstReplay(settings, file);
}

TEST(Records, TheHeaderHoldsTheMagicTheRecordSizeAndTheSettings) {
  const RunSettings settings = SmallRun("tee", "random", 1, 9);
  const std::string path = ScratchPath("data.bin");
  WriteData(settings, path);
  const std::string bytes = ReadBytes(path);
  ASSERT_GT(bytes.size(), kRecordsOffset);
  EXPECT_EQ(bytes.substr(0, 8), "CURLPOS1");
  EXPECT_EQ(bytes.substr(8, 8), std::string("\x98\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(bytes.substr(16, 40), "player1=tee\nplayer2=random\ngames=1\nends=");
  EXPECT_EQ(bytes[kRecordsOffset - 1], '\0');
}

TEST(Records, AGameIsWholeOnlyWithEveryPositionAndADecidedLastEnd) {
  const RunSettings settings = SmallRun("tee", "random", 1, 9);
  const std::string path = ScratchPath("data.bin");
  WriteData(settings, path);
  PositionFile file;
  std::string error;
  ASSERT_TRUE(ReadPositionFile(path, file, error)) << error;
  ASSERT_EQ(file.games.size(), 1u);
  std::vector<PositionRecord> game = file.games[0];
  ASSERT_TRUE(WholeGame(game));
  std::vector<PositionRecord> shorter(game.begin(), game.end() - 16);
  EXPECT_FALSE(WholeGame(shorter)) << "the regular ends are not all there";
  std::vector<PositionRecord> swapped = game;
  std::swap(swapped[3], swapped[4]);
  EXPECT_FALSE(WholeGame(swapped));
  // A tie after the last regular end goes on to an extra end.
  std::vector<PositionRecord> tied = game;
  for (size_t i = tied.size() - 16; i < tied.size(); ++i) {
    tied[i].endScore = static_cast<int8_t>(-tied[i].lead);
  }
  EXPECT_FALSE(WholeGame(tied));
}

}  // namespace
