#include "search/strong/position_features.h"

#include <algorithm>
#include <cmath>

#include "simulator/sheet.h"

namespace search::strong {

namespace {

struct PlacedStone {
  double squared;  // squared distance to the tee, the sort key
  double dx;
  double dy;
};

// Nearest first; equal distances by dy, then |dx|, then dx, a rule that
// mirroring the sheet leaves in place except between two stones that are
// each other's mirror image, where the row does not change either.
bool NearerFirst(const PlacedStone& a, const PlacedStone& b) {
  if (a.squared != b.squared) return a.squared < b.squared;
  if (a.dy != b.dy) return a.dy < b.dy;
  if (std::fabs(a.dx) != std::fabs(b.dx)) return std::fabs(a.dx) < std::fabs(b.dx);
  return a.dx < b.dx;
}

}  // namespace

int EndsLeftAfter(const GameState& position) {
  return std::clamp(position.lastEnd - position.currentEnd, 0, kFeatureEndsLeftCount - 1);
}

bool HammerIsSideA(const GameState& position) {
  // The side to deliver is side A when turnFlag is 0; the hammer delivers
  // the odd shots.
  const bool sideToDeliverIsA = position.turnFlag == 0;
  return (position.shotNumber & 1) != 0 ? sideToDeliverIsA : !sideToDeliverIsA;
}

PositionFeatures EncodePosition(const GameState& position, int hammerLead, int endsLeft) {
  PositionFeatures row{};
  const int shot = std::clamp(position.shotNumber, 0, kFeatureShotCount - 1);
  PlacedStone sides[2][kFeaturePlaces];  // [0] the hammer side's, [1] the other's
  int counts[2] = {0, 0};
  for (int slot = 0; slot < shot; ++slot) {
    const StonePos p = position.stones[slot];
    if (!StoneInPlay(p)) continue;
    // Computed in double from the float coordinates, squared sum then square
    // root, so that the trainer's NumPy gives the same bits.
    const double dx = (static_cast<double>(p.x) - kTeeX) / kHouseRadius;
    const double dy = (static_cast<double>(p.y) - kTeeY) / kHouseRadius;
    const int side = (slot & 1) != 0 ? 0 : 1;
    if (counts[side] < kFeaturePlaces) sides[side][counts[side]++] = {dx * dx + dy * dy, dx, dy};
  }
  constexpr double kTouch = (kHouseRadius + kStoneRadius) / kHouseRadius;
  double nearestInHouse[2] = {kTouch, kTouch};
  for (int side = 0; side < 2; ++side) {
    std::sort(sides[side], sides[side] + counts[side], NearerFirst);
    if (counts[side] > 0)
      nearestInHouse[side] = std::min(kTouch, std::sqrt(sides[side][0].squared));
  }
  for (int side = 0; side < 2; ++side) {
    const double opponent = nearestInHouse[1 - side];
    float* places = row.data() + (side == 0 ? kHammerStonesBegin : kOtherStonesBegin);
    for (int k = 0; k < counts[side]; ++k) {
      const PlacedStone& stone = sides[side][k];
      const double distance = std::sqrt(stone.squared);
      float* place = places + k * kFeaturesPerStone;
      place[kStonePresent] = 1.0f;
      place[kStoneDx] = static_cast<float>(stone.dx);
      place[kStoneDy] = static_cast<float>(stone.dy);
      place[kStoneDistance] = static_cast<float>(distance);
      place[kStoneTouchesHouse] = distance < kTouch ? 1.0f : 0.0f;
      // As the end's score: nearer than every counting stone of the other side.
      place[kStoneCounts] = distance < kTouch && distance < opponent ? 1.0f : 0.0f;
    }
  }
  row[kShotFeaturesBegin + shot] = 1.0f;
  row[kLeadFeaturesBegin + std::clamp(hammerLead, -kFeatureLeadClip, kFeatureLeadClip) +
      kFeatureLeadClip] = 1.0f;
  row[kEndsLeftFeaturesBegin + std::clamp(endsLeft, 0, kFeatureEndsLeftCount - 1)] = 1.0f;
  return row;
}

}  // namespace search::strong
