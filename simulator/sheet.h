// The sheet and the stone, in metres: x across the sheet, y along it, stones
// delivered towards smaller y.
#pragma once

namespace sim {

inline constexpr double kStoneRadius = 0.145;
inline constexpr double kContactDistance = 2 * kStoneRadius;

inline constexpr double kTeeX = 2.375;
inline constexpr double kTeeY = 4.88;
inline constexpr double kHouseRadius = 1.83;

// Side lines; a stone that touches one is out of play.
inline constexpr double kSideLineLeft = 0.0;
inline constexpr double kSideLineRight = 4.75;

// Far end: hog line and back line. Near end: the back line behind the
// delivering house, which only a stone thrown backwards ever reaches.
inline constexpr double kFarHogY = 11.28;
inline constexpr double kBackLineY = 3.05;
inline constexpr double kNearBackLineY = 41.46;

// Every stone is released on the centre line at the near hog line.
inline constexpr double kReleaseX = 2.375;
inline constexpr double kReleaseY = 33.23;

}  // namespace sim
