#include "simulator/rules.h"

#include <algorithm>
#include <cmath>

#include "simulator/sheet.h"

namespace sim {

bool InFreeGuardZone(Vec2 p) {
  const double dx = p.x - kTeeX;
  const double dy = p.y - kTeeY;
  const double touch = kHouseRadius + kStoneRadius;
  return p.y > kTeeY && FullyPastFarHog(p) && dx * dx + dy * dy >= touch * touch;
}

bool FullyPastFarHog(Vec2 p) {
  return p.y + kStoneRadius < kFarHogY;
}

bool SlotOfFirstSide(int slot, int shotNumber, uint8_t turnFlag) {
  const bool sameSideAsNext = ((slot - shotNumber) & 1) == 0;
  const bool nextIsFirstSide = turnFlag == 0;
  return sameSideAsNext == nextIsFirstSide;
}

int ScorePosition(const GameState& state) {
  const int delivered = std::clamp(state.shotNumber, 0, 16);
  const double touch = kHouseRadius + kStoneRadius;
  double distance[16];
  double nearestFirst = touch;
  double nearestSecond = touch;
  bool counted[16] = {};
  for (int i = 0; i < delivered; ++i) {
    const StonePos p = state.stones[i];
    if (!IsPlayablePosition(p)) continue;
    distance[i] = std::hypot(p.x - kTeeX, p.y - kTeeY);
    if (!(distance[i] < touch)) continue;
    counted[i] = true;
    double& nearest =
        SlotOfFirstSide(i, state.shotNumber, state.turnFlag) ? nearestFirst : nearestSecond;
    nearest = std::min(nearest, distance[i]);
  }
  if (nearestFirst == nearestSecond) return 0;  // empty house, or a tie for the nearest stone
  const bool firstScores = nearestFirst < nearestSecond;
  const double opponentNearest = firstScores ? nearestSecond : nearestFirst;
  int points = 0;
  for (int i = 0; i < delivered; ++i) {
    if (counted[i] && SlotOfFirstSide(i, state.shotNumber, state.turnFlag) == firstScores &&
        distance[i] < opponentNearest) {
      ++points;
    }
  }
  return firstScores ? points : -points;
}

}  // namespace sim
