// The live status line shown on a terminal instead of a progress line per
// delivery: how far the match is, where each running game stands, and the
// standing of player 1 against player 2.
#pragma once

#include <string>
#include <vector>

#include "match/reports/head_to_head.h"
#include "match/reports/match_statistics.h"

namespace match::reports {

struct RunningGame {
  int game = 0;
  int end = -1;  // of the last stone delivered; -1 before the first
  int shot = -1;
};

// "12/40 done | 7-2-3 0.625 elo +89.0 (-40.0,+230.0) | llr 0.41 (-2.94,2.94)
// | g13 end=3 shot=7 | g14 starting", cut to `columns` - 1 characters so
// that it never wraps.
std::string FormatLiveStatus(int finished, int total, const std::vector<RunningGame>& running,
                             const HeadToHead& headToHead, const SprtState* sprt, int columns);

}  // namespace match::reports
