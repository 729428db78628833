// What the learned value reads of a position between deliveries: a fixed row
// of numbers from the side with the hammer's point of view. Each side's stones
// come nearest the tee first, so the row does not depend on which slot a stone
// was delivered into, and a picture mirrored about the centre line only
// negates the offsets across the sheet. training/train_value.py computes the
// same row from recorded positions; the stored cases of tests/search check
// that the two agree.
#pragma once

#include <array>

#include "simulator/curling_api.h"

namespace search::strong {

// Stone places per side: a side delivers eight stones an end.
inline constexpr int kFeaturePlaces = 8;

// The numbers of one place, in this order.
enum StoneFeature {
  kStonePresent,       // 1 when the place holds a stone in play
  kStoneDx,            // across the sheet from the tee, in house radii
  kStoneDy,            // along the sheet from the tee (towards the hog line), in house radii
  kStoneDistance,      // from the tee, in house radii
  kStoneTouchesHouse,  // 1 when it would count if it were shot stone
  kStoneCounts,        // 1 when it would score if the end closed now
  kFeaturesPerStone,
};

// Leads before the end are clipped to this many points either way: beyond it
// the end is played the same.
inline constexpr int kFeatureLeadClip = 4;
// Ends left after this one: none, one, or more (clipped).
inline constexpr int kFeatureEndsLeftCount = 3;
inline constexpr int kFeatureShotCount = 16;

// Where each group begins in the row: the hammer side's places, the other
// side's, the shot number (one-hot), the lead (one-hot) and the ends left
// (one-hot).
inline constexpr int kHammerStonesBegin = 0;
inline constexpr int kOtherStonesBegin = kFeaturePlaces * kFeaturesPerStone;
inline constexpr int kShotFeaturesBegin = 2 * kFeaturePlaces * kFeaturesPerStone;
inline constexpr int kLeadFeaturesBegin = kShotFeaturesBegin + kFeatureShotCount;
inline constexpr int kEndsLeftFeaturesBegin = kLeadFeaturesBegin + 2 * kFeatureLeadClip + 1;
inline constexpr int kPositionFeatureCount = kEndsLeftFeaturesBegin + kFeatureEndsLeftCount;

using PositionFeatures = std::array<float, kPositionFeatureCount>;

// Ends to play after the position's end, clipped to what the row tells apart;
// an extra end counts as the last.
int EndsLeftAfter(const GameState& position);

// Whether side A has the hammer in the position's end (delivers its odd
// slots).
bool HammerIsSideA(const GameState& position);

// The row for `position` (shot number 0 to 15; the stones of slots below it
// are those delivered, odd slots the hammer side's), with `hammerLead` the
// side with the hammer's points minus the other's before this end and
// `endsLeft` the ends after this one.
PositionFeatures EncodePosition(const GameState& position, int hammerLead, int endsLeft);

}  // namespace search::strong
