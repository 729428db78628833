#include "match/reports/head_to_head.h"

#include <map>

namespace match::reports {

int HalfPointsOfPlayer1(const game::GameResult& game) {
  if (game.winner == 0) return 2;
  return game.winner == 1 ? 0 : 1;
}

HeadToHead CountHeadToHead(const std::vector<game::GameResult>& results, bool paired) {
  HeadToHead headToHead;
  headToHead.paired = paired;
  std::map<int, int> halfPoints;  // by game number
  for (const game::GameResult& game : results) {
    if (game.fault == engines::Fault::kInterrupted) continue;
    const int half = HalfPointsOfPlayer1(game);
    if (half == 2) ++headToHead.wins;
    if (half == 1) ++headToHead.draws;
    if (half == 0) ++headToHead.losses;
    halfPoints[game.gameNumber] = half;
  }
  for (const auto& [number, half] : halfPoints) {
    if (number % 2 == 0) continue;
    const auto partner = halfPoints.find(number + 1);
    if (partner != halfPoints.end()) ++headToHead.pairs[half + partner->second];
  }
  headToHead.estimate = EstimateElo(HeadToHeadCounts(headToHead));
  return headToHead;
}

ScoreCounts HeadToHeadCounts(const HeadToHead& headToHead) {
  if (headToHead.paired) return PentanomialCounts(headToHead.pairs);
  return TrinomialCounts(headToHead.losses, headToHead.draws, headToHead.wins);
}

}  // namespace match::reports
