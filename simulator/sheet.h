// The sheet and the stone, in metres: x across the sheet, y along it, stones
// delivered towards smaller y. The one home of these figures for every part of
// the system: the physics, the candidate geometry, the engine's fallback shot,
// the opponents and the pictures.
#pragma once

inline constexpr double kStoneRadius = 0.145;
inline constexpr double kContactDistance = 2 * kStoneRadius;

// Side lines; a stone that touches one is out of play.
inline constexpr double kSideLineLeft = 0.0;
inline constexpr double kSideLineRight = 4.75;
inline constexpr double kCentreLineX = (kSideLineLeft + kSideLineRight) / 2;

// The far house: the tee, the twelve-foot circle (the house), the eight- and
// four-foot circles and the button. The house is the open disc about the tee.
inline constexpr double kTeeX = kCentreLineX;
inline constexpr double kTeeY = 4.88;
inline constexpr double kHouseRadius = 1.83;
inline constexpr double kEightFootRadius = 1.22;
inline constexpr double kFourFootRadius = 0.61;
inline constexpr double kButtonRadius = 0.15;

// Where the house ends across the sheet and along it. The back line touches
// the back of the house.
inline constexpr double kHouseLeftX = kTeeX - kHouseRadius;
inline constexpr double kHouseRightX = kTeeX + kHouseRadius;
inline constexpr double kFrontOfHouseY = kTeeY + kHouseRadius;
inline constexpr double kBackLineY = kTeeY - kHouseRadius;

// Far end: the hog line. Near end: the back line behind the delivering house,
// which only a stone thrown backwards ever reaches.
inline constexpr double kFarHogY = 11.28;
inline constexpr double kNearBackLineY = 41.46;

// Every stone is released on the centre line at the near hog line.
inline constexpr double kReleaseX = kCentreLineX;
inline constexpr double kReleaseY = 33.23;

// The sixteen threshold rows along the sheet, strictly decreasing: the
// player's strategy table (yThresholds, the float nearest to each) and the
// simulator's draw weights (weight p comes to rest on row p) are both made
// from them. Three runs of equal steps: from the far guard row down to the
// front of the house, across the house in thirds of its radius to its back,
// then in sixths of the distance from the back line to zero.
inline constexpr double kThresholdRowY[16] = {
    10.1375, 8.995, 7.8525,      6.71,        6.1,   5.49,        4.88,         4.27,
    3.66,    3.05,  61.0 / 24.0, 61.0 / 30.0, 1.525, 61.0 / 60.0, 61.0 / 120.0, 0.0,
};
static_assert(kThresholdRowY[3] == kFrontOfHouseY);
static_assert(kThresholdRowY[6] == kTeeY);
static_assert(kThresholdRowY[9] == kBackLineY);
