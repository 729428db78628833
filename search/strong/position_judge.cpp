#include "search/strong/position_judge.h"

#include "search/strong/standing_value.h"
#include "search/strong/value_model.h"

namespace search::strong {

double PositionJudge::Value(const GameState& position) const {
  switch (evaluation) {
    case Evaluation::kLearned:
      return LearnedValue(position, values, playerIsSideA, playerLead);
    case Evaluation::kStandingTable:
      break;
  }
  return StandingValue(position, values, playerIsSideA);
}

}  // namespace search::strong
