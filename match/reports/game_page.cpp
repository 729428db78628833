#include "match/reports/game_page.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "drawing/position_svg.h"
#include "match/engines/number_text.h"
#include "match/records/record_json.h"
#include "match/records/text_file.h"
#include "match/reports/game_page_files.h"  // generated: kPageStyle, kPagePartsScript, kPageScript
#include "simulator/sheet.h"

namespace match::reports {

namespace {

// The sheet shown: from behind the back line to beyond the far hog line, in
// metres along it; stones are drawn in centimetres, the view box's unit.
constexpr double kViewTopY = 2.6;

std::string Number(double value) {
  return engines::ShortestText(value);
}

std::string Centimetres(double metres) {
  return Number(
      static_cast<double>(static_cast<long>(metres * 1000.0 + (metres < 0 ? -0.5 : 0.5))) / 10.0);
}

// The page's data block: the game as JSON, with '<', '>' and '&' (which can
// stand only inside its strings) escaped, so that no text closes the script
// element.
std::string ScriptSafe(const std::string& json) {
  std::string out;
  for (const char c : json) {
    if (c == '<') {
      out += "\\u003c";
    } else if (c == '>') {
      out += "\\u003e";
    } else if (c == '&') {
      out += "\\u0026";
    } else {
      out += c;
    }
  }
  return out;
}

// The lowest edge of the view: the usual one, or below the farthest stone
// that lies beyond it.
double ViewBottom(const records::ReplayedGame& game) {
  double bottom = kPageViewBottomY;
  for (const records::ReplayedDelivery& delivery : game.deliveries) {
    for (const StonePos& stone : delivery.result.after.stones) {
      if (StoneInPlay(stone)) bottom = std::max(bottom, static_cast<double>(stone.y) + 0.3);
    }
  }
  return bottom;
}

records::RecordJson DeliveryData(const records::ReplayedDelivery& delivery, double bottom) {
  records::RecordJson after = records::RecordJson::array();
  for (const StonePos& stone : delivery.result.after.stones) {
    after.push_back(records::JsonFloat(stone.x));
    after.push_back(records::JsonFloat(stone.y));
  }
  records::RecordJson paths = records::RecordJson::array();
  for (int slot = 0; slot < 16; ++slot) {
    if (delivery.motion.paths.stones[slot].count > 0) {
      paths.push_back(GamePageStonePath(delivery.motion, slot, bottom));
    }
  }
  records::RecordJson data;
  data["end"] = delivery.end;
  data["shot"] = delivery.shot;
  data["player"] = delivery.player;
  data["reply"] = records::JsonBytes(delivery.reply);
  data["ms"] = delivery.timeMs;
  data["requested"] = records::RecordJson::array({records::JsonFloat(delivery.requested.vx),
                                                  records::JsonFloat(delivery.requested.vy),
                                                  delivery.requested.spin});
  data["executed"] = records::RecordJson::array({records::JsonDouble(delivery.result.executedVx),
                                                 records::JsonDouble(delivery.result.executedVy)});
  data["endClosed"] = delivery.result.endClosed;
  data["after"] = std::move(after);
  data["paths"] = std::move(paths);
  return data;
}

int EndColumns(const records::ReplayedGame& game) {
  int columns = std::max(game.score.regularEnds, game.score.endsPlayed);
  if (!game.deliveries.empty()) columns = std::max(columns, game.deliveries.back().end + 1);
  return columns;
}

std::string GameData(const records::ReplayedGame& game, double bottom,
                     HammerWinChanceFn winChance) {
  const game::LineScore& score = game.score;
  records::RecordJson endPoints = records::RecordJson::array();
  records::RecordJson endFirst = records::RecordJson::array();
  for (int e = 0; e < score.endsPlayed; ++e) {
    endPoints.push_back(records::RecordJson::array({score.endPoints[e][0], score.endPoints[e][1]}));
    endFirst.push_back(score.endFirst[e]);
  }
  records::RecordJson deliveries = records::RecordJson::array();
  for (const records::ReplayedDelivery& delivery : game.deliveries) {
    deliveries.push_back(DeliveryData(delivery, bottom));
  }
  records::RecordJson data;
  data["names"] = records::RecordJson::array(
      {records::JsonBytes(game.names[0]), records::JsonBytes(game.names[1])});
  data["sideA"] = score.sideAPlayer;
  data["endColumns"] = EndColumns(game);
  data["stoneRadius"] = records::JsonDouble(kStoneRadius);
  data["endPoints"] = std::move(endPoints);
  data["endFirst"] = std::move(endFirst);
  data["deliveries"] = std::move(deliveries);
  // Without an evaluation the page has no graph, and the data no chances.
  if (winChance != nullptr) {
    records::RecordJson chances = records::RecordJson::array();
    for (const double chance : PlayerOneWinChances(game, winChance)) {
      chances.push_back(records::JsonRounded(chance, 4));
    }
    data["winChances"] = std::move(chances);
  }
  return ScriptSafe(records::JsonText(data));
}

// The winner's points first, as the scoreboard gives them; otherwise player 1's.
std::string ResultText(const records::ReplayedGame& game) {
  const int first = game.winner == 1 ? 1 : 0;
  const std::string points = std::to_string(game.score.points[first]) + "\u2013" +
                             std::to_string(game.score.points[1 - first]);
  if (game.winner == 0 || game.winner == 1) {
    return game.names[game.winner] + " (player " + std::to_string(game.winner + 1) + ") wins " +
           points + " (" + game.reason + ")";
  }
  if (game.outcome == "draw") return "Drawn " + points;
  return "No result " + points + " (" + game.reason + ")";
}

std::string Circle(double x, double y, double radius, const char* fill) {
  return "<circle cx=\"" + Centimetres(x) + "\" cy=\"" + Centimetres(y) + "\" r=\"" +
         Centimetres(radius) + "\" fill=\"" + fill + "\" stroke=\"#333\" stroke-width=\"1\"/>\n";
}

std::string Line(double x1, double y1, double x2, double y2, double width) {
  return "<line x1=\"" + Centimetres(x1) + "\" y1=\"" + Centimetres(y1) + "\" x2=\"" +
         Centimetres(x2) + "\" y2=\"" + Centimetres(y2) + "\" stroke=\"#333\" stroke-width=\"" +
         Number(width) + "\"/>\n";
}

constexpr const char* kHead = R"page(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>@TITLE@</title>
<style>
@STYLE@</style>
</head>
<body>
)page";

constexpr const char* kBody = R"page(<div class="layout">
<div class="sheet-box">
@SHEET@<div id="chances"></div>
</div>
<div class="panel">
<div class="controls">
<button type="button" id="first" title="First delivery (Home)">|&#x25C0;</button>
<button type="button" id="previous" title="Previous delivery (&#x2190;)">&#x25C0;</button>
<button type="button" id="play" title="Play this delivery (Space)">Play</button>
<button type="button" id="next" title="Next delivery (&#x2192;)">&#x25B6;</button>
<button type="button" id="last" title="Last delivery (End)">&#x25B6;|</button>
<select id="end-select" aria-label="Jump to an end"></select>
<select id="speed" aria-label="Speed of play"><option value="1">1&#xD7;</option><option value="2" selected>2&#xD7;</option><option value="4">4&#xD7;</option><option value="8">8&#xD7;</option></select>
<label><input type="checkbox" id="play-on"> play on</label>
</div>
<div class="score-box"><table id="line-score"></table></div>
<dl>
<dt>Where</dt><dd id="where"></dd>
<dt>Delivery</dt><dd id="count"></dd>
<dt>Side</dt><dd id="side"></dd>
<dt>Reply</dt><dd id="reply"></dd>
<dt>Time</dt><dd id="time"></dd>
<dt>Asked</dt><dd id="requested"></dd>
<dt>Released</dt><dd id="executed"></dd>
</dl>
<p class="note">Ends, shots and stones count from 1, as on the scoreboard; the game's record
and a link to a delivery count them from 0, so end 2, shot 13 is #end=1&amp;shot=12. * marks the
side with the hammer. The position shown is the one the delivery left; Play shows how the stones got
there. Keys: &#x2190; &#x2192; step, Home and End, Space plays.</p>
</div>
</div>
)page";

