// A cover of a moving stone's remaining path by a few capsules, so that the
// sweep can rule out whole stretches of the path at once: a stone that lies
// clear of a capsule cannot be touched while the mover is inside it.
#pragma once

#include "simulator/motion.h"

namespace sim {

inline constexpr int kMaxCoverPieces = 16;

struct PathCover {
  int pieces;
  double endTime[kMaxCoverPieces];   // piece k lasts until endTime[k]
  Vec2 corner[kMaxCoverPieces + 1];  // piece k runs from corner[k] to corner[k + 1]
  double slack[kMaxCoverPieces];     // the path stays this close to that segment
  double lowY[kMaxCoverPieces];      // the piece's extent along the sheet, slack included
  double highY[kMaxCoverPieces];
  Vec2 boxLow;                       // a box around all the pieces, slack included
  Vec2 boxHigh;
};

// Covers the path from the motion's start to rest. Written in place: a sweep
// covers a path at every contact, and a cover is a few hundred bytes.
void CoverPath(const Motion& motion, PathCover& cover);

// The earliest time, not before `now`, at which the mover could come closer
// than `reach` to `point`; infinity if it never can.
double FirstTimeNear(const PathCover& cover, double now, Vec2 point, double reach);

// The earliest time, not before `now`, at which the mover could touch a line
// that takes it out of play.
double FirstTimeAtLine(const PathCover& cover, double now);

}  // namespace sim
