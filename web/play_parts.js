// The play page's parts that touch no document: where a click aims, the aim
// moved by keys, the texts of the state and the result, the line score's
// data for the game page's table, and the engine worker's answer to one
// message. The page and its worker run this file; Node's test runner
// requires it.
//
// Players are 0 (the person) and 1 (the engine), as the module numbers them;
// stones are [x, y] in metres, [0, 0] when not in play.
var PlayParts = (function () {
  'use strict';

  var names = ['You', 'Engine'];
  var playerWords = ['person', 'engine'];

  function inPlay(stones, shot, slot) {
    return slot < shot && (stones[slot][0] !== 0 || stones[slot][1] !== 0);
  }

  // The slot of the stone in play nearest (x, y) within `reach` metres of its
  // centre, or -1: a click there hits it.
  function stoneAt(stones, shot, x, y, reach) {
    var best = -1;
    var bestDistance = reach;
    for (var slot = 0; slot < stones.length; slot++) {
      if (!inPlay(stones, shot, slot)) continue;
      var distance = Math.sqrt(Math.pow(stones[slot][0] - x, 2) + Math.pow(stones[slot][1] - y, 2));
      if (distance <= bestDistance) {
        best = slot;
        bestDistance = distance;
      }
    }
    return best;
  }

  // Where a click at (x, y) aims: at the centre of the stone it falls on, to
  // hit it, or at the point, to draw there.
  function aimAt(stones, shot, x, y, reach) {
    var slot = stoneAt(stones, shot, x, y, reach);
    if (slot >= 0) return {x: stones[slot][0], y: stones[slot][1], slot: slot};
    return {x: x, y: y, slot: -1};
  }

  // The aim after an arrow key (`key` as KeyboardEvent.key), `step` metres
  // at a time, kept within `bounds` {left, right, top, bottom}; null for
  // any other key. Up is towards the back of the house, as the sheet is drawn.
  function movedAim(aim, key, step, bounds) {
    var moves = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};
    if (!(key in moves)) return null;
    var x = Math.min(bounds.right, Math.max(bounds.left, aim.x + moves[key][0] * step));
    var y = Math.min(bounds.bottom, Math.max(bounds.top, aim.y + moves[key][1] * step));
    return {x: Math.round(x * 1000) / 1000, y: Math.round(y * 1000) / 1000};
  }

  // The module's request for an aim: a hit on a stone with the weight, or a
  // draw to the point.
  function aimRequest(aim, spin, weight) {
    var request = {op: 'aim', kind: aim.slot >= 0 ? 'hit' : 'draw', x: aim.x, y: aim.y, spin: spin};
    if (aim.slot >= 0) request.weight = weight;
    return request;
  }

  // The data the game page's line score (GamePageParts.lineScoreHtml) reads,
  // from the module's state: the ends played are complete, the current one
  // is marked.
  function lineScoreGame(state) {
    return {
      names: names, sideA: state.sideA,
      endColumns: Math.max(state.ends, state.endsPlayed + (state.over ? 0 : 1)),
      endPoints: state.endPoints, endFirst: state.endFirst,
      deliveries: [{end: state.over ? state.endsPlayed : state.end, endClosed: false}]
    };
  }

  // Points as the scoreboard gives them: the winner's first, else the person's.
  function resultText(state) {
    var first = state.winner === 'engine' ? 1 : 0;
    var points = state.points[first] + '\u2013' + state.points[1 - first];
    if (state.winner === 'person') return 'You win ' + points;
    if (state.winner === 'engine') return 'The engine wins ' + points;
    return 'Drawn ' + points;
  }

  function endText(state) {
    var extra = state.end >= state.ends ? ' (extra end)' : '';
    return 'End ' + (state.end + 1) + ' of ' + state.ends + extra + ', stone ' + (state.shot + 1);
  }

  function statusText(state) {
    if (state.over) return 'Game over: ' + resultText(state);
    var hammer = state.firstInEnd === 0 ? 'the engine has' : 'you have';
    var turn = state.toDeliver === 'person' ? 'your turn' : 'the engine is thinking';
    return endText(state) + ': ' + turn + ' (' + hammer + ' the hammer)';
  }

  // What an end's score says: who scored how many, or a blank end.
  function endScoreText(state, end) {
    var points = state.endPoints[end];
    if (points[0] > 0) return 'You score ' + points[0] + ' in end ' + (end + 1);
    if (points[1] > 0) return 'The engine scores ' + points[1] + ' in end ' + (end + 1);
    return 'End ' + (end + 1) + ' is blank';
  }

  // The engine worker's answer to the message `data`, {id, request}, with
  // `call` handing a request's text to the module and returning its reply's
  // text. Only decisions are asked of it; anything else, or a reply the
  // module refuses, is answered with an error, so no message goes unanswered.
  function answerMessage(call, data) {
    var id = data !== null && typeof data === 'object' && typeof data.id === 'number' ? data.id : null;
    if (id === null || data.request === null || typeof data.request !== 'object') {
      return {id: id, error: 'a message to the engine is {id: number, request: object}'};
    }
    if (data.request.op !== 'decide') {
      return {id: id, error: 'the engine only decides (op "decide")'};
    }
    try {
      var reply = JSON.parse(call(JSON.stringify(data.request)));
      if (typeof reply.error === 'string') return {id: id, error: reply.error};
      return {id: id, reply: reply};
    } catch (failure) {
      return {id: id, error: 'the engine failed: ' + String(failure)};
    }
  }

  return {
    names: names,
    playerWords: playerWords,
    inPlay: inPlay,
    stoneAt: stoneAt,
    aimAt: aimAt,
    movedAim: movedAim,
    aimRequest: aimRequest,
    lineScoreGame: lineScoreGame,
    resultText: resultText,
    endText: endText,
    statusText: statusText,
    endScoreText: endScoreText,
    answerMessage: answerMessage
  };
}());

if (typeof module !== 'undefined') module.exports = PlayParts;
