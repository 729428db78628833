// The game page's parts that touch no document, under Node's test runner:
// links read as the record counts, the numbers people read counted from 1,
// the line score up to the delivery shown, replies byte for byte, and a
// stone's place along its path.
//
//   node --test tests/viewer/page_parts_test.js
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('path');
const parts = require(path.join(__dirname, '../../match/reports/game_page_parts.js'));

// Two ends of two deliveries each, the second end cut short; player 1 is
// side B and first in the first end, player 0 first in the second.
function delivery(end, shot, player, endClosed) {
  return {end, shot, player, endClosed, paths: []};
}
const game = {
  names: ['<red> & co', 'yellow'],
  sideA: 1,
  endColumns: 3,
  endPoints: [[0, 2], [1, 0]],
  endFirst: [1, 0],
  deliveries: [delivery(0, 0, 1, false), delivery(0, 1, 0, true), delivery(1, 0, 0, false),
               delivery(1, 1, 1, true)],
};

test('a link names the delivery as the record counts, from 0', () => {
  assert.deepEqual(parts.readLink('#end=1&shot=12'), {end: 1, shot: 12});
  assert.deepEqual(parts.readLink('#shot=12&end=1'), {end: 1, shot: 12});
  assert.deepEqual(parts.readLink('#end=3'), {end: 3, shot: 0});
  assert.deepEqual(parts.readLink('#end=10&shot=0'), {end: 10, shot: 0});
  for (const hash of ['', '#', '#shot=4', '#end=x&shot=1', '#theend=1&shot=1']) {
    assert.equal(parts.readLink(hash), null, hash);
  }
  for (const d of game.deliveries) assert.deepEqual(parts.readLink(parts.linkOf(d)), {end: d.end, shot: d.shot});
  assert.equal(parts.linkOf(game.deliveries[3]), '#end=1&shot=1');
});

test('deliveries are found by the record\'s end and shot', () => {
  const deliveries = game.deliveries;
  assert.equal(parts.deliveryIndex(deliveries, 1, 1), 3);
  assert.equal(parts.deliveryIndex(deliveries, 1, 2), -1);
  assert.equal(parts.deliveryIndex(deliveries, 2, 0), -1);
  assert.equal(parts.firstOfEnd(deliveries, 1), 2);
  assert.equal(parts.firstOfEnd(deliveries, 2), -1);
  assert.equal(parts.firstInEnd(game, 0), 1);
  assert.equal(parts.firstInEnd(game, 1), 0);
  assert.equal(parts.firstInEnd(game, 2), game.sideA, 'an end not started');
  assert.deepEqual([0, 1, 2, 15].map((slot) => parts.slotPlayer(slot, 1)), [1, 0, 1, 0]);
});

test('ends, shots and stones read counted from 1', () => {
  assert.equal(parts.whereText({end: 1, shot: 12}), 'End 2, shot 13');
  assert.equal(parts.whereText({end: 0, shot: 0}), 'End 1, shot 1');
  assert.equal(parts.shownNumber(15), 16);
  assert.equal(parts.sideName(game, 1), 'A: yellow (player 2)');
  assert.equal(parts.sideName(game, 0), 'B: <red> & co (player 1)');
});

// The line score's cells as text, row by row, from its markup.
function cells(html) {
  return html.split('</tr>').filter((row) => row).map((row) =>
    [...row.matchAll(/<t[hd][^>]*>(.*?)<\/t[hd]>/g)].map((m) => m[1].replace(/<[^>]*>/g, '')));
}

test('the line score numbers its ends from 1 and shows only the ends finished', () => {
  const html = parts.lineScoreHtml(game, 2);
  assert.deepEqual(cells(html), [
    ['End', '1', '2', '3', 'Total'],
    ['A yellow', '2', '', '', '2'],
    ['B &lt;red&gt; &amp; co', '0*', '', '', '0'],
  ]);
  // Each end's button opens the record's end, which counts from 0.
  assert.deepEqual([...html.matchAll(/data-end="(\d+)">(\d+)</g)].map((m) => [m[1], m[2]]),
                   [['0', '1'], ['1', '2'], ['2', '3']]);
  assert.match(html, /<th scope="col" class="current"><button[^>]*data-end="1"/);
  assert.equal((html.match(/class="current"/g) || []).length, 1);

  assert.deepEqual(cells(parts.lineScoreHtml(game, 3)).slice(1), [
    ['A yellow', '2', '0*', '', '2'],
    ['B &lt;red&gt; &amp; co', '0*', '1', '', '1'],
  ]);
  assert.deepEqual(cells(parts.lineScoreHtml(game, 0)).slice(1).map((row) => row.slice(1)),
                   [['', '', '', '0'], ['', '', '', '0']], 'before the first end is finished');
  const none = {...game, deliveries: [], endPoints: [], endFirst: []};
  assert.deepEqual(cells(parts.lineScoreHtml(none, 0))[0], ['End', '1', '2', '3', 'Total']);
});

