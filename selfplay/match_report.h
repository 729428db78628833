// The match command's figures: the runner's summary and head-to-head of
// player 1 against player 2 (W-D-L, Elo, pairs, SPRT), the score's interval,
// and how each player fared in ends with and without the hammer.
#pragma once

#include <string>
#include <vector>

#include "match/game/game_result.h"
#include "match/reports/summary.h"
#include "selfplay/self_play_game.h"

namespace selfplay {

// One player's ends, split by the hammer.
struct HammerTally {
  int endsWith = 0;
  int pointsWith = 0;
  int blanksWith = 0;      // nobody scored; the hammer stays
  int onePointWith = 0;    // scored a single point, giving the hammer up for one
  int stealsConceded = 0;  // the other side scored without the hammer
  int endsWithout = 0;
  int pointsWithout = 0;  // points stolen
  int stealsMade = 0;
};

struct MatchTally {
  std::vector<match::game::GameResult> results;
  HammerTally ends[2];
};

// Adds game `number` (from 1).
void CountGame(MatchTally& tally, int number, const SelfPlayGame& game);

// The runner's summary of the games so far.
match::reports::MatchSummary SummariseTally(const MatchTally& tally, const std::string (&names)[2],
                                            const match::reports::StatisticsSettings& settings);

// Player 1's score with its 95 % interval, from the summary's estimate.
struct ScoreInterval {
  double score = 0.5;
  double low = 0.0;
  double high = 1.0;
};
ScoreInterval ScoreIntervalOf(const match::reports::EloEstimate& estimate);

std::string FormatMatchText(const match::reports::MatchSummary& summary, const MatchTally& tally);
std::string FormatMatchJson(const match::reports::MatchSummary& summary, const MatchTally& tally);

}  // namespace selfplay
