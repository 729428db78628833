// What a position in the middle of an end is worth. At noise the end's last
// stones decide most of it, so a position says little beyond the score as
// the end stands and how many stones are left; the table gives, for each
// shot and each such score, how often each end score followed in recorded
// games, and the game values turn that into a chance of winning.
#pragma once

#include "search/strong/game_value.h"
#include "simulator/curling_api.h"

namespace search::strong {

// The standing score is clipped to this many stones either way, and the end
// scores of the table to kStandingFinalClip.
inline constexpr int kStandingClip = 4;
inline constexpr int kStandingFinalClip = 5;

// The chance of winning for the player in `position`, between deliveries of
// an end (shot number 1 to 15): the mean of `values` over the end scores
// that followed such positions. In a position just closed (shot number 0)
// it is the closed end's exact value.
double StandingValue(const GameState& position, const EndValues& values, bool playerIsSideA);

}  // namespace search::strong
