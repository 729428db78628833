// A whole match: the games, side by side when asked, the scoreboards and the
// summary.
#pragma once

#include "match/options.h"
#include "match/reports/game_page.h"

namespace match {

// Plays the match the options describe and returns the process's exit status.
// Each game's page graphs `winChance` when it is given.
int RunMatch(const MatchOptions& options, reports::HammerWinChanceFn winChance = nullptr);

}  // namespace match
