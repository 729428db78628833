// Re-executing a game from its record: every reply is parsed again and
// executed with the same seed, and every position, release and end score
// must come out as recorded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/game/game_flow.h"

namespace match::records {

// One delivery as the replay re-executed it.
struct ReplayedDelivery {
  int end = 0;
  int shot = 0;
  char side = 'A';
  int player = 0;     // 0 or 1
  std::string reply;  // exactly as recorded
  ShotVec requested{};
  int64_t timeMs = 0;
  GameState before{};
  game::DeliveryResult result;
  game::DeliveryMotion motion;  // when paths were asked for
};

// What a replay learns of a game, for showing it.
struct ReplayedGame {
  int gameNumber = 0;
  std::string names[2];
  game::LineScore score;  // as the replayed ends left it
  std::vector<ReplayedDelivery> deliveries;
  std::string outcome;  // of the result line: "win", "draw" or "none"
  std::string reason;
  int winner = -1;  // 0 or 1, or -1
};

// Replays the record at `path`. Returns true when everything agrees; `report`
// says what was checked, or names the line of the first disagreement. With
// `game`, also keeps what it replayed there, with the stones' paths sampled
// every `pathStep` seconds when that is above 0.
bool ReplayRecord(const std::string& path, std::string& report, ReplayedGame* game = nullptr,
                  float pathStep = 0.0f);

}  // namespace match::records
