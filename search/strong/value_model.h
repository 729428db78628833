// The learned value of a position in the middle of an end: a small network,
// trained from self-play by training/train_value.py, gives the chance of each
// end score for the side with the hammer; the game values turn it into a
// chance of winning. The arithmetic is plain float in a fixed order, and the
// exponential is our own, so the same position gives the same bits on every
// platform the player is built for.
#pragma once

#include <array>

#include "search/strong/game_value.h"
#include "search/strong/position_features.h"
#include "search/strong/standing_value.h"
#include "simulator/curling_api.h"

namespace search::strong {

// The network's classes: the side with the hammer's end score, clipped to
// -kStandingFinalClip..+kStandingFinalClip, index s + kStandingFinalClip.
inline constexpr int kEndScoreClasses = 2 * kStandingFinalClip + 1;
using EndScoreChances = std::array<float, kEndScoreClasses>;

// e^x for x <= 0, to within a few ulps, with the same bits everywhere: a
// fixed reduction by powers of two and a polynomial, no library call.
double PortableExp(double x);

// The chance of each end score for the side with the hammer, from the row.
EndScoreChances PredictEndScores(const PositionFeatures& features);

// The chance of winning for the player in `position`, between deliveries of
// an end (shot number 1 to 15), whose lead before this end is `playerLead`:
// the mean of `values` (for the player's end score) over the network's end
// scores. In a position just closed (shot number 0) it is the closed end's
// exact value, as StandingValue gives it.
double LearnedValue(const GameState& position, const EndValues& values, bool playerIsSideA,
                    int playerLead);

}  // namespace search::strong
