// The line score of a game, as curling scoreboards show it: ends across, one
// row per side, the hammer marked, totals, then how the game was decided.
#pragma once

#include <string>

#include "match/game/game_result.h"

namespace match::reports {

// For example (a '*' follows the points of the side that had the hammer in
// that end; '-' marks a regular end that was not played):
//   Game 1                   1   2   3   4   5   6   7   8 | Total
//   A  engine                0   2   0   1   0   0   2   0*|     5
//   B  greedy                0*  0*  1   0*  1   1   0*  0 |     3
//   engine wins 5-3 (score)
std::string FormatScoreboard(const game::GameResult& result);

// The last line alone: who won and why.
std::string ResultSentence(const game::GameResult& result);

}  // namespace match::reports
