#include "simulator/path_cover.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>

#include "simulator/flight.h"
#include "simulator/sheet.h"

namespace sim {
namespace {

// Piece boundaries by speed: the curl turns the heading slowly at speed, fast
// near rest, so pieces shorten as the stone slows. Chosen so that the path
// stays within 3 cm of each piece's chord.
constexpr double kBoundarySpeeds[] = {4.988, 4.147, 3.447, 2.865, 2.381, 1.978, 1.642, 1.361,
                                      1.125, 0.926, 0.756, 0.608, 0.474, 0.347, 0.212, 0.0};
constexpr int kBoundaries = static_cast<int>(std::size(kBoundarySpeeds));

// A path of length L whose heading turns by θ < π/2 stays within L sin(θ) / 2
// of its chord, and sin θ ≤ |e^(iθ) − 1|.
double Slack(double fastSpeed, Vec2 fastHeading, double slowSpeed, Vec2 slowHeading) {
  const double length = StoppingDistance(fastSpeed) - StoppingDistance(slowSpeed);
  return 0.5 * length * Norm(fastHeading - slowHeading) + 1e-9;
}

// The table's values at the boundaries, and the slack of the piece that ends
// at each, so that covering a path costs one lookup (at the start speed) and
// a rotation per piece.
struct Boundary {
  double speed;
  FlightPoint point;
  double slackFromPrevious;  // of the piece from the boundary before
};

const std::array<Boundary, kBoundaries>& Boundaries() {
  static const std::array<Boundary, kBoundaries> boundaries = [] {
    std::array<Boundary, kBoundaries> table{};
    for (int i = 0; i < kBoundaries; ++i) {
      table[i] = {kBoundarySpeeds[i], FlightAt(kBoundarySpeeds[i]), 0.0};
      if (i > 0) {
        table[i].slackFromPrevious = Slack(table[i - 1].speed, table[i - 1].point.heading,
                                           table[i].speed, table[i].point.heading);
      }
    }
    return table;
  }();
  return boundaries;
}

// Each piece's extent along the sheet, and a box around them all.
void AddBounds(PathCover& cover) {
  cover.boxLow = cover.boxHigh = cover.corner[0];
  double slack = 0;
  for (int k = 0; k < cover.pieces; ++k) {
    cover.lowY[k] = std::min(cover.corner[k].y, cover.corner[k + 1].y) - cover.slack[k];
    cover.highY[k] = std::max(cover.corner[k].y, cover.corner[k + 1].y) + cover.slack[k];
    const Vec2 c = cover.corner[k + 1];
    cover.boxLow = {std::min(cover.boxLow.x, c.x), std::min(cover.boxLow.y, c.y)};
    cover.boxHigh = {std::max(cover.boxHigh.x, c.x), std::max(cover.boxHigh.y, c.y)};
    slack = std::max(slack, cover.slack[k]);
  }
  cover.boxLow = cover.boxLow - Vec2{slack, slack};
  cover.boxHigh = cover.boxHigh + Vec2{slack, slack};
}

}  // namespace

void CoverPath(const Motion& motion, PathCover& cover) {
  // Only the pieces in use are written, and only those are read.
  cover.pieces = 0;
  cover.corner[0] = motion.origin;
  if (motion.curl == Curl::kNone || !(motion.startSpeed > 0)) {
    cover.pieces = 1;
    cover.endTime[0] = StopTime(motion);
    cover.corner[1] = RestPosition(motion);
    cover.slack[0] = 1e-9;
    AddBounds(cover);
    return;
  }
  // Corners as the motion computes positions: origin + frame · (G(V) − G(v)),
  // mirrored for the negative curl.
  const bool mirror = motion.curl == Curl::kNegative;
  const std::array<Boundary, kBoundaries>& boundaries = Boundaries();
  int b = 0;
  while (b < kBoundaries - 1 && boundaries[b].speed >= motion.startSpeed) ++b;
  const int firstBoundary = b;
  for (; b < kBoundaries && cover.pieces < kMaxCoverPieces; ++b) {
    const Boundary& boundary = boundaries[b];
    const Vec2 flight = mirror ? Conj(boundary.point.flight) : boundary.point.flight;
    const int k = cover.pieces++;
    cover.endTime[k] = motion.startTime + (motion.startSpeed - boundary.speed) / kFrictionDecel;
    cover.corner[k + 1] = motion.origin + Rotate(motion.frame, motion.flightAtStart - flight);
    cover.slack[k] = b == firstBoundary
                         ? Slack(motion.startSpeed, FlightAt(motion.startSpeed).heading,
                                 boundary.speed, boundary.point.heading)
                         : boundary.slackFromPrevious;
  }
  AddBounds(cover);
}

double FirstTimeAtLine(const PathCover& cover, double now) {
  for (int k = CurrentPiece(cover, now); k < cover.pieces; ++k) {
    const Vec2 a = cover.corner[k];
    const Vec2 b = cover.corner[k + 1];
    const double margin = kStoneRadius + cover.slack[k];
    if (std::min(a.x, b.x) - margin <= kSideLineLeft ||
        std::max(a.x, b.x) + margin >= kSideLineRight ||
        cover.lowY[k] < kBackLineY - kStoneRadius ||
        cover.highY[k] > kNearBackLineY + kStoneRadius) {
      return PieceStart(cover, k, now);
    }
  }
  return std::numeric_limits<double>::infinity();
}

}  // namespace sim
