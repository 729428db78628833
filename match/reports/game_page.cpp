#include "match/reports/game_page.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "match/records/record_json.h"
#include "match/records/text_file.h"
#include "simulator/sheet.h"
#include "tools/position_svg.h"

namespace {

// The sheet shown: from behind the back line to beyond the far hog line, in
// metres along it; stones are drawn in centimetres, the view box's unit.
constexpr double kViewTopY = 2.6;
constexpr double kViewBottomY = 12.0;

std::string Number(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
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

bool InPlay(StonePos stone) {
  return !(stone.x == 0.0f && stone.y == 0.0f);
}

// The lowest edge of the view: the usual one, or below the farthest stone
// that lies beyond it.
double ViewBottom(const ReplayedGame& game) {
  double bottom = kViewBottomY;
  for (const ReplayedDelivery& delivery : game.deliveries) {
    for (const StonePos& stone : delivery.result.after.stones) {
      if (InPlay(stone)) bottom = std::max(bottom, static_cast<double>(stone.y) + 0.3);
    }
  }
  return bottom;
}

// A stone's path as [slot, leftPlay, [t, x, y, ...]] in centiseconds and
// centimetres, from the last sample before it comes into view.
RecordJson PathData(const DeliveryMotion& motion, int slot, double bottom) {
  const StonePath& path = motion.paths.stones[slot];
  const PathSample* samples = motion.samples.data() + path.first;
  int from = 0;
  for (int k = 0; k < path.count; ++k) {
    if (samples[k].y > bottom) from = k;
  }
  RecordJson points = RecordJson::array();
  for (int k = from; k < path.count; ++k) {
    points.push_back(std::lround(samples[k].time * 100.0f));
    points.push_back(std::lround(samples[k].x * 100.0f));
    points.push_back(std::lround(samples[k].y * 100.0f));
  }
  return RecordJson::array({slot, path.leftPlay, std::move(points)});
}

RecordJson DeliveryData(const ReplayedDelivery& delivery, double bottom) {
  RecordJson after = RecordJson::array();
  for (const StonePos& stone : delivery.result.after.stones) {
    after.push_back(JsonFloat(stone.x));
    after.push_back(JsonFloat(stone.y));
  }
  RecordJson paths = RecordJson::array();
  for (int slot = 0; slot < 16; ++slot) {
    if (delivery.motion.paths.stones[slot].count > 0) {
      paths.push_back(PathData(delivery.motion, slot, bottom));
    }
  }
  RecordJson data;
  data["end"] = delivery.end;
  data["shot"] = delivery.shot;
  data["player"] = delivery.player;
  data["reply"] = JsonBytes(delivery.reply);
  data["ms"] = delivery.timeMs;
  data["requested"] =
      RecordJson::array({JsonFloat(delivery.requested.vx), JsonFloat(delivery.requested.vy),
                         delivery.requested.spin});
  data["executed"] = RecordJson::array(
      {JsonDouble(delivery.result.executedVx), JsonDouble(delivery.result.executedVy)});
  data["endClosed"] = delivery.result.endClosed;
  data["after"] = std::move(after);
  data["paths"] = std::move(paths);
  return data;
}

int EndColumns(const ReplayedGame& game) {
  int columns = std::max(game.score.regularEnds, game.score.endsPlayed);
  if (!game.deliveries.empty()) columns = std::max(columns, game.deliveries.back().end + 1);
  return columns;
}

std::string GameData(const ReplayedGame& game, double bottom) {
  const LineScore& score = game.score;
  RecordJson endPoints = RecordJson::array();
  RecordJson endFirst = RecordJson::array();
  for (int e = 0; e < score.endsPlayed; ++e) {
    endPoints.push_back(RecordJson::array({score.endPoints[e][0], score.endPoints[e][1]}));
    endFirst.push_back(score.endFirst[e]);
  }
  RecordJson deliveries = RecordJson::array();
  for (const ReplayedDelivery& delivery : game.deliveries) {
    deliveries.push_back(DeliveryData(delivery, bottom));
  }
  RecordJson data;
  data["names"] = RecordJson::array({JsonBytes(game.names[0]), JsonBytes(game.names[1])});
  data["sideA"] = score.sideAPlayer;
  data["endColumns"] = EndColumns(game);
  data["stoneRadius"] = JsonDouble(kStoneRadius);
  data["endPoints"] = std::move(endPoints);
  data["endFirst"] = std::move(endFirst);
  data["deliveries"] = std::move(deliveries);
  return ScriptSafe(JsonText(data));
}

std::string ResultText(const ReplayedGame& game) {
  const std::string points =
      std::to_string(game.score.points[0]) + "-" + std::to_string(game.score.points[1]);
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

std::string SheetSvg(double bottom) {
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

constexpr const char* kHead = R"page(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>@TITLE@</title>
<style>
body { margin: 0; padding: 0.5rem; font-family: system-ui, sans-serif; color: #222; background: #fafafa; }
h1 { font-size: 1.2rem; margin: 0.2rem 0; }
.result { margin: 0 0 0.5rem; }
.layout { display: flex; flex-wrap: wrap; gap: 1rem; align-items: flex-start; }
.sheet-box { flex: 1 1 18rem; max-width: 30rem; }
.sheet-box svg { width: 100%; height: auto; display: block; background: #fff; touch-action: manipulation; }
.panel { flex: 1 1 18rem; min-width: 0; }
.controls { display: flex; flex-wrap: wrap; gap: 0.3rem; margin: 0.5rem 0; align-items: center; }
.controls button, .controls select { font-size: 1rem; min-height: 2.4rem; min-width: 2.6rem; }
.score-box { overflow-x: auto; }
table { border-collapse: collapse; font-variant-numeric: tabular-nums; }
th, td { border: 1px solid #bbb; padding: 0.15rem 0.35rem; text-align: center; }
th.name { text-align: left; white-space: nowrap; max-width: 12rem; overflow: hidden; text-overflow: ellipsis; }
th.current { background: #dde8f7; }
.end-button { font: inherit; border: none; background: none; cursor: pointer; padding: 0.2rem 0.4rem; text-decoration: underline; }
.swatch { display: inline-block; width: 0.8em; height: 0.8em; border-radius: 50%; margin-right: 0.3em; border: 1px solid #333; }
dl { display: grid; grid-template-columns: max-content 1fr; gap: 0.2rem 0.6rem; margin: 0.5rem 0; }
dt { font-weight: 600; }
dd { margin: 0; overflow-wrap: anywhere; }
#reply { font-family: ui-monospace, monospace; }
.stone { stroke: #555; stroke-width: 4; }
.stone-label { font-size: 13px; text-anchor: middle; pointer-events: none; fill: #111; font-family: sans-serif; }
.note { color: #555; font-size: 0.85rem; }
</style>
</head>
<body>
)page";

constexpr const char* kBody = R"page(<div class="layout">
<div class="sheet-box">
@SHEET@</div>
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
<p class="note">Ends and shots count from 0, as in the game's record; a link to a delivery ends in
#end=E&amp;shot=S. * marks the side with the hammer. The position shown is the one the delivery
left; Play shows how the stones got there. Keys: &#x2190; &#x2192; step, Home and End, Space plays.</p>
</div>
</div>
)page";

constexpr const char* kScript = R"page((function () {
  'use strict';
  var game = JSON.parse(document.getElementById('game-data').textContent);
  var deliveries = game.deliveries;
  var svgNs = 'http://www.w3.org/2000/svg';
  var colours = ['#d62728', '#f2c200'];
  var index = 0;
  var animation = null;
  var $ = function (id) { return document.getElementById(id); };

  // One circle and one number per slot, placed in centimetres: the sheet's
  // metres times 100, as the view box is.
  var stones = [];
  var labels = [];
  for (var slot = 0; slot < 16; slot++) {
    var circle = document.createElementNS(svgNs, 'circle');
    circle.setAttribute('class', 'stone');
    circle.setAttribute('r', game.stoneRadius * 100);
    circle.setAttribute('data-slot', slot);
    var label = document.createElementNS(svgNs, 'text');
    label.setAttribute('class', 'stone-label');
    label.textContent = slot;
    $('stones').appendChild(circle);
    $('stones').appendChild(label);
    stones.push(circle);
    labels.push(label);
  }

  function firstInEnd(end) {
    for (var k = 0; k < deliveries.length; k++) {
      if (deliveries[k].end === end && deliveries[k].shot === 0) return deliveries[k].player;
    }
    return game.sideA;
  }

  function placeStone(slot, x, y, player) {
    var circle = stones[slot];
    var label = labels[slot];
    if (x === null) {
      circle.style.display = 'none';
      label.style.display = 'none';
      return;
    }
    circle.style.display = '';
    label.style.display = '';
    circle.setAttribute('cx', (x * 100).toFixed(1));
    circle.setAttribute('cy', (y * 100).toFixed(1));
    circle.setAttribute('fill', colours[player]);
    circle.setAttribute('data-player', player + 1);
    label.setAttribute('x', (x * 100).toFixed(1));
    label.setAttribute('y', (y * 100 + 5).toFixed(1));
  }

  // The position before delivery k: empty at an end's first shot.
  function before(k) {
    var d = deliveries[k];
    return d.shot === 0 || k === 0 ? null : deliveries[k - 1].after;
  }

  function drawPosition(k, stonesOf) {
    var d = deliveries[k];
    var first = firstInEnd(d.end);
    for (var slot = 0; slot < 16; slot++) {
      var player = slot % 2 === 0 ? first : 1 - first;
      var x = stonesOf ? stonesOf[2 * slot] : 0;
      var y = stonesOf ? stonesOf[2 * slot + 1] : 0;
      var inPlay = stonesOf !== null && (x !== 0 || y !== 0);
      placeStone(slot, inPlay ? x : null, y, player);
    }
  }

  function text(id, value) { $(id).textContent = value; }

  function sideName(player) {
    return (player === game.sideA ? 'A' : 'B') + ': ' + game.names[player] + ' (player ' + (player + 1) + ')';
  }

  // Bytes outside printable ASCII as \xNN, so that a reply shows as received.
  function shownReply(reply) {
    var out = '';
    for (var i = 0; i < reply.length; i++) {
      var code = reply.charCodeAt(i);
      if (code >= 32 && code < 127) out += reply.charAt(i);
      else out += '\\x' + (code < 16 ? '0' : '') + code.toString(16);
    }
    return out;
  }

  function endComplete(end, k) {
    var d = deliveries[k];
    return end < d.end || (end === d.end && d.endClosed);
  }

  function drawLineScore(k) {
    var table = $('line-score');
    var ends = game.endColumns;
    var html = '<tr><th scope="col">End</th>';
    for (var e = 0; e < ends; e++) {
      var current = deliveries.length > 0 && deliveries[k].end === e ? ' class="current"' : '';
      html += '<th scope="col"' + current + '><button type="button" class="end-button" data-end="' + e +
          '">' + e + '</button></th>';
    }
    html += '<th scope="col">Total</th></tr>';
    var rows = [game.sideA, 1 - game.sideA];
    for (var r = 0; r < 2; r++) {
      var player = rows[r];
      var total = 0;
      html += '<tr><th scope="row" class="name"><span class="swatch" style="background:' + colours[player] +
          '"></span>' + (player === game.sideA ? 'A ' : 'B ') + escapeHtml(game.names[player]) + '</th>';
      for (e = 0; e < ends; e++) {
        var cell = '';
        if (e < game.endFirst.length && deliveries.length > 0 && endComplete(e, k)) {
          var points = game.endPoints[e][player];
          total += points;
          cell = String(points) + (game.endFirst[e] !== player ? '*' : '');
        }
        html += '<td>' + cell + '</td>';
      }
      html += '<td class="total">' + total + '</td></tr>';
    }
    table.innerHTML = html;
  }

  function escapeHtml(value) {
    return value.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
  }

  function show(k) {
    stopAnimation();
    if (deliveries.length === 0) {
      text('where', 'No delivery was played');
      drawLineScore(0);
      return;
    }
    index = Math.max(0, Math.min(deliveries.length - 1, k));
    var d = deliveries[index];
    drawPosition(index, d.after);
    text('where', 'End ' + d.end + ', shot ' + d.shot);
    text('count', 'Delivery ' + (index + 1) + ' of ' + deliveries.length);
    text('side', sideName(d.player));
    text('reply', shownReply(d.reply));
    text('time', (d.ms / 1000).toFixed(3) + ' s');
    text('requested', 'vx ' + d.requested[0] + ', vy ' + d.requested[1] + ', spin ' + d.requested[2]);
    text('executed', 'vx ' + d.executed[0].toFixed(4) + ', vy ' + d.executed[1].toFixed(4));
    $('first').disabled = $('previous').disabled = index === 0;
    $('last').disabled = $('next').disabled = index === deliveries.length - 1;
    $('end-select').value = String(d.end);
    drawLineScore(index);
    var hash = '#end=' + d.end + '&shot=' + d.shot;
    if (location.hash !== hash) history.replaceState(null, '', hash);
  }

  // A stone's place at time t on its path [t, x, y, ...] (centiseconds, cm).
  function onPath(samples, t) {
    var n = samples.length / 3;
    if (t <= samples[0] / 100) return [samples[1] / 100, samples[2] / 100];
    for (var i = 1; i < n; i++) {
      var t1 = samples[3 * i] / 100;
      if (t <= t1) {
        var t0 = samples[3 * i - 3] / 100;
        var f = t1 > t0 ? (t - t0) / (t1 - t0) : 1;
        return [(samples[3 * i - 2] + f * (samples[3 * i + 1] - samples[3 * i - 2])) / 100,
                (samples[3 * i - 1] + f * (samples[3 * i + 2] - samples[3 * i - 1])) / 100];
      }
    }
    return [samples[3 * n - 2] / 100, samples[3 * n - 1] / 100];
  }

  function stopAnimation() {
    if (animation !== null) cancelAnimationFrame(animation.frame);
    animation = null;
    $('play').textContent = 'Play';
  }

  function play() {
    if (deliveries.length === 0) return;
    show(index);
    var k = index;
    var d = deliveries[k];
    var start = Infinity;
    var stop = 0;
    d.paths.forEach(function (path) {
      start = Math.min(start, path[2][0] / 100);
      stop = Math.max(stop, path[2][path[2].length - 3] / 100);
    });
    if (d.paths.length === 0) start = 0;
    var speed = Number($('speed').value);
    var startPosition = before(k);
    var first = firstInEnd(d.end);
    var began = null;
    $('play').textContent = 'Stop';
    var frame = function (now) {
      if (began === null) began = now;
      var t = start + (now - began) / 1000 * speed;
      drawPosition(k, startPosition);
      d.paths.forEach(function (path) {
        var slot = path[0];
        var samples = path[2];
        var player = slot % 2 === 0 ? first : 1 - first;
        if (path[1] === 1 && t >= samples[samples.length - 3] / 100) {
          placeStone(slot, null, 0, player);
        } else {
          var p = onPath(samples, t);
          placeStone(slot, p[0], p[1], player);
        }
      });
      if (t < stop) {
        animation.frame = requestAnimationFrame(frame);
        return;
      }
      animation = null;
      show(k);
      if ($('play-on').checked && k + 1 < deliveries.length) {
        show(k + 1);
        play();
      }
    };
    animation = {frame: requestAnimationFrame(frame)};
  }

  function openHash() {
    var end = /[#&]end=(\d+)/.exec(location.hash);
    var shot = /[#&]shot=(\d+)/.exec(location.hash);
    if (end === null) return false;
    for (var k = 0; k < deliveries.length; k++) {
      var d = deliveries[k];
      if (d.end === Number(end[1]) && (shot === null ? d.shot === 0 : d.shot === Number(shot[1]))) {
        show(k);
        return true;
      }
    }
    return false;
  }

  function firstOfEnd(end) {
    for (var k = 0; k < deliveries.length; k++) {
      if (deliveries[k].end === end) return k;
    }
    return index;
  }

  var select = $('end-select');
  for (var e = 0; e < game.endColumns; e++) {
    var option = document.createElement('option');
    option.value = String(e);
    option.textContent = 'End ' + e;
    select.appendChild(option);
  }
  select.addEventListener('change', function () { show(firstOfEnd(Number(select.value))); });
  $('first').addEventListener('click', function () { show(0); });
  $('previous').addEventListener('click', function () { show(index - 1); });
  $('next').addEventListener('click', function () { show(index + 1); });
  $('last').addEventListener('click', function () { show(deliveries.length - 1); });
  $('play').addEventListener('click', function () {
    if (animation !== null) stopAnimation();
    else play();
  });
  $('line-score').addEventListener('click', function (event) {
    var end = event.target.getAttribute('data-end');
    if (end !== null) show(firstOfEnd(Number(end)));
  });
  document.addEventListener('keydown', function (event) {
    var tag = event.target.tagName;
    if (tag === 'SELECT' || event.altKey || event.ctrlKey || event.metaKey) return;
    var moves = {ArrowRight: index + 1, ArrowLeft: index - 1, Home: 0, End: deliveries.length - 1};
    if (event.key in moves) {
      show(moves[event.key]);
      event.preventDefault();
    } else if (event.key === ' ' && tag !== 'BUTTON') {
      if (animation !== null) stopAnimation();
      else play();
      event.preventDefault();
    }
  });
  window.addEventListener('hashchange', openHash);
  if (!openHash()) show(0);
}());
)page";

void ReplaceAll(std::string& text, const std::string& marker, const std::string& value) {
  for (size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + value.size())) {
    text.replace(at, marker.size(), value);
  }
}

}  // namespace

std::string GamePageHtml(const ReplayedGame& game) {
  const std::string title =
      "Game " + std::to_string(game.gameNumber) + ": " + game.names[0] + " v " + game.names[1];
  const double bottom = ViewBottom(game);
  std::string page = kHead;
  ReplaceAll(page, "@TITLE@", MarkupEscaped(title));
  page += "<h1>" + MarkupEscaped(title) + "</h1>\n<p class=\"result\">" +
          MarkupEscaped(ResultText(game)) + "</p>\n";
  std::string body = kBody;
  ReplaceAll(body, "@SHEET@", SheetSvg(bottom));
  page += body;
  page += "<script id=\"game-data\" type=\"application/json\">" + GameData(game, bottom) +
          "</script>\n<script>\n";
  page += kScript;
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

bool WriteGamePage(const std::string& recordPath, const std::string& pagePath, std::string& error) {
  ReplayedGame game;
  std::string report;
  if (!ReplayRecord(recordPath, report, &game, kPagePathStep)) {
    error = report.substr(0, report.find_last_not_of('\n') + 1);
    return false;
  }
  const std::string page = GamePageHtml(game);
  const std::string temporary = pagePath + ".part";
  // The file system's rename replaces an earlier page, on Windows too.
  std::error_code renamed;
  if (WriteTextFile(temporary, page, error)) {
    std::filesystem::rename(temporary, pagePath, renamed);
    if (!renamed) return true;
    error = "cannot write " + pagePath;
  }
  std::remove(temporary.c_str());
  return false;
}
