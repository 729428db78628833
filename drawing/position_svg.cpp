#include "drawing/position_svg.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "simulator/sheet.h"

namespace drawing {

namespace {

constexpr double kScale = 100.0;  // pixels per metre
constexpr double kMargin = 20.0;  // pixels around the sheet
constexpr double kTitleLineHeight = 18.0;
constexpr double kLegendHeight = 44.0;

constexpr double kSheetWidth = kSideLineRight - kSideLineLeft;

// The sheet from just behind the back line to just beyond the hog line; the
// house is at the top, stones arrive from below.
constexpr double kTopY = 2.6;
constexpr double kBottomY = 12.0;

struct Frame {
  double titleHeight;
  double X(double x) const { return kMargin + x * kScale; }
  double Y(double y) const { return titleHeight + kMargin + (y - kTopY) * kScale; }
};

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

void Circle(std::string& svg, const Frame& frame, double x, double y, double radius,
            std::string_view fill, std::string_view stroke) {
  svg += "<circle cx=\"" + Number(frame.X(x)) + "\" cy=\"" + Number(frame.Y(y)) + "\" r=\"" +
         Number(radius * kScale) + "\" fill=\"" + std::string(fill) + "\" stroke=\"" +
         std::string(stroke) + "\"/>\n";
}

void Line(std::string& svg, const Frame& frame, double x1, double y1, double x2, double y2,
          double width) {
  svg += "<line x1=\"" + Number(frame.X(x1)) + "\" y1=\"" + Number(frame.Y(y1)) + "\" x2=\"" +
         Number(frame.X(x2)) + "\" y2=\"" + Number(frame.Y(y2)) +
         "\" stroke=\"#333\" stroke-width=\"" + Number(width) + "\"/>\n";
}

}  // namespace

std::string DrawPositionSvg(const PositionPicture& picture) {
  const int delivered = std::clamp(picture.delivered, 0, 16);
  double bottomY = kBottomY;
  for (int i = 0; i < delivered; ++i) {
    if (StoneInPlay(picture.stones[i])) {
      bottomY = std::max(bottomY, static_cast<double>(picture.stones[i].y) + 0.3);
    }
  }
  std::vector<std::string> titleLines;
  for (size_t start = 0; start <= picture.title.size();) {
    const size_t end = std::min(picture.title.find('\n', start), picture.title.size());
    titleLines.push_back(picture.title.substr(start, end - start));
    start = end + 1;
  }
  const Frame frame{kTitleLineHeight * static_cast<double>(titleLines.size()) + 6.0};
  const double width = kSheetWidth * kScale + 2 * kMargin;
  const double sheetBottom = frame.Y(bottomY);
  const double height = sheetBottom + kMargin + kLegendHeight;

  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) + "\" height=\"" +
         Number(height) + "\" viewBox=\"0 0 " + Number(width) + " " + Number(height) +
         "\" font-family=\"sans-serif\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  for (size_t line = 0; line < titleLines.size(); ++line) {
    svg += "<text x=\"" + Number(kMargin) + "\" y=\"" +
           Number(kTitleLineHeight * static_cast<double>(line + 1) + 4.0) + "\" font-size=\"14\">" +
           MarkupEscaped(titleLines[line]) + "</text>\n";
  }
  // The ice, from side line to side line.
  svg += "<rect x=\"" + Number(frame.X(0)) + "\" y=\"" + Number(frame.Y(kTopY)) + "\" width=\"" +
         Number(kSheetWidth * kScale) + "\" height=\"" + Number(sheetBottom - frame.Y(kTopY)) +
         "\" fill=\"#f3f7fa\" stroke=\"#333\"/>\n";
  // Rings: twelve, eight and four feet, and the button.
  Circle(svg, frame, kTeeX, kTeeY, kHouseRadius, "#3b6fc4", "#333");
  Circle(svg, frame, kTeeX, kTeeY, kEightFootRadius, "white", "#333");
  Circle(svg, frame, kTeeX, kTeeY, kFourFootRadius, "#c83c3c", "#333");
  Circle(svg, frame, kTeeX, kTeeY, kButtonRadius, "white", "#333");
  Line(svg, frame, 0, kTeeY, kSheetWidth, kTeeY, 1);              // tee line
  Line(svg, frame, kTeeX, kTopY, kTeeX, bottomY, 1);              // centre line
  Line(svg, frame, 0, kBackLineY, kSheetWidth, kBackLineY, 1.5);  // back line
  Line(svg, frame, 0, kFarHogY, kSheetWidth, kFarHogY, 3);        // hog line

  for (int i = 0; i < delivered; ++i) {
    const StonePos stone = picture.stones[i];
    if (!StoneInPlay(stone)) continue;
    const PictureSide& side = i % 2 == 0 ? picture.firstSide : picture.secondSide;
    Circle(svg, frame, stone.x, stone.y, kStoneRadius, "#8c8c8c", "#222");
    Circle(svg, frame, stone.x, stone.y, kStoneRadius * 0.7, side.colour, "#222");
    svg += "<text x=\"" + Number(frame.X(stone.x)) + "\" y=\"" + Number(frame.Y(stone.y) + 4.5) +
           "\" font-size=\"12\" text-anchor=\"middle\" fill=\"black\">" + std::to_string(i) +
           "</text>\n";
  }

  // Legend: whose colour is whose; the numbers are shot numbers of the end.
  const double legendY = sheetBottom + kMargin + 4;
  const PictureSide* sides[2] = {&picture.firstSide, &picture.secondSide};
  for (int s = 0; s < 2; ++s) {
    const double y = legendY + s * 18.0;
    svg += "<circle cx=\"" + Number(kMargin + 7) + "\" cy=\"" + Number(y) + "\" r=\"7\" fill=\"" +
           MarkupEscaped(sides[s]->colour) + "\" stroke=\"#222\"/>\n";
    svg += "<text x=\"" + Number(kMargin + 20) + "\" y=\"" + Number(y + 4.5) +
           "\" font-size=\"13\">" + MarkupEscaped(sides[s]->label) +
           (s == 0 ? " (even shot numbers)" : " (odd shot numbers)") + "</text>\n";
  }
  svg += "</svg>\n";
  return svg;
}

std::string MarkupEscaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace drawing
