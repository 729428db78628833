// The play page's script: loads the module on this thread (the game, aims
// and their paths, throws, the record and the game page) and again in a
// worker (the engine's decisions), takes the person's aim by click or key,
// animates every throw from the library's paths, and keeps the line score.
// Runs after game_page_parts.js and play_parts.js.
(function (pageParts, parts) {
  'use strict';
  var $ = function (id) { return document.getElementById(id); };
  var svgNs = 'http://www.w3.org/2000/svg';
  var loadBegan = window.performance.now();
  var call = null;      // a request's text to this thread's module, its reply's text
  var state = null;     // the game as the module last gave it
  var aim = null;       // {x, y, slot}: where the person aims; slot -1 for a draw
  var aimed = null;     // the module's answer to the aim: the shot and its path
  var busy = false;     // a throw moving, the engine thinking or an end's pause
  var turnBegan = 0;
  var sheet = null;     // {svg, stones, labels, overlay, radius}
  var engine = null;
  var waiting = {};     // the engine's replies awaited, by message id
  var nextId = 1;
  // The engine gets its time and this much more before the page gives up.
  var engineMarginMs = 10000;

  function request(object) {
    var reply = JSON.parse(call(JSON.stringify(object)));
    if (typeof reply.error === 'string') throw new Error(object.op + ': ' + reply.error);
    return reply;
  }

  function fail(failure) {
    busy = false;
    $('status').textContent = 'Something went wrong: ' + failure.message;
    window.console.error(failure);
  }

  // The engine: the module's script, the parts and the worker's script as
  // one script, so that a page opened from disk starts it without a file.
  function startEngine() {
    var source = [$('curling-module').textContent, $('play-parts').textContent,
      $('play-worker').textContent].join('\n;\n');
    engine = new window.Worker(window.URL.createObjectURL(
      new window.Blob([source], {type: 'text/javascript'})));
    engine.onmessage = function (event) {
      var id = event.data && typeof event.data.id === 'number' ? event.data.id : 'none';
      var done = waiting[id];
      if (done) {
        delete waiting[id];
        done(event.data);
      }
    };
  }

  // Posts `data` as it is and resolves with the engine's reply to it (the
  // one with its id, or the next without one), or an error reply when none
  // comes within `limitMs`.
  function postToEngine(data, limitMs) {
    return new Promise(function (resolve) {
      var id = data !== null && typeof data === 'object' && typeof data.id === 'number' ? data.id : 'none';
      var timer = window.setTimeout(function () {
        delete waiting[id];
        resolve({id: id, error: 'no answer from the engine within ' + limitMs + ' ms'});
      }, limitMs);
      waiting[id] = function (reply) {
        window.clearTimeout(timer);
        resolve(reply);
      };
      engine.postMessage(data);
    });
  }

  function askEngine(decide, timeMs) {
    var id = nextId++;
    var message = {id: id, request: {op: 'decide', position: decide.position, lead: decide.lead,
      timeMs: timeMs}};
    return postToEngine(message, timeMs + engineMarginMs).then(function (reply) {
      if (typeof reply.error === 'string') throw new Error('the engine: ' + reply.error);
      return reply.reply;
    });
  }

  // The sheet from the module, with a circle and a number per slot, drawn in
  // centimetres as the view box is, and a group for the aim and the paths.
  function makeSheet() {
    var answer = request({op: 'sheet'});
    $('sheet-box').innerHTML = answer.svg;
    var svg = $('sheet');
    svg.setAttribute('aria-label', 'The sheet: click to draw to a point, or on a stone to hit it');
    var group = $('stones');
    var overlay = document.createElementNS(svgNs, 'g');
    overlay.setAttribute('id', 'overlay');
    svg.appendChild(overlay);
    sheet = {svg: svg, stones: [], labels: [], overlay: overlay, radius: answer.stoneRadius};
    for (var slot = 0; slot < 16; slot++) {
      var circle = document.createElementNS(svgNs, 'circle');
      circle.setAttribute('class', 'stone');
      circle.setAttribute('r', answer.stoneRadius * 100);
      circle.setAttribute('data-slot', slot);
      var label = document.createElementNS(svgNs, 'text');
      label.setAttribute('class', 'stone-label');
      label.textContent = pageParts.shownNumber(slot);
      group.appendChild(circle);
      group.appendChild(label);
      sheet.stones.push(circle);
      sheet.labels.push(label);
    }
    svg.addEventListener('click', function (event) {
      var point = svg.createSVGPoint();
      point.x = event.clientX;
      point.y = event.clientY;
      var at = point.matrixTransform(svg.getScreenCTM().inverse());
      aimAt(at.x / 100, at.y / 100);
    });
  }

  function placeStone(slot, x, y, player) {
    var circle = sheet.stones[slot];
    var label = sheet.labels[slot];
    var shown = x !== null;
    circle.style.display = shown ? '' : 'none';
    label.style.display = shown ? '' : 'none';
    if (!shown) return;
    circle.setAttribute('cx', (x * 100).toFixed(1));
    circle.setAttribute('cy', (y * 100).toFixed(1));
    circle.setAttribute('fill', pageParts.colours[player]);
    circle.setAttribute('data-player', player + 1);
    label.setAttribute('x', (x * 100).toFixed(1));
    label.setAttribute('y', (y * 100 + 5).toFixed(1));
  }

  function drawStones(stones, count, first) {
    for (var slot = 0; slot < 16; slot++) {
      var shown = parts.inPlay(stones, count, slot);
      placeStone(slot, shown ? stones[slot][0] : null, shown ? stones[slot][1] : 0,
        pageParts.slotPlayer(slot, first));
    }
  }

  function svgElement(name, attributes) {
    var element = document.createElementNS(svgNs, name);
    Object.keys(attributes).forEach(function (key) { element.setAttribute(key, attributes[key]); });
    sheet.overlay.appendChild(element);
    return element;
  }

  // A path [slot, leftPlay, [t, x, y, ...]] (centiseconds, centimetres) as
  // a line on the sheet.
  function drawPaths(paths, className) {
    paths.forEach(function (path) {
      var points = [];
      for (var k = 0; k + 2 < path[2].length; k += 3) points.push(path[2][k + 1] + ',' + path[2][k + 2]);
      svgElement('polyline', {'class': className, points: points.join(' ')});
    });
  }

  function clearOverlay(className) {
    var marks = sheet.overlay.querySelectorAll(className ? '.' + className : '*');
    for (var k = 0; k < marks.length; k++) sheet.overlay.removeChild(marks[k]);
    sheet.stones.forEach(function (circle) { circle.classList.remove('target-stone'); });
  }

  function spin() { return $('spin-1').checked ? 1 : 0; }
  function weight() { return Number($('weight').value); }

  function personsTurn() {
    return state !== null && !state.over && state.toDeliver === 'person' && !busy;
  }

  // Aims at a point of the sheet (metres): the noise-free path is drawn.
  function aimAt(x, y) {
    if (!personsTurn()) return;
    aim = parts.aimAt(state.stones, state.shot, x, y, sheet.radius * 1.1);
    showAim();
  }

  function showAim() {
    clearOverlay();
    aimed = null;
    $('throw').disabled = true;
    if (aim === null) return;
    try {
      aimed = request(parts.aimRequest(aim, spin(), weight()));
    } catch (failure) {
      $('aim').textContent = 'No shot: ' + failure.message;
      return;
    }
    drawPaths(aimed.paths, 'preview');
    if (aim.slot >= 0) {
      sheet.stones[aim.slot].classList.add('target-stone');
    } else {
      svgElement('circle', {'class': 'target', cx: (aim.x * 100).toFixed(1),
        cy: (aim.y * 100).toFixed(1), r: sheet.radius * 100});
    }
    $('aim').textContent = (aim.slot >= 0 ? 'Hit stone ' + (aim.slot + 1) + ', weight ' + weight()
      : 'Draw to ' + aim.x.toFixed(2) + ', ' + aim.y.toFixed(2) + ' m') +
      (spin() === 1 ? ', out-turn' : ', in-turn') + ': ' + aimed.reply;
    $('throw').disabled = false;
  }

  function showState(next) {
    state = next;
    drawStones(state.stones, state.shot, state.firstInEnd);
    $('line-score').innerHTML = pageParts.lineScoreHtml(parts.lineScoreGame(state), 0);
    $('status').textContent = parts.statusText(state);
    $('result').hidden = !state.over;
    $('result').textContent = state.over ? parts.resultText(state) : '';
    $('hint').disabled = !personsTurn();
    $('save-record').disabled = $('save-page').disabled = false;
  }

  // Plays the stones along `paths` from `stones` (the first `count` in
  // play), at the chosen speed, then calls `done`.
  function animate(paths, stones, count, first, done) {
    var times = pageParts.playTimes(paths);
    var speed = Number($('speed').value);
    var began = null;
    var frame = function (now) {
      if (began === null) began = now;
      var t = times.start + (now - began) / 1000 * speed;
      drawStones(stones, count, first);
      pageParts.stonesOnPaths(paths, t, first).forEach(function (stone) {
        placeStone(stone[0], stone[1], stone[2], stone[3]);
      });
      if (t < times.stop) window.requestAnimationFrame(frame);
      else done();
    };
    window.requestAnimationFrame(frame);
  }

  // Delivers `reply` for `by`, animates it, and goes on with the game.
  function deliver(by, reply, ms) {
    var before = state;
    var answer = request({op: 'deliver', reply: reply, ms: ms, by: by});
    busy = true;
    aim = null;
    clearOverlay();
    $('throw').disabled = $('hint').disabled = true;
    $('aim').textContent = (by === 'person' ? 'You threw ' : 'The engine threw ') + reply;
    animate(answer.paths, before.stones, before.shot, before.firstInEnd, function () {
      drawStones(answer.after, before.shot + 1, before.firstInEnd);
      var pause = 0;
      if (answer.endClosed) {
        $('status').textContent = parts.endScoreText(answer.state, answer.state.endsPlayed - 1);
        $('line-score').innerHTML = pageParts.lineScoreHtml(parts.lineScoreGame(answer.state), 0);
        pause = 1500 / Number($('speed').value);
      }
      window.setTimeout(function () {
        busy = false;
        showState(answer.state);
        // The game's last position stays on the sheet.
        if (answer.state.over) drawStones(answer.after, 16, before.firstInEnd);
        nextTurn();
      }, pause);
    });
  }

  function nextTurn() {
    if (state.over) return;
    if (state.toDeliver === 'person') {
      turnBegan = window.performance.now();
      $('hint').disabled = false;
      if (aim !== null) showAim();
      return;
    }
    busy = true;
    var began = window.performance.now();
    askEngine(state.decide, state.engineMs).then(function (decision) {
      var ms = Math.round(window.performance.now() - began);
      $('engine-note').textContent = 'The engine took ' + (ms / 1000).toFixed(2) + ' s (' +
        decision.samples + ' samples) for ' + decision.reply;
      $('engine-note').setAttribute('data-ms', ms);
      deliver('engine', decision.reply, ms);
    }).catch(fail);
  }

  function throwStone() {
    if (!personsTurn() || aimed === null) return;
    try {
      deliver('person', aimed.reply, Math.round(window.performance.now() - turnBegan));
    } catch (failure) {
      fail(failure);
    }
  }

  // The engine's pick for the person, drawn and not thrown.
  function hint() {
    if (!personsTurn()) return;
    busy = true;
    $('hint').disabled = true;
    $('engine-note').textContent = 'The engine is looking for your shot\u2026';
    askEngine(state.decide, state.engineMs).then(function (decision) {
      busy = false;
      var shown = request({op: 'aim', kind: 'reply', reply: decision.reply});
      clearOverlay('hint-path');
      drawPaths(shown.paths, 'hint-path');
      $('engine-note').textContent = 'The engine would play ' + decision.reply +
        ' (the dotted path, without error)';
      $('hint').disabled = !personsTurn();
    }).catch(fail);
  }

  function save(name, type, text) {
    var link = document.createElement('a');
    link.href = window.URL.createObjectURL(new window.Blob([text], {type: type}));
    link.download = name;
    document.body.appendChild(link);
    link.click();
    document.body.removeChild(link);
  }

  // The record's text holds one character per byte, as the module writes it.
  function saveRecord() {
    var text = request({op: 'record'}).record;
    var bytes = new Uint8Array(text.length);
    for (var k = 0; k < text.length; k++) bytes[k] = text.charCodeAt(k);
    save('curling-game.jsonl', 'application/jsonl', bytes);
  }

  function savePage() {
    save('curling-game.html', 'text/html', request({op: 'page'}).html);
  }

  // A new game from the settings; #seed=N in the address makes its throws'
  // errors the same every time.
  function newGame(event) {
    if (event) event.preventDefault();
    if (busy || call === null) return;
    var seed = /[#&]seed=(\d+)/.exec(window.location.hash);
    var noise = Number($('noise').value);
    try {
      var started = request({op: 'new', ends: Number($('ends').value), hammer: $('hammer').value,
        noise: isFinite(noise) ? noise : 0.3, engineMs: Number($('engine-ms').value),
        seed: seed ? Number(seed[1]) : Math.floor(Math.random() * 9007199254740991)});
      aim = null;
      clearOverlay();
      $('engine-note').textContent = '';
      $('aim').textContent = 'Click the sheet to draw there, or a stone to hit it.';
      showState(started);
      nextTurn();
    } catch (failure) {
      fail(failure);
    }
  }

  function onKey(event) {
    var tag = event.target.tagName;
    if (tag === 'SELECT' || tag === 'INPUT' && event.target.type !== 'radio' && event.target.type !== 'range' ||
        event.altKey || event.ctrlKey || event.metaKey || !personsTurn()) {
      return;
    }
    var start = aim || {x: 2.375, y: 4.88, slot: -1};
    var moved = parts.movedAim(start, event.key, event.shiftKey ? 0.25 : 0.05,
      {left: 0, right: 4.75, top: 0.5, bottom: 11});
    if (moved !== null) {
      aimAt(moved.x, moved.y);
    } else if (event.key === 's' || event.key === 'S') {
      $(spin() === 1 ? 'spin-0' : 'spin-1').checked = true;
      showAim();
    } else if (event.key === '+' || event.key === '-') {
      $('weight').value = String(weight() + (event.key === '+' ? 1 : -1));
      $('weight-value').textContent = $('weight').value;
      showAim();
    } else if (event.key === 'Enter') {
      throwStone();
    } else if (event.key === 'h' || event.key === 'H') {
      hint();
    } else {
      return;
    }
    event.preventDefault();
  }

  $('setup').addEventListener('submit', newGame);
  $('throw').addEventListener('click', throwStone);
  $('hint').addEventListener('click', hint);
  $('save-record').addEventListener('click', function () { saveRecord(); });
  $('save-page').addEventListener('click', function () { savePage(); });
  $('spin-0').addEventListener('change', showAim);
  $('spin-1').addEventListener('change', showAim);
  $('weight').addEventListener('input', function () {
    $('weight-value').textContent = $('weight').value;
    if (aim !== null && aim.slot >= 0) showAim();
  });
  document.addEventListener('keydown', onKey);

  // For tests and the curious: the engine's door, the state, the load time.
  window.curlingPlay = {
    postToEngine: function (data, limitMs) { return postToEngine(data, limitMs || 5000); },
    state: function () { return state; },
    loadMs: null
  };

  startEngine();
  window.CurlingModule().then(function (module) {
    call = function (text) { return module.ccall('PlayRequest', 'string', ['string'], [text]); };
    makeSheet();
    $('loading').hidden = true;
    $('game').hidden = false;
    window.curlingPlay.loadMs = Math.round(window.performance.now() - loadBegan);
    document.body.setAttribute('data-ready', '1');
    newGame(null);
  }, function (failure) {
    $('loading').textContent = 'The physics did not load: ' + failure;
    window.console.error(failure);
  });
}(GamePageParts, PlayParts));
