// The game page's script: draws the delivery shown, steps through the game,
// plays a delivery as the stones moved and keeps the address in step. Runs
// after game_page_parts.js, whose functions touch no document.
(function (parts) {
  'use strict';
  var game = JSON.parse(document.getElementById('game-data').textContent);
  var deliveries = game.deliveries;
  var svgNs = 'http://www.w3.org/2000/svg';
  var index = 0;
  var animation = null;
  var $ = function (id) { return document.getElementById(id); };

  // One circle and one number per slot, placed in centimetres: the sheet's
  // metres times 100, as the view box is. data-slot keeps the record's index.
  var stones = [];
  var labels = [];
  function addStone(slot) {
    var circle = document.createElementNS(svgNs, 'circle');
    circle.setAttribute('class', 'stone');
    circle.setAttribute('r', game.stoneRadius * 100);
    circle.setAttribute('data-slot', slot);
    var label = document.createElementNS(svgNs, 'text');
    label.setAttribute('class', 'stone-label');
    label.textContent = parts.shownNumber(slot);
    $('stones').appendChild(circle);
    $('stones').appendChild(label);
    stones.push(circle);
    labels.push(label);
  }
  for (var s = 0; s < 16; s++) addStone(s);

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
    circle.setAttribute('fill', parts.colours[player]);
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
    var first = parts.firstInEnd(game, deliveries[k].end);
    for (var slot = 0; slot < 16; slot++) {
      var x = stonesOf ? stonesOf[2 * slot] : 0;
      var y = stonesOf ? stonesOf[2 * slot + 1] : 0;
      var inPlay = stonesOf !== null && (x !== 0 || y !== 0);
      placeStone(slot, inPlay ? x : null, y, parts.slotPlayer(slot, first));
    }
  }

  function text(id, value) { $(id).textContent = value; }

  // Player 1's chances of winning after each delivery, when the page was
  // written with them: a line with a point per delivery under the sheet, the
  // even chance dashed, each end's start marked; a click goes to the
  // delivery nearest across.
  var graph = null;
  function svgElement(name, attributes, parent) {
    var element = document.createElementNS(svgNs, name);
    Object.keys(attributes).forEach(function (key) { element.setAttribute(key, attributes[key]); });
    parent.appendChild(element);
    return element;
  }
  function drawGraph(chances) {
    var width = 400;
    var height = 100;
    var margin = 6;
    var points = parts.chancePoints(chances, width, height, margin);
    var box = $('chances');
    var caption = document.createElement('p');
    caption.className = 'note';
    caption.textContent = game.names[0] + ' (player 1): chance of winning after each delivery, ' +
        'by the learned evaluation; ends start at the grey lines. Click to go to a delivery.';
    var svg = svgElement('svg', {id: 'chance-graph', viewBox: '0 0 ' + width + ' ' + height,
      role: 'img', 'aria-label': 'Player 1\u2019s chance of winning after each delivery'}, box);
    box.appendChild(caption);
    svgElement('rect', {x: 0, y: 0, width: width, height: height, 'class': 'chance-frame'}, svg);
    svgElement('line', {x1: margin, x2: width - margin, y1: height / 2, y2: height / 2,
      'class': 'chance-even'}, svg);
    parts.endStarts(deliveries).forEach(function (k) {
      var x = (points[k - 1].x + points[k].x) / 2;
      svgElement('line', {x1: x, x2: x, y1: 0, y2: height, 'class': 'chance-end'}, svg);
    });
    svgElement('polyline', {'class': 'chance-line', points: points.map(function (p) {
      return p.x.toFixed(1) + ',' + p.y.toFixed(1);
    }).join(' ')}, svg);
    var marks = points.map(function (p, k) {
      var mark = svgElement('circle', {cx: p.x.toFixed(1), cy: p.y.toFixed(1), r: 2.2,
        'class': 'chance-point', 'data-index': k}, svg);
      svgElement('title', {}, mark).textContent = parts.chanceText(game, deliveries[k], chances[k]);
      return mark;
    });
    svg.addEventListener('click', function (event) {
      var rect = svg.getBoundingClientRect();
      var x = (event.clientX - rect.left) / rect.width * width;
      var k = parts.nearestPoint(points, x);
      if (k >= 0) show(k);
    });
    return {marks: marks};
  }
  if (Array.isArray(game.winChances) && game.winChances.length === deliveries.length &&
      deliveries.length > 0) {
    graph = drawGraph(game.winChances);
  }

  function show(k) {
    stopAnimation();
    if (deliveries.length === 0) {
      text('where', 'No delivery was played');
      $('line-score').innerHTML = parts.lineScoreHtml(game, 0);
      return;
    }
    index = Math.max(0, Math.min(deliveries.length - 1, k));
    var d = deliveries[index];
    drawPosition(index, d.after);
    text('where', parts.whereText(d));
    text('count', 'Delivery ' + (index + 1) + ' of ' + deliveries.length);
    text('side', parts.sideName(game, d.player));
    text('reply', parts.shownReply(d.reply));
    text('time', (d.ms / 1000).toFixed(3) + ' s');
    text('requested', 'vx ' + d.requested[0] + ', vy ' + d.requested[1] + ', spin ' + d.requested[2]);
    text('executed', 'vx ' + d.executed[0].toFixed(4) + ', vy ' + d.executed[1].toFixed(4));
    $('first').disabled = $('previous').disabled = index === 0;
    $('last').disabled = $('next').disabled = index === deliveries.length - 1;
    $('end-select').value = String(d.end);
    $('line-score').innerHTML = parts.lineScoreHtml(game, index);
    if (graph !== null) {
      graph.marks.forEach(function (mark, m) {
        mark.setAttribute('class', m === index ? 'chance-point current' : 'chance-point');
      });
    }
    var hash = parts.linkOf(d);
    if (location.hash !== hash) history.replaceState(null, '', hash);
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
    var times = parts.playTimes(d.paths);
    var speed = Number($('speed').value);
    var startPosition = before(k);
    var first = parts.firstInEnd(game, d.end);
    var began = null;
    $('play').textContent = 'Stop';
    var frame = function (now) {
      if (began === null) began = now;
      var t = times.start + (now - began) / 1000 * speed;
      drawPosition(k, startPosition);
      parts.stonesOnPaths(d.paths, t, first).forEach(function (stone) {
        placeStone(stone[0], stone[1], stone[2], stone[3]);
      });
      if (t < times.stop) {
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

  function openLink() {
    var link = parts.readLink(location.hash);
    var k = link === null ? -1 : parts.deliveryIndex(deliveries, link.end, link.shot);
    if (k >= 0) show(k);
    return k >= 0;
  }

  function showEnd(end) {
    var k = parts.firstOfEnd(deliveries, end);
    show(k >= 0 ? k : index);
  }

  // The list of ends: numbered as people count, valued by the record's index.
  var select = $('end-select');
  for (var e = 0; e < game.endColumns; e++) {
    var option = document.createElement('option');
    option.value = String(e);
    option.textContent = 'End ' + parts.shownNumber(e);
    select.appendChild(option);
  }
  select.addEventListener('change', function () { showEnd(Number(select.value)); });
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
    if (end !== null) showEnd(Number(end));
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
  window.addEventListener('hashchange', openLink);
  if (!openLink()) show(0);
}(GamePageParts));
