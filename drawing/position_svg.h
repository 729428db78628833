// A picture of a position as SVG: the far house with its rings, the tee,
// centre, hog and back lines, and the stones in play coloured by side with
// their shot numbers.
#pragma once

#include <string>
#include <string_view>

#include "simulator/curling_api.h"

namespace drawing {

inline constexpr const char* kRedStone = "#d62728";
inline constexpr const char* kYellowStone = "#f2c200";

struct PictureSide {
  std::string label;   // for the legend, e.g. "A: engine"
  std::string colour;  // SVG colour of the stone's handle area
};

struct PositionPicture {
  StonePos stones[16] = {};
  int delivered = 0;  // slots below this hold delivered stones
  // Even slots hold the stones of the side that delivered first in the end,
  // odd slots the other side's.
  PictureSide firstSide{"first in the end", kRedStone};
  PictureSide secondSide{"second in the end", kYellowStone};
  std::string title;  // a line end starts a second line
};

// The whole SVG document. Stones at (0, 0) are not in play and not drawn;
// the picture grows to show a stone lying beyond the usual area.
std::string DrawPositionSvg(const PositionPicture& picture);

// `text` safe inside markup, in content and in quoted attributes.
std::string MarkupEscaped(std::string_view text);

}  // namespace drawing
