// The referee's game as data, and the outputs a finished game is handed to:
// the referee writes the record and nothing else, the pictures show each end
// as it stood, and an output that cannot write its file warns without taking
// the record, or the outputs after it, with it.
#include "match/game_outputs.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "match/records/record_reader.h"
#include "match/referee.h"
#include "tests/match/match_test_support.h"
#include "tests/test_locations.h"

using namespace match;
using namespace match::game;
using namespace match::platform;
using namespace match::records;

namespace {

const std::string kFake = test_locations::kFakeEngine;

// Three ends: player 1 scores one, player 2 one, then a tie-break end to
// player 1 (points 1-0, 1-1, 2-1).
GameSettings ThreeEnds(const std::string& directory) {
  return QuickGame(kFake + " --plan oao", kFake + " --plan aoa", directory, 2);
}

std::vector<std::string> FilesIn(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Referee, ReturnsTheGameAndWritesNothingButTheRecord) {
  const std::string directory = ScratchDirectory();
  std::vector<DeliveryFacts> told;
  PlayedGame game;
  std::string error;
  ASSERT_TRUE(RefereeGame(
      ThreeEnds(directory), [&told](const DeliveryFacts& facts) { told.push_back(facts); }, game,
      error))
      << error;
  EXPECT_EQ(FilesIn(directory), std::vector<std::string>{"game-001.jsonl"});
  EXPECT_TRUE(game.result.picturePaths.empty());
  EXPECT_EQ(game.result.winner, 0);
  EXPECT_EQ(game.result.score.endsPlayed, 3);

  // Each end's final position is the one its last delivery left.
  const std::vector<RecordJson> deliveries =
      LinesOfType(ReadRecordLines(game.result.recordPath), "delivery");
  ASSERT_EQ(deliveries.size(), 48u);
  ASSERT_EQ(game.endPositions.size(), 3u);
  for (size_t end = 0; end < 3; ++end) {
    const RecordJson& after = deliveries[end * 16 + 15].at("after");
    for (size_t i = 0; i < 16; ++i) {
      EXPECT_FLOAT_EQ(game.endPositions[end].stones[i].x, after[i][0].get<float>()) << end;
      EXPECT_FLOAT_EQ(game.endPositions[end].stones[i].y, after[i][1].get<float>()) << end;
    }
  }
  // The watcher was told of every delivery, in the record's order.
  ASSERT_EQ(told.size(), deliveries.size());
  for (size_t d = 0; d < told.size(); ++d) {
    EXPECT_EQ(told[d].before.currentEnd, IntegerOf(deliveries[d], "end")) << d;
    EXPECT_EQ(told[d].before.shotNumber, IntegerOf(deliveries[d], "shot")) << d;
    EXPECT_EQ(std::string(1, told[d].side), TextOf(deliveries[d], "side")) << d;
    EXPECT_EQ(told[d].player + 1, IntegerOf(deliveries[d], "player")) << d;
  }
}

TEST(GameOutputs, PicturesShowEachEndWithTheGameAsItStoodThen) {
  const std::string directory = ScratchDirectory();
  PlayedGame game;
  std::string error;
  ASSERT_TRUE(RefereeGame(ThreeEnds(directory), nullptr, game, error)) << error;
  std::vector<std::string> seen;
  HandToOutputs(
      game, {WriteEndPictures, [&seen](PlayedGame& played) { seen = played.result.picturePaths; }});
  const char* standing[3] = {"(game 1-0)", "(game 1-1)", "(game 2-1)"};
  ASSERT_EQ(seen.size(), 3u);  // an output sees what those before it made
  for (int end = 0; end < 3; ++end) {
    EXPECT_EQ(seen[end], directory + "/game-001-end-" + std::to_string(end + 1) + ".svg");
    EXPECT_NE(ReadFile(seen[end]).find(standing[end]), std::string::npos) << end;
  }
}

TEST(GameOutputs, AFileThatCannotBeWrittenWarnsAndTheRecordAndLaterOutputsStand) {
  const std::string directory = ScratchDirectory();
  // Directories, not empty, where the second end's picture and the page go.
  std::filesystem::create_directories(directory + "/game-001-end-2.svg/in-the-way");
  std::filesystem::create_directories(directory + "/game-001.html/in-the-way");
  PlayedGame game;
  std::string error;
  ASSERT_TRUE(RefereeGame(ThreeEnds(directory), nullptr, game, error)) << error;
  int later = 0;
  std::vector<GameOutput> outputs = GameFileOutputs();
  outputs.emplace_back([&later](PlayedGame&) { ++later; });
  testing::internal::CaptureStderr();
  HandToOutputs(game, outputs);
  const std::string warnings = testing::internal::GetCapturedStderr();
  EXPECT_NE(warnings.find("warning cannot write " + directory + "/game-001-end-2.svg"),
            std::string::npos)
      << warnings;
  EXPECT_NE(warnings.find("warning no game page: cannot write " + directory + "/game-001.html"),
            std::string::npos)
      << warnings;
  EXPECT_EQ(game.result.picturePaths,
            (std::vector<std::string>{directory + "/game-001-end-1.svg",
                                      directory + "/game-001-end-3.svg"}));
  EXPECT_EQ(later, 1);
  EXPECT_EQ(ReadGameRecord(game.result.recordPath).status, RecordStatus::kComplete);

  // In a match the game still counts, and the run ends well.
  const std::string out = directory + "/match";
  std::filesystem::create_directories(out + "/game-001-end-1.svg/in-the-way");
  ChildProcess runner =
      StartRunner({"--ends", "1", "--seed", "5", "--out", out, kFake, kFake}, directory);
  ASSERT_EQ(WaitForExit(runner, 60), 0) << ReadFile(directory + "/stderr");
  EXPECT_NE(ReadFile(directory + "/stderr").find("warning cannot write " + out), std::string::npos);
  EXPECT_NE(ReadFile(directory + "/stdout").find("| Total"), std::string::npos);
  EXPECT_EQ(ReadGameRecord(out + "/game-001.jsonl").status, RecordStatus::kComplete);
  EXPECT_NE(ReadFile(out + "/summary.json").find("\"games\":1,"), std::string::npos);
}

}  // namespace
