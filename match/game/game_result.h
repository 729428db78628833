// How a game ended, for the scoreboard, the summary and the record.
#pragma once

#include <string>
#include <vector>

#include "match/engines/fault.h"
#include "match/game/game_flow.h"

namespace match::game {

// faultPlayer when both engines failed before the first stone.
inline constexpr int kBothPlayers = 2;

struct GameResult {
  int gameNumber = 0;
  std::string names[2];
  LineScore score;  // as the game flow left it
  int winner = -1;  // 0 or 1; -1 for a draw, or when nobody won
  bool draw = false;
  engines::Fault fault = engines::Fault::kNone;
  int faultPlayer = -1;    // 0, 1 or kBothPlayers
  std::string detail;      // what the fault was
  std::string faultReply;  // the offending reply, exactly as received
  std::string recordPath;
  std::vector<std::string> picturePaths;  // the end pictures written beside the record
};

// A game as the referee returns it, its record already written: how it
// ended, and each end's final position for the outputs that draw the ends.
struct PlayedGame {
  GameResult result;
  std::vector<GameState> endPositions;  // one per end played, in order
};

// The player with the hammer in the first end: side B.
int FirstHammerPlayer(const GameResult& result);

// Why the game ended: "score", "draw", or the fault's name.
std::string ResultReason(const GameResult& result);

}  // namespace match::game
