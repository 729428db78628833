#include "match/reports/progress.h"

std::string DeliveryProgress(int game, int end, int shot, char side, int player, int64_t ms) {
  return "delivery game=" + std::to_string(game) + " end=" + std::to_string(end) +
         " shot=" + std::to_string(shot) + " side=" + side +
         " player=" + std::to_string(player + 1) + " ms=" + std::to_string(ms);
}

std::string ResultProgress(const GameResult& result) {
  const char* outcome = result.winner >= 0 ? "win" : (result.draw ? "draw" : "none");
  std::string reason = ResultReason(result);
  for (char& c : reason) {
    if (c == ' ') c = '-';  // one token per value
  }
  return "result game=" + std::to_string(result.gameNumber) + " outcome=" + outcome +
         " winner=" + (result.winner >= 0 ? std::to_string(result.winner + 1) : "none") +
         " reason=" + reason + " points=" + std::to_string(result.score.points[0]) + "-" +
         std::to_string(result.score.points[1]) +
         " ends=" + std::to_string(result.score.endsPlayed);
}