void ReplaceAll(std::string& text, const std::string& marker, const std::string& value) {
  for (size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + value.size())) {
    text.replace(at, marker.size(), value);
  }
}

}  // namespace

std::vector<double> PlayerOneWinChances(const records::ReplayedGame& game,
                                        HammerWinChanceFn winChance) {
  const game::LineScore& score = game.score;
  std::vector<double> chances;
  chances.reserve(game.deliveries.size());
  for (const records::ReplayedDelivery& delivery : game.deliveries) {
    // The hammer delivers the end's odd shots.
    const int hammer = delivery.shot % 2 == 1 ? delivery.player : 1 - delivery.player;
    int hammerLead = 0;
    for (int e = 0; e < std::min(delivery.end, score.endsPlayed); ++e) {
      hammerLead += score.endPoints[e][hammer] - score.endPoints[e][1 - hammer];
    }
    const double chance = winChance(delivery.result.after, hammerLead);
    chances.push_back(hammer == 0 ? chance : 1.0 - chance);
  }
  return chances;
}

std::string GamePageHtml(const records::ReplayedGame& game, HammerWinChanceFn winChance) {
  const std::string title =
      "Game " + std::to_string(game.gameNumber) + ": " + game.names[0] + " v " + game.names[1];
  const double bottom = ViewBottom(game);
  std::string page = kHead;
  ReplaceAll(page, "@TITLE@", drawing::MarkupEscaped(title));
  ReplaceAll(page, "@STYLE@", kPageStyle);
  page += "<h1>" + drawing::MarkupEscaped(title) + "</h1>\n<p class=\"result\">" +
          drawing::MarkupEscaped(ResultText(game)) + "</p>\n";
  std::string body = kBody;
  ReplaceAll(body, "@SHEET@", GamePageSheet(bottom));
  page += body;
  page += "<script id=\"game-data\" type=\"application/json\">" +
          GameData(game, bottom, winChance) + "</script>\n<script>\n";
  page += kPagePartsScript;
  page += kPageScript;
  return page + "</script>\n</body>\n</html>\n";
}

