// A position's worth as a person asks about it, outside any search: the
// chance of each end score and of the game for the side with the hammer, from
// the learned value and, beside it, from the standing table. curling-analyze
// prints it, and the game page graphs it after every delivery.
#pragma once

#include "search/strong/value_model.h"
#include "simulator/curling_api.h"

namespace search::strong {

struct PositionEvaluation {
  // The hammer side's end score, index s + kStandingFinalClip; a score beyond
  // the classes counts in the outermost one.
  EndScoreChances endScores{};
  double expectedEndScore = 0.0;  // of the hammer side, over endScores
  // Chances of winning (a draw counts half): [0] the side with the hammer's,
  // [1] the other side's, each from its own game values.
  double learnedWin[2] = {};
  double tableWin[2] = {};  // the same from the standing table
};

// `position`: its shot number from 0 (the end about to start) to 16 (every
// stone delivered, the end not yet closed), its end and last end; the odd
// slots are the hammer side's. `hammerLead`: that side's points minus the
// other's before this end. At shot 16 the end's score is known, and both
// chances are its exact value. Needs the simulator's entry points bound.
PositionEvaluation EvaluatePosition(const GameState& position, int hammerLead);

// The hammer side's learned chance of winning alone, with the signature the
// game page asks for.
double LearnedHammerWinChance(const GameState& position, int hammerLead);

}  // namespace search::strong