test('a reply shows printable ASCII as it is and every other byte as \\xNN', () => {
  assert.equal(parts.shownReply('BESTSHOT 0.1 -2 0'), 'BESTSHOT 0.1 -2 0');
  assert.equal(parts.shownReply('a\r\n\x01\x7f\xff~ '), 'a\\x0d\\x0a\\x01\\x7f\\xff~ ');
  assert.equal(parts.shownReply(''), '');
});

test('a stone moves along its path from where it starts to where it stops', () => {
  // Centiseconds and centimetres: from (0, 1000) at 1 s to (10, 500) at 2 s,
  // still there at 3 s, then knocked to (30, 400) within the same sample.
  const samples = [100, 0, 1000, 200, 10, 500, 300, 10, 500, 300, 30, 400];
  const near = (actual, expected) => actual.forEach((v, i) => assert.ok(
    Math.abs(v - expected[i]) < 1e-9, `${actual} is not ${expected}`));
  near(parts.onPath(samples, 0), [0, 10]);
  near(parts.onPath(samples, 1), [0, 10]);
  near(parts.onPath(samples, 1.5), [0.05, 7.5]);
  near(parts.onPath(samples, 2.5), [0.1, 5]);
  near(parts.onPath(samples, 3), [0.1, 5]);
  near(parts.onPath(samples, 9), [0.3, 4]);
  near(parts.onPath([50, 7, 8], 2), [0.07, 0.08]);

  const paths = [[0, 0, samples], [3, 1, [150, 0, 0, 420, 1, 1]]];
  assert.deepEqual(parts.playTimes(paths), {start: 1, stop: 4.2});
  assert.deepEqual(parts.playTimes([]), {start: 0, stop: 0});

  // At 4 s the first stone has stopped where its path ends and stays; the
  // second, which leaves play, is gone once its path has ended (4.2 s).
  // Slot 3 is the second player's when player 1 delivers first.
  const at = (t) => parts.stonesOnPaths(paths, t, 0);
  assert.deepEqual(at(4).map((s) => [s[0], s[3]]), [[0, 0], [3, 1]]);
  near(at(4)[0].slice(1, 3), [0.3, 4]);
  assert.notEqual(at(4)[1][1], null);
  assert.deepEqual(at(4.2)[1], [3, null, 0, 1]);
});

test('names cannot break out of the markup', () => {
  assert.equal(parts.escapeHtml('<b a="1">&amp;</b>'), '&lt;b a=&quot;1&quot;&gt;&amp;amp;&lt;/b&gt;');
});

test('the chances graph runs left to right with certainty at the top', () => {
  const points = parts.chancePoints([1, 0.5, 0, 0.25], 100, 50, 5);
  assert.deepEqual(points.map((p) => p.x), [5, 35, 65, 95]);
  assert.deepEqual(points.map((p) => p.y), [5, 25, 45, 35]);
  // One delivery stands in the middle; none makes no point.
  assert.deepEqual(parts.chancePoints([0.5], 100, 50, 5), [{x: 50, y: 25}]);
  assert.deepEqual(parts.chancePoints([], 100, 50, 5), []);
});

test('a click on the graph goes to the delivery nearest across', () => {
  const points = parts.chancePoints([0.1, 0.9, 0.5], 100, 50, 0);
  assert.equal(parts.nearestPoint(points, -3), 0);
  assert.equal(parts.nearestPoint(points, 24), 0);
  assert.equal(parts.nearestPoint(points, 26), 1);
  assert.equal(parts.nearestPoint(points, 60), 1);
  assert.equal(parts.nearestPoint(points, 1000), 2);
  assert.equal(parts.nearestPoint([], 10), -1);
});

test('the graph marks where each end after the first starts, and names each point', () => {
  assert.deepEqual(parts.endStarts(game.deliveries), [2]);
  assert.deepEqual(parts.endStarts(game.deliveries.slice(0, 2)), []);
  assert.equal(parts.chanceText(game, game.deliveries[3], 0.614),
               'End 2, shot 2: <red> & co (player 1) 61% to win');
});
