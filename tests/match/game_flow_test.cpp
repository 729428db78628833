// The referee's game: who delivers, what the engines are told, the hammer,
// extra ends, and that the releases and final positions it reports are the
// ones the library executed.
#include "match/game/game_flow.h"

#include <cstring>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

using namespace match::game;

namespace {

TEST(GameFlow, HammerPassesToTheSideThatDidNotScoreAndStaysAfterABlankEnd) {
  GameFlow flow;
  StartGame(flow, 8, /*hammerPlayer=*/1, 0);
  EXPECT_EQ(flow.score.sideAPlayer, 0);
  EXPECT_EQ(flow.firstInEnd, 0);

  FinishEnd(flow, 2);  // side A (player 0) scored: it delivers first again
  EXPECT_EQ(flow.firstInEnd, 0);
  FinishEnd(flow, -3);  // side B (player 1) scored: player 1 leads next, 0 has the hammer
  EXPECT_EQ(flow.firstInEnd, 1);
  FinishEnd(flow, 0);  // blank: the order stays
  EXPECT_EQ(flow.firstInEnd, 1);
  FinishEnd(flow, 1);
  EXPECT_EQ(flow.firstInEnd, 0);

  const int expectedFirst[] = {0, 0, 1, 1};
  const int expectedPoints[][2] = {{2, 0}, {0, 3}, {0, 0}, {1, 0}};
  for (int e = 0; e < 4; ++e) {
    EXPECT_EQ(flow.score.endFirst[e], expectedFirst[e]) << e;
    EXPECT_EQ(flow.score.endPoints[e][0], expectedPoints[e][0]) << e;
    EXPECT_EQ(flow.score.endPoints[e][1], expectedPoints[e][1]) << e;
  }
  EXPECT_EQ(flow.score.points[0], 3);
  EXPECT_EQ(flow.score.points[1], 3);
}

TEST(GameFlow, ATieGoesToExtraEndsAndIsADrawAfterTheTenth) {
  GameFlow flow;
  StartGame(flow, 2, 0, 0);
  EXPECT_EQ(FinishEnd(flow, 1), GameStatus::kContinue);
  EXPECT_EQ(FinishEnd(flow, -1), GameStatus::kContinue);  // tied after the regular ends
  EXPECT_EQ(FinishEnd(flow, -2), GameStatus::kDecided);
  EXPECT_EQ(Leader(flow.score), 0);  // player 0 is side B here, and side B scored

  StartGame(flow, 8, 0, 0);
  for (int end = 0; end < 9; ++end) EXPECT_EQ(FinishEnd(flow, 0), GameStatus::kContinue) << end;
  EXPECT_EQ(FinishEnd(flow, 0), GameStatus::kDrawn);

  StartGame(flow, 10, 0, 0);
  for (int end = 0; end < 9; ++end) FinishEnd(flow, end % 2 == 0 ? 1 : -1);
  EXPECT_EQ(FinishEnd(flow, 1), GameStatus::kDecided);
  StartGame(flow, 10, 0, 0);
  for (int end = 0; end < 9; ++end) FinishEnd(flow, 0);
  EXPECT_EQ(FinishEnd(flow, 0), GameStatus::kDrawn);
}

TEST(GameFlow, EnginesAreToldTheTurnFlagOfTheSideToDeliver) {
  GameFlow flow;
  StartGame(flow, 8, /*hammerPlayer=*/0, 0);  // player 1 delivers the first stone: side A
  EXPECT_EQ(PlayerToDeliver(flow), 1);
  EXPECT_EQ(SetStateCommand(flow), "SETSTATE 0 0 7 0");
  std::string empty = "POSITION";
  for (int i = 0; i < 32; ++i) empty += " 0";
  EXPECT_EQ(PositionCommand(flow), empty);

  ShotVec draw{};
  CreateShot(ShotPos{2.375f, 4.88f, 0, {}}, &draw);
  SimulateShot(flow, draw, 0.0f);
  EXPECT_EQ(PlayerToDeliver(flow), 0);
  EXPECT_EQ(SetStateCommand(flow), "SETSTATE 1 0 7 1");
  // The stone's coordinates read back as exactly the floats of the position;
  // the other fifteen stones are not in play.
  std::istringstream position(PositionCommand(flow));
  std::string word;
  float x = 0.0f;
  float y = 0.0f;
  position >> word >> x >> y;
  EXPECT_EQ(word, "POSITION");
  EXPECT_EQ(x, flow.state.stones[0].x);
  EXPECT_EQ(y, flow.state.stones[0].y);
  EXPECT_NEAR(y, 4.88f, 1e-4f);
  int zeros = 0;
  while (position >> word) zeros += word == "0";
  EXPECT_EQ(zeros, 30);

  // In an extra end the end being played is the last one planned.
  flow.state.currentEnd = 8;
  flow.state.shotNumber = 0;
  flow.firstInEnd = 0;
  EXPECT_EQ(SetStateCommand(flow), "SETSTATE 0 8 8 1");
}

// Positions of a noisy end with draws and hits aimed about the house.
class RandomEnd {
 public:
  explicit RandomEnd(unsigned seed) : generator_(seed) {}

  ShotVec NextShot() {
    std::uniform_real_distribution<float> x(1.4f, 3.3f);
    std::uniform_real_distribution<float> y(3.6f, 8.5f);
    const ShotPos target{x(generator_), y(generator_), static_cast<uint8_t>(generator_() % 2), {}};
    ShotVec shot{};
    if (generator_() % 3 == 0) {
      CreateHitShot(target, static_cast<float>(1 + generator_() % 15), &shot);
    } else {
      CreateShot(target, &shot);
    }
    return shot;
  }

 private:
  std::mt19937 generator_;
};

TEST(EndPosition, TheReportedReleaseIsTheOneExecutedAndTheFinalPositionScoresAsTheLibrary) {
  RandomEnd shots(11);
  GameFlow flow;
  StartGame(flow, 10, 1, 99);
  int nonBlank = 0;
  for (int end = 0; end < 10; ++end) {
    for (int shot = 0; shot < 16; ++shot) {
      const GameFlow before = flow;
      const ShotVec next = shots.NextShot();
      const DeliveryResult result = SimulateShot(flow, next, 0.3f);
      // The same delivery again gives the same release: it has a seed of its own.
      GameFlow again = before;
      const DeliveryResult repeat = SimulateShot(again, next, 0.3f);
      ASSERT_EQ(repeat.executedVx, result.executedVx);
      ASSERT_EQ(repeat.executedVy, result.executedVy);
      ASSERT_NE(result.executedVx, static_cast<double>(next.vx));  // noise was applied
      if (!result.endClosed) {
        // Until the end closes, the position reported is the game's.
        ASSERT_EQ(std::memcmp(&result.after, &flow.state, sizeof(GameState)), 0);
      }
      if (result.endClosed) {
        GameState scored = result.after;
        EXPECT_EQ(scored.shotNumber, 16);
        EXPECT_EQ(GetScore(&scored), result.endScoreA) << "end " << end;
        nonBlank += result.endScoreA != 0;
        FinishEnd(flow, result.endScoreA);
      }
    }
  }
  EXPECT_GT(nonBlank, 3);
}

}  // namespace
