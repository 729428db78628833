// How the stronger search values a position for the player: a closed end
// exactly, by what its score is worth for the game; a position between
// deliveries by the evaluation the search was given.
#pragma once

#include <string_view>

#include "search/strong/game_value.h"
#include "simulator/curling_api.h"

namespace search::strong {

// What values a position in the middle of an end.
enum class Evaluation {
  kStandingTable,  // the end scores that followed the shot number and standing score
  kLearned,        // the network trained from self-play (value_model.h)
};

// The network: against the table, with the search's own games to learn from,
// it won its sequential test (docs/strength.md).
inline constexpr Evaluation kDefaultEvaluation = Evaluation::kLearned;

// The evaluation a command line names: "table" or "learned"; false for
// anything else.
inline bool EvaluationNamed(std::string_view name, Evaluation& evaluation) {
  if (name == "table") {
    evaluation = Evaluation::kStandingTable;
  } else if (name == "learned") {
    evaluation = Evaluation::kLearned;
  } else {
    return false;
  }
  return true;
}

struct PositionJudge {
  EndValues values;    // what each end score of the player is worth for the game
  bool playerIsSideA;  // end scores count for the player
  Evaluation evaluation = kDefaultEvaluation;
  int playerLead = 0;  // the player's points minus the opponent's before this end

  // The chance of winning for the player in `position`: between deliveries
  // (shot number 1 to 15) by the evaluation; just closed (shot number 0) exactly.
  double Value(const GameState& position) const;
  // The end that `closed` has just closed, exactly.
  double Closed(const GameState& closed) const {
    return ClosedEndValue(values, closed, playerIsSideA);
  }
};

}  // namespace search::strong