std::string GamePagePath(const std::string& recordPath) {
  const std::string suffix = ".jsonl";
  if (recordPath.size() > suffix.size() &&
      recordPath.compare(recordPath.size() - suffix.size(), suffix.size(), suffix) == 0) {
    return recordPath.substr(0, recordPath.size() - suffix.size()) + ".html";
  }
  return recordPath + ".html";
}

bool WriteGamePage(const std::string& recordPath, const std::string& pagePath, std::string& error,
                   HammerWinChanceFn winChance) {
  records::ReplayedGame game;
  std::string report;
  if (!records::ReplayRecord(recordPath, report, &game, kPagePathStep)) {
    error = report.substr(0, report.find_last_not_of('\n') + 1);
    return false;
  }
  const std::string page = GamePageHtml(game, winChance);
  const std::string temporary = pagePath + ".part";
  // The file system's rename replaces an earlier page, on Windows too.
  std::error_code renamed;
  if (records::WriteTextFile(temporary, page, error)) {
    std::filesystem::rename(temporary, pagePath, renamed);
    if (!renamed) return true;
    error = "cannot write " + pagePath;
  }
  std::remove(temporary.c_str());
  return false;
}

records::RecordJson GamePageStonePath(const game::DeliveryMotion& motion, int slot, double bottom) {
  const StonePath& path = motion.paths.stones[slot];
  const PathSample* samples = motion.samples.data() + path.first;
  int from = 0;
  for (int k = 0; k < path.count; ++k) {
    if (samples[k].y > bottom) from = k;
  }
  records::RecordJson points = records::RecordJson::array();
  for (int k = from; k < path.count; ++k) {
    points.push_back(std::lround(samples[k].time * 100.0f));
    points.push_back(std::lround(samples[k].x * 100.0f));
    points.push_back(std::lround(samples[k].y * 100.0f));
  }
  return records::RecordJson::array({slot, path.leftPlay, std::move(points)});
}

std::string GamePageSheet(double bottom) {
  const double width = kSideLineRight - kSideLineLeft;
  std::string svg = "<svg id=\"sheet\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" +
                    Centimetres(kSideLineLeft) + " " + Centimetres(kViewTopY) + " " +
                    Centimetres(width) + " " + Centimetres(bottom - kViewTopY) +
                    "\" role=\"img\" aria-label=\"The sheet from behind the house to beyond the "
                    "hog line\">\n";
  svg += "<rect x=\"" + Centimetres(kSideLineLeft) + "\" y=\"" + Centimetres(kViewTopY) +
         "\" width=\"" + Centimetres(width) + "\" height=\"" + Centimetres(bottom - kViewTopY) +
         "\" fill=\"#f3f7fa\" stroke=\"#333\" stroke-width=\"2\"/>\n";
  svg += Circle(kTeeX, kTeeY, kHouseRadius, "#3b6fc4");
  svg += Circle(kTeeX, kTeeY, kEightFootRadius, "white");
  svg += Circle(kTeeX, kTeeY, kFourFootRadius, "#c83c3c");
  svg += Circle(kTeeX, kTeeY, kButtonRadius, "white");
  svg += Line(kSideLineLeft, kTeeY, kSideLineRight, kTeeY, 1);            // tee line
  svg += Line(kCentreLineX, kViewTopY, kCentreLineX, bottom, 1);          // centre line
  svg += Line(kSideLineLeft, kBackLineY, kSideLineRight, kBackLineY, 2);  // back line
  svg += Line(kSideLineLeft, kFarHogY, kSideLineRight, kFarHogY, 4);      // hog line
  return svg + "<g id=\"stones\"></g>\n</svg>\n";
}

}  // namespace match::reports
