#include "engine/command.h"

#include <cfloat>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "tests/engine/recorded_decision.h"
#include "tests/state_bytes.h"

using namespace engine;

namespace {

constexpr uint64_t kDecisionMs = 1234;

RecordingPlayer recorder;

void Dispatch(std::string line) {
  DispatchCommand(line.data(), recorder, kDecisionMs);
}

// Every byte of the record set to a recognisable, finite pattern.
GameState FilledState() {
  GameState state;
  std::memset(&state, 0x41, sizeof state);
  return state;
}

class Commands : public ::testing::Test {
 protected:
  void SetUp() override {
    gameState = FilledState();
    isSecondPlayer = false;
    recorder = RecordingPlayer{};
  }
};

TEST_F(Commands, NewGameClearsEveryFieldButLeavesPaddingAndSide) {
  isSecondPlayer = true;
  Dispatch("newGame");
  GameState expected{};
  std::memset(expected.padding, 0x41, sizeof expected.padding);
  EXPECT_EQ(BytesOf(gameState), BytesOf(expected));
  EXPECT_TRUE(isSecondPlayer);
}

TEST_F(Commands, PositionStoresEachCoordinateAsItIsRead) {
  Dispatch("POSITION 0 0.5 1 1.5 2 2.5 3 3.5 4 4.5 5");
  GameState expected = FilledState();
  for (int k = 0; k < 5; ++k) expected.stones[k] = StonePos{k * 1.0f, k + 0.5f};
  expected.stones[5].x = 5.0f;
  EXPECT_EQ(BytesOf(gameState), BytesOf(expected));

  std::string all = "position";
  for (int i = 0; i < 32; ++i) {
    all += ' ';
    all += std::to_string(i * 0.25);
  }
  Dispatch(all + " 99 trailing words");
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(gameState.stones[k].x, 2 * k * 0.25f);
    EXPECT_EQ(gameState.stones[k].y, (2 * k + 1) * 0.25f);
  }
}

TEST_F(Commands, PositionNeverStoresNonFiniteValues) {
  Dispatch("POSITION nan inf -inf 0x1p3 1e39 -1e39 1e-50 \t2.5 INFINITY");
  EXPECT_EQ(gameState.stones[0].x, 0.0f);
  EXPECT_EQ(gameState.stones[0].y, 0.0f);
  EXPECT_EQ(gameState.stones[1].x, 0.0f);
  EXPECT_EQ(gameState.stones[1].y, 0.0f);
  EXPECT_EQ(gameState.stones[2].x, FLT_MAX);
  EXPECT_EQ(gameState.stones[2].y, -FLT_MAX);
  EXPECT_EQ(gameState.stones[3].x, 0.0f);
  EXPECT_EQ(gameState.stones[3].y, 2.5f);
  EXPECT_EQ(gameState.stones[4].x, 0.0f);
}

TEST_F(Commands, SetStateWithTooFewArgumentsKeepsWhatItStored) {
  Dispatch("SETSTATE 3 4 5");
  EXPECT_EQ(gameState.shotNumber, 3);
  EXPECT_EQ(gameState.currentEnd, 4);
  EXPECT_EQ(gameState.lastEnd, 5);
  EXPECT_EQ(gameState.turnFlag, 0x41);

  // A blank after the third integer makes an empty fourth token: 0.
  Dispatch("SETSTATE 6 7 8 ");
  EXPECT_EQ(gameState.shotNumber, 6);
  EXPECT_EQ(gameState.turnFlag, 0);
  Dispatch("SETSTATE 6 7 8 5");
  EXPECT_EQ(gameState.turnFlag, 1);
  Dispatch("SETSTATE 6 7 8 -99999999999");
  EXPECT_EQ(gameState.turnFlag, 1);

  Dispatch("SETSTATE 9");
  EXPECT_EQ(gameState.shotNumber, 9);
  EXPECT_EQ(gameState.currentEnd, 7);
  Dispatch("SETSTATE");
  EXPECT_EQ(gameState.shotNumber, 9);
  Dispatch("SETSTATE nan 0x10 99999999999 1");
  EXPECT_EQ(gameState.shotNumber, 0);
  EXPECT_EQ(gameState.currentEnd, 0);
  EXPECT_EQ(gameState.lastEnd, INT32_MAX);
}

TEST_F(Commands, CommandWordIgnoresCaseButNotExtraBytes) {
  gameState = GameState{};
  Dispatch("  sEtStAtE 2 0 0 0\r\n");
  EXPECT_EQ(gameState.shotNumber, 2);
  for (const char* line : {"SETSTATEX 5 0 0 0", "SETSTATE\t5 0 0 0", "SET STATE 5 0 0 0",
                           "\tSETSTATE 5 0 0 0", "SETSTATÉ 5 0 0 0"}) {
    Dispatch(line);
    EXPECT_EQ(gameState.shotNumber, 2) << line;
  }
  // A NUL or CR ends the line where it stands.
  Dispatch(std::string("SETSTATE 4\0 5 6 7", 17));
  EXPECT_EQ(gameState.shotNumber, 4);
  EXPECT_EQ(gameState.currentEnd, 0);
  Dispatch("SETSTATE 8\r 5 6 7");
  EXPECT_EQ(gameState.shotNumber, 8);
  EXPECT_EQ(gameState.currentEnd, 0);
}

TEST_F(Commands, GoRecordsTheSideInEndZeroAndSearchesBelowShot16) {
  Dispatch("NEWGAME");
  Dispatch("SETSTATE 1 0 9 0");
  Dispatch("go");
  EXPECT_TRUE(isSecondPlayer);
  EXPECT_EQ(recorder.decisions, 1);
  EXPECT_EQ(BytesOf(recorder.lastState), BytesOf(gameState));
  EXPECT_EQ(recorder.lastTimeMs, kDecisionMs);

  // Kept by NEWGAME and by later ends, whatever their shot number.
  Dispatch("NEWGAME");
  EXPECT_TRUE(isSecondPlayer);
  Dispatch("SETSTATE 0 1 9 0");
  Dispatch("GO");
  EXPECT_TRUE(isSecondPlayer);
  Dispatch("SETSTATE 0 0 9 0");
  Dispatch("GO");
  EXPECT_FALSE(isSecondPlayer);
  Dispatch("SETSTATE 3 0 9 0");
  Dispatch("GO");
  EXPECT_FALSE(isSecondPlayer);
  EXPECT_EQ(recorder.decisions, 4);

  Dispatch("SETSTATE 15 0 9 0");
  Dispatch("GO");
  Dispatch("SETSTATE -1 0 9 0");
  Dispatch("GO");
  Dispatch("SETSTATE -2147483648 0 9 0");
  Dispatch("GO");
  EXPECT_EQ(recorder.decisions, 7);
}

TEST_F(Commands, EveryNewGameAndOnlyItReachesThePlayer) {
  Dispatch("NEWGAME");
  EXPECT_EQ(recorder.newGames, 1);
  for (const char* line :
       {"ISREADY", "SETSTATE 2 0 9 0", "POSITION 1 1", "GO", "NEWGAMES", "NEW GAME", ""}) {
    Dispatch(line);
  }
  EXPECT_EQ(recorder.newGames, 1);
  Dispatch("  newgame\r\n");
  EXPECT_EQ(recorder.newGames, 2);
  EXPECT_EQ(recorder.decisions, 1);
}

}  // namespace
