// The rules that decide which stones stay in play and what an end scores.
#pragma once

#include <cmath>

#include "simulator/curling_api.h"
#include "simulator/sheet.h"
#include "simulator/vec2.h"

namespace sim {

// Whether a stone lying at `p` can be in play: on the sheet, clear of the side
// lines, not entirely beyond a back line. (0, 0) marks a stone not in play.
// Inline: every delivery asks it of every stone.
inline bool IsPlayablePosition(StonePos p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
  if (!StoneInPlay(p)) return false;
  const double x = p.x;
  const double y = p.y;
  return x - kStoneRadius > kSideLineLeft && x + kStoneRadius < kSideLineRight &&
         y + kStoneRadius >= kBackLineY && y - kStoneRadius <= kNearBackLineY;
}

// The free guard zone: ahead of the tee line, outside the house, and fully
// past the far hog line (a stone short of it is not in play anyway).
bool InFreeGuardZone(Vec2 p);

// A delivered stone must come to rest wholly past the far hog line.
bool FullyPastFarHog(Vec2 p);

// Whether the stone in `slot` belongs to the side that delivered the first
// stone of end 0, given the shot about to be played and its turn flag: the side
// about to deliver owns the slots of its parity.
bool SlotOfFirstSide(int slot, int shotNumber, uint8_t turnFlag);

// The score if the end closed now, positive for the side that delivered the
// first stone of end 0. Only delivered stones that touch the house count.
int ScorePosition(const GameState& state);

}  // namespace sim
