#include "search/strong/position_judge.h"

#include "search/strong/standing_value.h"

double PositionJudge::Value(const GameState& position) const {
  switch (evaluation) {
    case Evaluation::kStandingTable:
      break;
  }
  return StandingValue(position, values, playerIsSideA);
}
