#include "match/game/game_result.h"

int FirstHammerPlayer(const GameResult& result) {
  return 1 - result.score.sideAPlayer;
}

std::string ResultReason(const GameResult& result) {
  if (result.fault != Fault::kNone) return FaultName(result.fault);
  return result.draw ? "draw" : "score";
}
