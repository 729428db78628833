// A cover of a moving stone's remaining path by a few capsules, so that the
// sweep can rule out whole stretches of the path at once: a stone that lies
// clear of a capsule cannot be touched while the mover is inside it.
#pragma once

#include <algorithm>
#include <limits>

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
  Vec2 boxLow;  // a box around all the pieces, slack included
  Vec2 boxHigh;
};

// Covers the path from the motion's start to rest. Written in place: a sweep
// covers a path at every contact, and a cover is a few hundred bytes.
void CoverPath(const Motion& motion, PathCover& cover);

// The earliest time, not before `now`, at which the mover could touch a line
// that takes it out of play.
double FirstTimeAtLine(const PathCover& cover, double now);

// First piece still running at `now`.
inline int CurrentPiece(const PathCover& cover, double now) {
  int k = 0;
  while (k < cover.pieces && cover.endTime[k] <= now) ++k;
  return k;
}

// When piece k starts, not before `now`.
inline double PieceStart(const PathCover& cover, int k, double now) {
  return k == 0 ? now : std::max(cover.endTime[k - 1], now);
}

inline double SegmentDistance2(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const double length2 = Norm2(ab);
  double t = length2 > 0 ? Dot(p - a, ab) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return Norm2(p - (a + ab * t));
}

// The first piece, from the one running at `now`, on which the mover could
// come closer than `reach` to `point`; cover.pieces if on none. Inline, with
// what it uses above: a sweep asks it of every resting stone whenever a pair
// is due.
inline int FirstPieceNear(const PathCover& cover, double now, Vec2 point, double reach) {
  if (point.x + reach < cover.boxLow.x || point.x - reach > cover.boxHigh.x ||
      point.y + reach < cover.boxLow.y || point.y - reach > cover.boxHigh.y) {
    return cover.pieces;
  }
  for (int k = CurrentPiece(cover, now); k < cover.pieces; ++k) {
    // Most pieces lie far along the sheet from the point: ruled out by y alone,
    // with room to spare for the rounding of the exact distance.
    if (point.y < cover.lowY[k] - reach - 1e-9 || point.y > cover.highY[k] + reach + 1e-9) continue;
    const double near = reach + cover.slack[k];
    if (SegmentDistance2(point, cover.corner[k], cover.corner[k + 1]) <= near * near) return k;
  }
  return cover.pieces;
}

// When piece k starts, not before `now`; infinity for k = cover.pieces.
inline double PieceTime(const PathCover& cover, int k, double now) {
  return k == cover.pieces ? std::numeric_limits<double>::infinity() : PieceStart(cover, k, now);
}

// The earliest time, not before `now`, at which the mover could come closer
// than `reach` to `point`; infinity if it never can.
inline double FirstTimeNear(const PathCover& cover, double now, Vec2 point, double reach) {
  return PieceTime(cover, FirstPieceNear(cover, now, point, reach), now);
}

}  // namespace sim
