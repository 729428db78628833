// The play page's parts that touch no document, under Node's test runner:
// where a click aims, the aim moved by keys, the requests it makes, the line
// score handed to the game page's table, the texts of the game, and the
// engine worker's answer to any message.
//
//   node --test tests/web/play_parts_test.js
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('path');
const parts = require(path.join(__dirname, '../../web/play_parts.js'));
const pageParts = require(path.join(__dirname, '../../match/reports/game_page_parts.js'));

// Three stones delivered, the second taken out of play.
const stones = [[2.4, 4.9], [0, 0], [1.5, 6.0]].concat(Array.from({length: 13}, () => [0, 0]));

test('a click on a stone hits it, anywhere else draws there', () => {
  assert.deepEqual(parts.aimAt(stones, 3, 2.45, 4.95, 0.16), {x: 2.4, y: 4.9, slot: 0});
  assert.deepEqual(parts.aimAt(stones, 3, 2.7, 4.9, 0.16), {x: 2.7, y: 4.9, slot: -1});
  // Of two stones within reach, the nearer.
  const close = [[2.0, 5.0], [2.25, 5.0]].concat(Array.from({length: 14}, () => [0, 0]));
  assert.equal(parts.stoneAt(close, 2, 2.15, 5.0, 0.16), 1);
  // Stones out of play, or not yet delivered, are not there to hit.
  assert.equal(parts.stoneAt(stones, 3, 0.02, 0.0, 0.16), -1);
  assert.equal(parts.stoneAt(stones, 2, 1.5, 6.0, 0.16), -1);
  assert.deepEqual(parts.aimRequest({x: 2.4, y: 4.9, slot: 0}, 1, 9),
    {op: 'aim', kind: 'hit', x: 2.4, y: 4.9, spin: 1, weight: 9});
  assert.deepEqual(parts.aimRequest({x: 2.7, y: 4.9, slot: -1}, 0, 9),
    {op: 'aim', kind: 'draw', x: 2.7, y: 4.9, spin: 0});
});

test('arrow keys move the aim within the sheet; other keys do not', () => {
  const bounds = {left: 0, right: 4.75, top: 0.5, bottom: 11};
  assert.deepEqual(parts.movedAim({x: 2.375, y: 4.88}, 'ArrowLeft', 0.05, bounds), {x: 2.325, y: 4.88});
  assert.deepEqual(parts.movedAim({x: 2.375, y: 4.88}, 'ArrowUp', 0.25, bounds), {x: 2.375, y: 4.63});
  assert.deepEqual(parts.movedAim({x: 4.7, y: 10.9}, 'ArrowRight', 0.25, bounds), {x: 4.75, y: 10.9});
  assert.deepEqual(parts.movedAim({x: 4.7, y: 10.9}, 'ArrowDown', 0.25, bounds), {x: 4.7, y: 11});
  assert.equal(parts.movedAim({x: 1, y: 1}, 'Enter', 0.05, bounds), null);
});

// The engine is side A and scored 2 in the first end, so it delivers first
// in the second, which is being played: the person has the hammer.
const state = {over: false, end: 1, shot: 4, ends: 2, endsPlayed: 1, sideA: 1, firstInEnd: 1,
  points: [0, 2], endPoints: [[0, 2]], endFirst: [1], toDeliver: 'person'};

test('the line score shows the ends played and marks the one being played', () => {
  const html = pageParts.lineScoreHtml(parts.lineScoreGame(state), 0);
  const rows = html.split('</tr>');
  // Side A (the engine) first, its 2 in the first end without the hammer's star.
  assert.match(rows[1], /Engine<\/th><td>2<\/td><td><\/td><td class="total">2</);
  assert.match(rows[2], /You<\/th><td>0\*<\/td><td><\/td><td class="total">0</);
  assert.match(rows[0], /<th scope="col" class="current"><button[^>]*data-end="1">2</);
  // Over after an extra end: every end shown, none marked as being played.
  const over = {...state, over: true, end: 2, ends: 2, endsPlayed: 3, endPoints: [[0, 2], [2, 0], [1, 0]],
    endFirst: [1, 0, 1], points: [3, 2], winner: 'person'};
  const overHtml = pageParts.lineScoreHtml(parts.lineScoreGame(over), 0);
  assert.equal((overHtml.match(/data-end=/g) || []).length, 3);
  assert.doesNotMatch(overHtml, /class="current"/);
});

test('the texts of the game: whose turn, the end, the result with the winner\'s points first', () => {
  assert.equal(parts.statusText(state), 'End 2 of 2, stone 5: your turn (you have the hammer)');
  assert.equal(parts.statusText({...state, end: 2, shot: 0, toDeliver: 'engine', firstInEnd: 0}),
    'End 3 of 2 (extra end), stone 1: the engine is thinking (the engine has the hammer)');
  assert.equal(parts.resultText({...state, over: true, winner: 'engine'}), 'The engine wins 2\u20130');
  assert.equal(parts.resultText({...state, over: true, winner: 'person', points: [3, 2]}), 'You win 3\u20132');
  assert.equal(parts.resultText({...state, over: true, winner: null, draw: true, points: [1, 1]}), 'Drawn 1\u20131');
  assert.equal(parts.endScoreText(state, 0), 'The engine scores 2 in end 1');
  assert.equal(parts.endScoreText({...state, endPoints: [[0, 0]]}, 0), 'End 1 is blank');
});

test('the engine worker answers every message, bad ones with an error', () => {
  const asked = [];
  const module = (text) => {
    asked.push(JSON.parse(text));
    return asked[asked.length - 1].lead === 100 ? '{"error":"lead out of range"}' : '{"reply":"BESTSHOT 0 -2 0"}';
  };
  for (const bad of [null, 'GO', 7, {}, {id: 'one', request: {op: 'decide'}}, {id: 1}, {id: 1, request: null}]) {
    const answer = parts.answerMessage(module, bad);
    assert.equal(typeof answer.error, 'string', JSON.stringify(bad));
  }
  assert.equal(parts.answerMessage(module, {id: 2, request: {op: 'new'}}).id, 2);
  assert.match(parts.answerMessage(module, {id: 2, request: {op: 'new'}}).error, /only decides/);
  assert.equal(asked.length, 0, 'nothing but a decision reaches the module');
  assert.deepEqual(parts.answerMessage(module, {id: 3, request: {op: 'decide', lead: 100}}),
    {id: 3, error: 'lead out of range'});
  assert.deepEqual(parts.answerMessage(module, {id: 4, request: {op: 'decide', lead: 0}}),
    {id: 4, reply: {reply: 'BESTSHOT 0 -2 0'}});
  const broken = parts.answerMessage(() => { throw new Error('unreachable'); }, {id: 5, request: {op: 'decide'}});
  assert.equal(broken.id, 5);
  assert.match(broken.error, /unreachable/);
});
