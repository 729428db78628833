#include "match/reports/progress.h"

#include <cstdio>

namespace match::reports {

std::string DeliveryProgress(int game, const records::DeliveryFacts& delivery) {
  return "delivery game=" + std::to_string(game) +
         " end=" + std::to_string(delivery.before.currentEnd) +
         " shot=" + std::to_string(delivery.before.shotNumber) + " side=" + delivery.side +
         " player=" + std::to_string(delivery.player + 1) +
         " ms=" + std::to_string(delivery.timeMs);
}

std::string ResultProgress(const game::GameResult& result) {
  const char* outcome = result.winner >= 0 ? "win" : (result.draw ? "draw" : "none");
  std::string reason = game::ResultReason(result);
  for (char& c : reason) {
    if (c == ' ') c = '-';  // one token per value
  }
  return "result game=" + std::to_string(result.gameNumber) + " outcome=" + outcome +
         " winner=" + (result.winner >= 0 ? std::to_string(result.winner + 1) : "none") +
         " reason=" + reason + " points=" + std::to_string(result.score.points[0]) + "-" +
         std::to_string(result.score.points[1]) +
         " ends=" + std::to_string(result.score.endsPlayed);
}

std::string StandingProgress(const HeadToHead& headToHead, const SprtState* sprt) {
  const EloEstimate& estimate = headToHead.estimate;
  const int games = headToHead.wins + headToHead.draws + headToHead.losses;
  char score[32];
  std::snprintf(score, sizeof score, "%.3f",
                games == 0 ? 0.0 : (headToHead.wins + 0.5 * headToHead.draws) / games);
  std::string text = " wdl=" + std::to_string(headToHead.wins) + "-" +
                     std::to_string(headToHead.draws) + "-" + std::to_string(headToHead.losses) +
                     " score=" + score;
  // Without a finished pair (or game) there is no estimate yet.
  if (estimate.samples > 0.0) {
    text += " elo=" + EloText(estimate.elo) + " elo95=" + EloText(estimate.eloLow) + "," +
            EloText(estimate.eloHigh);
  } else {
    text += " elo=none elo95=none";
  }
  if (sprt != nullptr) {
    char llr[96];
    std::snprintf(llr, sizeof llr, " llr=%.2f bounds=%.2f,%.2f", sprt->llr, sprt->lower,
                  sprt->upper);
    text += llr;
  }
  return text;
}

}  // namespace match::reports
