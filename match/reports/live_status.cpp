#include "match/reports/live_status.h"

#include <cstdio>

namespace match::reports {

std::string FormatLiveStatus(int finished, int total, const std::vector<RunningGame>& running,
                             const HeadToHead& headToHead, const SprtState* sprt, int columns) {
  std::string text = std::to_string(finished) + "/" + std::to_string(total) + " done";
  const int games = headToHead.wins + headToHead.draws + headToHead.losses;
  char standing[160];
  std::snprintf(standing, sizeof standing, " | %d-%d-%d %.3f elo %s (%s,%s)", headToHead.wins,
                headToHead.draws, headToHead.losses,
                games == 0 ? 0.0 : (headToHead.wins + 0.5 * headToHead.draws) / games,
                EloText(headToHead.estimate.elo).c_str(),
                EloText(headToHead.estimate.eloLow).c_str(),
                EloText(headToHead.estimate.eloHigh).c_str());
  text += standing;
  if (sprt != nullptr) {
    std::snprintf(standing, sizeof standing, " | llr %.2f (%.2f,%.2f)", sprt->llr, sprt->lower,
                  sprt->upper);
    text += standing;
  }
  // The running games last: on a narrow terminal they are what is cut.
  for (const RunningGame& game : running) {
    text += " | g" + std::to_string(game.game);
    text += game.end < 0
                ? std::string(" starting")
                : " end=" + std::to_string(game.end) + " shot=" + std::to_string(game.shot);
  }
  if (columns > 1 && text.size() > static_cast<size_t>(columns - 1)) {
    text.resize(static_cast<size_t>(columns - 1));
  }
  return text;
}

}  // namespace match::reports
