#include "tests/candidates/geometry_predicates.h"

#include <algorithm>
#include <cmath>

#include "engine/game_state.h"

using namespace candidates;
using namespace engine;

namespace {

bool InLane(float stoneX, float x) {
  return std::fabs(stoneX - x) < kLaneHalfWidth;
}

}  // namespace

bool StoneAheadInLane(float x, float y) {
  for (const StonePos& stone : gameState.stones) {
    if (InLane(stone.x, x) && stone.y > y) return true;
  }
  return false;
}

bool NearStoneAheadInLane(float x, float y) {
  for (const StonePos& stone : gameState.stones) {
    const float ahead = stone.y - y;
    if (InLane(stone.x, x) && stone.y > y && ahead < kFarAhead) return true;
  }
  return false;
}

bool StoneWithin(float x, float y, float r) {
  for (const StonePos& stone : gameState.stones) {
    const float dy = stone.y - y;
    const float dx = stone.x - x;
    if (dy * dy + dx * dx < r * r) return true;
  }
  return false;
}

bool AnyStoneInHouse() {
  // Slots past the sixteenth do not exist, whatever the shot number says.
  const int delivered = std::min(gameState.shotNumber, 16);
  for (int i = 0; i < delivered; ++i) {
    if (InHouse(gameState.stones[i].x, gameState.stones[i].y)) return true;
  }
  return false;
}

bool IsGuarded(float x, float y) {
  if (!PassesRearGate(x, y)) return false;
  bool farLaneStone = false;
  for (const StonePos& stone : gameState.stones) {
    if (!(stone.y > y) || !InLane(stone.x, x)) continue;
    const float ahead = stone.y - y;
    if (ahead > kLaneHalfWidth && ahead < kFarAhead) return true;
    if (ahead >= kFarAhead) farLaneStone = true;
  }
  // A far stone alone leaves room to curl around it; it guards only when both
  // curling paths beside the lane are blocked too.
  return farLaneStone && StoneAheadInLane(LaneBeside(x, kNeighbourLaneOffset), y) &&
         StoneAheadInLane(LaneBeside(x, -kNeighbourLaneOffset), y);
}

bool IsHitTarget(float x, float y) {
  if (!PassesRearGate(x, y)) return false;
  for (const StonePos& stone : gameState.stones) {
    if (!(stone.y > kBackLineY)) continue;
    const float ahead = y - stone.y;
    if (!(ahead < kHitAhead)) continue;
    const float dy = stone.y - y;
    const float dx = stone.x - x;
    const float distanceSquared = dy * dy + dx * dx;
    if (!(distanceSquared < kHitReach * kHitReach)) continue;
    // The costly test last: it scans the stones again.
    if (!IsGuarded(stone.x, stone.y)) return true;
  }
  return false;
}

bool IsFreezeTarget(float x, float y) {
  if (!PassesFrontGate(x, y)) return false;
  for (const StonePos& stone : gameState.stones) {
    if (!(std::fabs(stone.x - x) < kFreezeLaneHalfWidth)) continue;
    const float ahead = y - stone.y;
    if (!(ahead > kFreezeNearest && ahead < kFreezeFarthest)) continue;
    if (!IsGuarded(stone.x, stone.y) && InHouse(stone.x, stone.y)) return true;
  }
  return false;
}

bool IsFarGuardDrawTarget(float x, float y) {
  if (!PassesFrontGate(x, y)) return false;
  bool farLaneStone = false;
  for (const StonePos& stone : gameState.stones) {
    const float ahead = stone.y - y;
    if (InLane(stone.x, x) && ahead > kFarAhead) {
      farLaneStone = true;
      break;
    }
  }
  return farLaneStone && !IsGuarded(x, y) && InHouse(x, y);
}

bool IsLateButtonTarget(float x, float y) {
  if (gameState.shotNumber <= 13) return false;
  return InButtonCircle(x, y) && !IsGuarded(x, y);
}
