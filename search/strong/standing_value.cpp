#include "search/strong/standing_value.h"

#include <algorithm>

#include "engine/library_binding.h"

namespace search::strong {

namespace {

constexpr int kStandingCount = 2 * kStandingClip + 1;
constexpr int kFinalCount = 2 * kStandingFinalClip + 1;
// Deliveries that leave a position to value: all but the end's last.
constexpr int kValuedShots = 15;

// Thousandths of each end score for the side with the hammer, -5 to +5, by
// shot number of the delivery just made and the standing score for the side
// with the hammer, -4 to +4. bench/standing_table.py writes it from records.
constexpr int kStandingMille[kValuedShots * kStandingCount][kFinalCount] = {
#include "search/strong/standing_table.inc"
};

}  // namespace

double StandingValue(const GameState& position, const EndValues& values, bool playerIsSideA) {
  const int shots = position.shotNumber;
  if (shots < 1 || shots > kValuedShots) {
    return ClosedEndValue(values, position, playerIsSideA);
  }
  // The side with the hammer delivers the odd shots.
  const bool sideToDeliverIsA = position.turnFlag == 0;
  const bool hammerIsA = (shots & 1) != 0 ? sideToDeliverIsA : !sideToDeliverIsA;
  const int forA = getScore(&position);
  const int standing = std::clamp(hammerIsA ? forA : -forA, -kStandingClip, kStandingClip);
  const int sign = hammerIsA == playerIsSideA ? 1 : -1;
  const int* mille = kStandingMille[(shots - 1) * kStandingCount + standing + kStandingClip];
  double sum = 0.0;
  double weight = 0.0;
  for (int i = 0; i < kFinalCount; ++i) {
    sum += mille[i] * values[sign * (i - kStandingFinalClip) + kMaxEndScore];
    weight += mille[i];
  }
  return sum / weight;
}

}  // namespace search::strong
