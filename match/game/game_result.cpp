#include "match/game_result.h"

std::string ResultReason(const GameResult& result) {
  if (result.fault != Fault::kNone) return FaultName(result.fault);
  return result.draw ? "draw" : "score";
}
