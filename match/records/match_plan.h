// Which games a match holds, with what seed and sides, and which of them a
// shard plays. Pair k of a paired match is games 2k-1 and 2k: one seed, the
// hammer of the first end on opposite sides; an odd last game is unpaired.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/game/game_settings.h"

namespace match::records {

// What makes two runs the same match: shards, resumed runs and merged
// directories must agree on all of it.
struct MatchIdentity {
  std::string names[2];
  int ends = game::kDefaultEnds;
  float noise = game::kDefaultNoise;
  int64_t moveTimeMs = game::kDefaultMoveTimeMs;
  int64_t gameTimeMs = 0;
  int firstHammer =
      game::kDefaultHammerPlayer;  // the player (0 or 1) with the hammer in the first end of game 1
  uint64_t seed = 0;
  int games = 1;
  bool paired = game::kPairedByDefault;
};

// 16 hex digits that change with any part of the identity.
std::string MatchId(const MatchIdentity& identity);

struct PlannedGame {
  int number = 1;  // from 1
  int pair = 0;    // from 1; 0 when the game is unpaired
  uint64_t seed = 0;
  int hammerPlayer = 0;
};

PlannedGame PlanGame(const MatchIdentity& identity, int number);

// The game numbers shard `shard` of `shards` (from 1) plays: every
// shards-th pair (or game, unpaired), starting with the shard-th.
std::vector<int> ShardGames(const MatchIdentity& identity, int shard, int shards);

}  // namespace match::records
