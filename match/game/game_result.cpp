#include "match/game/game_result.h"

namespace match::game {

int FirstHammerPlayer(const GameResult& result) {
  return 1 - result.score.sideAPlayer;
}

std::string ResultReason(const GameResult& result) {
  if (result.fault != engines::Fault::kNone) return engines::FaultName(result.fault);
  return result.draw ? "draw" : "score";
}

}  // namespace match::game
