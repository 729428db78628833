#include "search/strong/position_evaluation.h"

#include <algorithm>

#include "engine/library_binding.h"
#include "search/strong/position_features.h"
#include "search/strong/standing_value.h"

namespace search::strong {

namespace {

constexpr int kLastShot = 16;

double Expected(const EndScoreChances& chances) {
  double sum = 0.0;
  for (int i = 0; i < kEndScoreClasses; ++i) {
    sum += static_cast<double>(chances[i]) * (i - kStandingFinalClip);
  }
  return sum;
}

// What the side's end score is worth: its own lead and hammer, and the hammer
// side's score negated for the other side.
double ValueOf(const EndValues& values, int hammerScore, bool hammerSide) {
  const int score = hammerSide ? hammerScore : -hammerScore;
  return values[std::clamp(score, -kMaxEndScore, kMaxEndScore) + kMaxEndScore];
}

}  // namespace

PositionEvaluation EvaluatePosition(const GameState& position, int hammerLead) {
  const bool hammerIsA = HammerIsSideA(position);
  PositionEvaluation evaluation;
  const bool finished = position.shotNumber >= kLastShot;
  int score = 0;
  if (finished) {
    // Every stone is down: the score is the position's.
    const int forA = getScore(&position);
    score = hammerIsA ? forA : -forA;
    evaluation.endScores[std::clamp(score, -kStandingFinalClip, kStandingFinalClip) +
                         kStandingFinalClip] = 1.0f;
    evaluation.expectedEndScore = score;
  } else {
    evaluation.endScores =
        PredictEndScores(EncodePosition(position, hammerLead, EndsLeftAfter(position)));
    evaluation.expectedEndScore = Expected(evaluation.endScores);
  }
  for (int side = 0; side < 2; ++side) {
    const bool hammerSide = side == 0;
    const int lead = hammerSide ? hammerLead : -hammerLead;
    const EndValues values =
        EndValuesFor(GameSituation{position.currentEnd, position.lastEnd, lead, hammerSide},
                     MeasuredEndScoreFrequencies());
    if (finished) {
      evaluation.learnedWin[side] = ValueOf(values, score, hammerSide);
      evaluation.tableWin[side] = evaluation.learnedWin[side];
      continue;
    }
    // LearnedValue reads shot 0 as an end just closed; here it is an end
    // about to start, whose stones the network predicts like any other.
    // The chances are floats, whose sum misses one by a few parts in 1e8: a
    // mean over them stays a chance, and the two sides' add up to one.
    double learned = 0.0;
    double total = 0.0;
    for (int i = 0; i < kEndScoreClasses; ++i) {
      const double chance = evaluation.endScores[i];
      learned += chance * ValueOf(values, i - kStandingFinalClip, hammerSide);
      total += chance;
    }
    evaluation.learnedWin[side] = learned / total;
    // Before the first stone the table knows only the measured end scores.
    evaluation.tableWin[side] = position.shotNumber <= 0
                                    ? WinChance(position.currentEnd, position.lastEnd, lead,
                                                hammerSide, MeasuredEndScoreFrequencies())
                                    : StandingValue(position, values, hammerIsA == hammerSide);
  }
  return evaluation;
}

double LearnedHammerWinChance(const GameState& position, int hammerLead) {
  return EvaluatePosition(position, hammerLead).learnedWin[0];
}

}  // namespace search::strong
