// The guard positions offered to the side about to play, by stage of the end.
#include <cmath>

#include "engine/game_state.h"
#include "tests/candidates/geometry_predicates.h"

using namespace candidates;
using namespace engine;

namespace {

bool OnNearGuardRow(float y, const StrategyTable& table) {
  return OnGuardRow(y, 2, table) || OnGuardRow(y, 3, table);
}

bool OnAnyGuardRow(float y, const StrategyTable& table) {
  return OnGuardRow(y, 0, table) || OnGuardRow(y, 1, table) || OnGuardRow(y, 2, table) ||
         OnGuardRow(y, 3, table);
}

bool AnyStoneBehind(float y) {
  for (const StonePos& stone : gameState.stones) {
    if (stone.y < y) return true;
  }
  return false;
}

bool CentreGuardRule(float x, float y, const StrategyTable& table) {
  return InCentreBand(x) && !InHouse(x, y) && y > kFrontOfHouseY && OnNearGuardRow(y, table);
}

// A corner guard is worth it only in front of the end's first stone.
bool CornerGuardRule(float x, float y, const StrategyTable& table) {
  return InSideBand(x) && !InHouse(x, y) && y > gameState.stones[0].y && OnNearGuardRow(y, table);
}

bool EarlyGuardRule(float x, float y, bool odd, const StrategyTable& table) {
  if (odd) {
    return InSideBand(x) && !InHouse(x, y) && !StoneWithin(x, y, kGuardClearance) &&
           AnyStoneBehind(y) && OnNearGuardRow(y, table);
  }
  return InCentreBand(x) && !InHouse(x, y) && !StoneWithin(x, y, kGuardClearance) &&
         !NearStoneAheadInLane(x, y) && AnyStoneBehind(y) && OnNearGuardRow(y, table);
}

// A point that covers one of the side's own open house stones from less than
// 4.4 ahead, either in the house or on a guard row.
bool OwnStoneRule(float x, float y, int shotNumber, const StrategyTable& table) {
  for (int i = shotNumber % 2 == 0 ? 0 : 1; i < 16; i += 2) {
    const StonePos& stone = gameState.stones[i];
    const float ahead = y - stone.y;
    if (!(y > stone.y) || !(std::fabs(stone.x - x) < kLaneHalfWidth) || !(ahead < kFarAhead)) {
      continue;
    }
    if (IsGuarded(stone.x, stone.y) || !InHouse(stone.x, stone.y)) continue;
    if (InHouse(x, y) || OnAnyGuardRow(y, table)) return true;
  }
  return false;
}

}  // namespace

bool IsGuardTarget(float x, float y, const StrategyTable& table) {
  if (!PassesRearGate(x, y)) return false;
  const int shotNumber = gameState.shotNumber;
  // The remainder keeps the sign, so a negative odd shot number counts as odd.
  const bool odd = shotNumber % 2 != 0;
  if (shotNumber < 2) return odd ? CornerGuardRule(x, y, table) : CentreGuardRule(x, y, table);
  if (shotNumber < 4) return EarlyGuardRule(x, y, odd, table);
  if (OwnStoneRule(x, y, shotNumber, table)) return true;
  if (AnyStoneInHouse()) return false;
  return odd ? CornerGuardRule(x, y, table) : CentreGuardRule(x, y, table);
}
