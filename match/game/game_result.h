// How a game ended, for the scoreboard, the summary and the record.
#pragma once

#include <string>
#include <vector>

#include "match/engine_client.h"
#include "match/game_flow.h"

// faultPlayer when both engines failed before the first stone.
inline constexpr int kBothPlayers = 2;

struct GameResult {
  int gameNumber = 0;
  std::string names[2];
  int hammerPlayer = 0;  // had the hammer in the first end
  int sideAPlayer = 0;
  int regularEnds = 8;
  int winner = -1;  // 0 or 1; -1 for a draw, or when nobody won
  bool draw = false;
  Fault fault = Fault::kNone;
  int faultPlayer = -1;    // 0, 1 or kBothPlayers
  std::string detail;      // what the fault was
  std::string faultReply;  // the offending reply, exactly as received
  int points[2] = {0, 0};
  int endsPlayed = 0;
  int endPoints[kMaxEnds][2] = {};
  int endFirst[kMaxEnds] = {};
  std::string recordPath;
  std::vector<std::string> picturePaths;
};

// Why the game ended: "score", "draw", or the fault's name.
std::string ResultReason(const GameResult& result);
