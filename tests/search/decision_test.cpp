// Whole decisions with the real simulator library and candidate generator.

#include <cstring>
#include <regex>
#include <string>

#include <gtest/gtest.h>
#include <stdio.h>
#include <unistd.h>

#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/search.h"
#include "search/search_settings.h"
#include "tests/state_bytes.h"

namespace {

class Decision : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BindSimulator()); }
  void TearDown() override { isSecondPlayer = false; }
};

// Runs DecideShot and returns what it wrote to standard output.
std::string CaptureDecision() {
  fflush(stdout);
  FILE* capture = tmpfile();
  const int saved = dup(STDOUT_FILENO);
  dup2(fileno(capture), STDOUT_FILENO);
  DecideShot();
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::string text(256, '\0');
  rewind(capture);
  text.resize(fread(text.data(), 1, text.size(), capture));
  fclose(capture);
  return text;
}

// Mid-end: guards, stones in the house and one stone out of play.
GameState MidEndPosition() {
  GameState state{};
  state.shotNumber = 8;
  state.currentEnd = 3;
  state.lastEnd = 9;
  state.endScores[0] = 1;
  state.endScores[1] = -2;
  state.turnFlag = 0;
  const StonePos stones[8] = {{2.3f, 7.2f}, {2.6f, 7.6f}, {2.4f, 4.7f}, {2.0f, 5.3f},
                              {0.0f, 0.0f}, {2.9f, 4.2f}, {2.2f, 6.0f}, {1.6f, 8.3f}};
  for (int k = 0; k < 8; ++k) state.stones[k] = stones[k];
  return state;
}

TEST_F(Decision, WholeDecisionWritesOneReplyAndKeepsThePosition) {
  gameState = MidEndPosition();
  const GameState before = gameState;
  const std::string reply = CaptureDecision();
  EXPECT_TRUE(std::regex_match(reply, std::regex(R"(BESTSHOT -?\d+\.\d{6} -?\d+\.\d{6} [01])")))
      << reply;
  EXPECT_EQ(BytesOf(gameState), BytesOf(before));
}

uint64_t FrozenClock() {
  return 0;
}

TEST_F(Decision, LastStoneAgainstAStoneOnTheButtonWinsTheEnd) {
  // This player delivers the odd stones of end 0 and plays shot 15; the
  // opponent's stone 14 sits on the button, every other stone is out of play.
  isSecondPlayer = true;
  GameState position{};
  position.shotNumber = 15;
  position.lastEnd = 9;
  position.turnFlag = 1;
  position.stones[14] = StonePos{2.375f, 4.88f};

  // Every run gets its full 1500 iterations, however fast the machine is.
  SearchSettings settings = ShippedSearchSettings();
  settings.readClockMs = FrozenClock;
  constexpr int kDecisions = 3;
  int won = 0;
  for (int decision = 0; decision < kDecisions; ++decision) {
    gameState = position;
    ShotVec shot{};
    EnsembleSearchWith(settings, &shot);
    GameState replay = position;
    simulation(&replay, shot, 0.0f, 0, -1);
    ASSERT_EQ(replay.currentEnd, 1);
    // Scores count for the side that delivered first: this player won when negative.
    if (replay.endScores[0] < 0) ++won;
  }
  EXPECT_GE(won, 2) << "won " << won << " of " << kDecisions;
}

}  // namespace
