// What an end's score is worth for the game: the chance of winning it, from a
// table of end-score frequencies measured in self-play and a recursion over
// the ends left, the lead and the hammer.
#pragma once

#include <algorithm>
#include <array>

#include "engine/game_state.h"
#include "simulator/curling_api.h"

namespace search::strong {

// End scores from -kMaxEndScore to +kMaxEndScore, for the side with the hammer.
inline constexpr int kMaxEndScore = 8;
inline constexpr int kEndScoreCount = 2 * kMaxEndScore + 1;

// The last end index a game can reach: a game records ten end scores.
inline constexpr int kFinalEndIndex = 9;

// Frequency of each end score for the side with the hammer, index s + 8.
using EndScoreFrequencies = std::array<double, kEndScoreCount>;
const EndScoreFrequencies& MeasuredEndScoreFrequencies();

// What the player's score in the end being played is worth, index s + 8:
// the chance of winning the game (a draw counts half).
using EndValues = std::array<double, kEndScoreCount>;

// What the end that `closed` has just closed is worth to the player.
inline double ClosedEndValue(const EndValues& values, const GameState& closed, bool playerIsSideA) {
  const int score = engine::ClosedEndScore(closed, playerIsSideA);
  return values[std::clamp(score, -kMaxEndScore, kMaxEndScore) + kMaxEndScore];
}

struct GameSituation {
  int currentEnd;  // the end being played, from 0
  int lastEnd;     // the last regular end; extra ends follow a tie
  int lead;        // the player's points minus the opponent's before this end
  bool hammer;     // the player delivers this end's last stone
};

// The chance of winning for the player when end `nextEnd` is about to start
// with the player `lead` points ahead and holding the hammer or not.
double WinChance(int nextEnd, int lastEnd, int lead, bool hammer,
                 const EndScoreFrequencies& frequencies);

EndValues EndValuesFor(const GameSituation& situation, const EndScoreFrequencies& frequencies);

// The score of the game as the player can infer it: the protocol sends no
// score, but the hammer tells who scored each end (the side that scores gives
// it up; a blank end keeps it), and the last position the player saw in an
// end gives the size of the score.
struct ScoreMemory {
  int end = -1;          // the end of the last decision, -1 before the first
  int shotNumber = 0;    // and its shot number
  bool hammer = false;   // whether the player had the hammer in that end
  GameState lastSeen{};  // the position of the last decision
  int lead = 0;          // inferred lead before `end`
};

// Brings the memory up to the position of a new decision and returns the
// inferred lead before its end. `playerIsSideA`: end scores count for the player.
int InferLead(ScoreMemory& memory, const GameState& position, bool playerIsSideA);

}  // namespace search::strong
