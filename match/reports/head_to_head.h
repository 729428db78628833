// Player 1 against player 2 over finished games: a win scores 1, a loss 0,
// a draw 1/2, and so does a game both engines spoiled at the start (neither
// beat the other). Interrupted games do not count.
#pragma once

#include <vector>

#include "match/game/game_result.h"
#include "match/game/game_settings.h"
#include "match/reports/match_statistics.h"

namespace match::reports {

struct HeadToHead {
  bool paired = game::kPairedByDefault;
  int wins = 0;  // games, from player 1's side
  int draws = 0;
  int losses = 0;
  // Pairs with both games finished, by player 1's points in halves: pairs[i]
  // scored i/2.
  int pairs[5] = {};
  EloEstimate estimate;  // from the pairs when paired, else from the games
};

// Pair k is games 2k-1 and 2k when `paired`.
HeadToHead CountHeadToHead(const std::vector<game::GameResult>& results, bool paired);

// The counts the Elo estimate and the SPRT are taken from.
ScoreCounts HeadToHeadCounts(const HeadToHead& headToHead);

// 2 for a win of player 1, 0 for a loss, 1 otherwise: its score in halves.
int HalfPointsOfPlayer1(const game::GameResult& game);

}  // namespace match::reports
