// The game page's parts that touch no document: reading a link, the texts and
// the line score the page shows, and a stone's place on its path. The page
// runs this file before its own script; Node's test runner requires it.
//
// The game's data counts ends, shots and stone slots from 0, as the record
// does, and so does a link (#end=1&shot=12); a person reads them counted from
// 1, as on the scoreboard (end 2, shot 13).
var GamePageParts = (function () {
  'use strict';

  var colours = ['#d62728', '#f2c200'];

  // An end's, a shot's or a slot's number as people count: from 1.
  function shownNumber(index) {
    return index + 1;
  }

  function whereText(delivery) {
    return 'End ' + shownNumber(delivery.end) + ', shot ' + shownNumber(delivery.shot);
  }

  function linkOf(delivery) {
    return '#end=' + delivery.end + '&shot=' + delivery.shot;
  }

  // The delivery a link names, as the record counts: {end, shot}, the end's
  // first shot when the link names only the end; null without an end.
  function readLink(hash) {
    var end = /[#&]end=(\d+)/.exec(hash);
    var shot = /[#&]shot=(\d+)/.exec(hash);
    if (end === null) return null;
    return {end: Number(end[1]), shot: shot === null ? 0 : Number(shot[1])};
  }

  // The index of the delivery at the record's end and shot, or -1.
  function deliveryIndex(deliveries, end, shot) {
    for (var k = 0; k < deliveries.length; k++) {
      if (deliveries[k].end === end && deliveries[k].shot === shot) return k;
    }
    return -1;
  }

  // The index of the end's first delivery played, or -1.
  function firstOfEnd(deliveries, end) {
    for (var k = 0; k < deliveries.length; k++) {
      if (deliveries[k].end === end) return k;
    }
    return -1;
  }

  // The player who delivered the end's first stone; side A when the end was
  // never started.
  function firstInEnd(game, end) {
    var k = deliveryIndex(game.deliveries, end, 0);
    return k < 0 ? game.sideA : game.deliveries[k].player;
  }

  // Slots alternate between the players from the one first in the end.
  function slotPlayer(slot, first) {
    return slot % 2 === 0 ? first : 1 - first;
  }

  function sideName(game, player) {
    return (player === game.sideA ? 'A' : 'B') + ': ' + game.names[player] + ' (player ' +
        (player + 1) + ')';
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

  function escapeHtml(value) {
    return value.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
        .replace(/"/g, '&quot;');
  }

  // Whether the end's points are known once delivery k is shown.
  function endComplete(deliveries, end, k) {
    var d = deliveries[k];
    return end < d.end || (end === d.end && d.endClosed);
  }

  // The line score up to delivery k, as table rows: side A first, the ends
  // numbered as people count them (each a button that jumps to the end, by
  // its index in the record), a star for the side with the hammer.
  function lineScoreHtml(game, k) {
    var deliveries = game.deliveries;
    var ends = game.endColumns;
    var html = '<tr><th scope="col">End</th>';
    for (var e = 0; e < ends; e++) {
      var current = deliveries.length > 0 && deliveries[k].end === e ? ' class="current"' : '';
      html += '<th scope="col"' + current + '><button type="button" class="end-button" data-end="' +
          e + '">' + shownNumber(e) + '</button></th>';
    }
    html += '<th scope="col">Total</th></tr>';
    var rows = [game.sideA, 1 - game.sideA];
    for (var r = 0; r < 2; r++) {
      var player = rows[r];
      var total = 0;
      html += '<tr><th scope="row" class="name"><span class="swatch" style="background:' +
          colours[player] + '"></span>' + (player === game.sideA ? 'A ' : 'B ') +
          escapeHtml(game.names[player]) + '</th>';
      for (e = 0; e < ends; e++) {
        var cell = '';
        if (e < game.endFirst.length && deliveries.length > 0 && endComplete(deliveries, e, k)) {
          var points = game.endPoints[e][player];
          total += points;
          cell = String(points) + (game.endFirst[e] !== player ? '*' : '');
        }
        html += '<td>' + cell + '</td>';
      }
      html += '<td class="total">' + total + '</td></tr>';
    }
    return html;
  }

  // A stone's place [x, y] in metres at time t (seconds) on its path
  // [t, x, y, ...] (centiseconds, centimetres): where it starts before the
  // path begins, between samples on the straight line, where it stops after.
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

  // The times (seconds) from the first stone coming into view to the last
  // coming to rest, over a delivery's paths [slot, leftPlay, samples].
  function playTimes(paths) {
    if (paths.length === 0) return {start: 0, stop: 0};
    var start = Infinity;
    var stop = 0;
    paths.forEach(function (path) {
      start = Math.min(start, path[2][0] / 100);
      stop = Math.max(stop, path[2][path[2].length - 3] / 100);
    });
    return {start: start, stop: stop};
  }

  // Where each stone of a delivery's paths [slot, leftPlay, samples] is at
  // time t (seconds): [slot, x, y, player], x null once a stone that leaves
  // play has reached its path's end. `first` is the end's first player.
  function stonesOnPaths(paths, t, first) {
    return paths.map(function (path) {
      var slot = path[0];
      var samples = path[2];
      var player = slotPlayer(slot, first);
      if (path[1] === 1 && t >= samples[samples.length - 3] / 100) return [slot, null, 0, player];
      var p = onPath(samples, t);
      return [slot, p[0], p[1], player];
    });
  }

  // The graph of player 1's chances of winning, in the units of a view box
  // `width` by `height` with `margin` all round: one point per delivery,
  // evenly spaced from left to right, a chance of 1 at the top.
  function chancePoints(chances, width, height, margin) {
    var n = chances.length;
    var step = n > 1 ? (width - 2 * margin) / (n - 1) : 0;
    return chances.map(function (chance, k) {
      var x = n > 1 ? margin + k * step : width / 2;
      return {x: x, y: margin + (1 - chance) * (height - 2 * margin)};
    });
  }

  // The index of the point nearest across to x, or -1 without points.
  function nearestPoint(points, x) {
    var best = -1;
    for (var k = 0; k < points.length; k++) {
      if (best < 0 || Math.abs(points[k].x - x) < Math.abs(points[best].x - x)) best = k;
    }
    return best;
  }

  // The deliveries that begin an end after the first, where the graph marks
  // the end's start.
  function endStarts(deliveries) {
    var starts = [];
    for (var k = 1; k < deliveries.length; k++) {
      if (deliveries[k].end !== deliveries[k - 1].end) starts.push(k);
    }
    return starts;
  }

  function chanceText(game, delivery, chance) {
    return whereText(delivery) + ': ' + game.names[0] + ' (player 1) ' +
        Math.round(chance * 100) + '% to win';
  }

  return {
    colours: colours,
    shownNumber: shownNumber,
    whereText: whereText,
    linkOf: linkOf,
    readLink: readLink,
    deliveryIndex: deliveryIndex,
    firstOfEnd: firstOfEnd,
    firstInEnd: firstInEnd,
    slotPlayer: slotPlayer,
    sideName: sideName,
    shownReply: shownReply,
    escapeHtml: escapeHtml,
    lineScoreHtml: lineScoreHtml,
    onPath: onPath,
    playTimes: playTimes,
    stonesOnPaths: stonesOnPaths,
    chancePoints: chancePoints,
    nearestPoint: nearestPoint,
    endStarts: endStarts,
    chanceText: chanceText
  };
}());

if (typeof module !== 'undefined') module.exports = GamePageParts;
