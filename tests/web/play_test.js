// The play page in headless Chromium, opened from disk as a person would: a
// whole two-end game against the engine, played by clicks (draws, a hit) and
// once by keys, the engine's pick asked for once. Checks that the engine
// answers within its time and a margin while the page keeps drawing frames,
// that the line score and the result appear, that nothing is logged as an
// error, that the saved record replays in curling-match --replay with the
// positions the page showed, that the saved game page opens, that a bad
// message to the engine gets an error reply, and that the page fits a
// phone's width. Prints the load time and the engine's times.
//
//   node play_test.js PAGE WORKDIR MATCH SCREENSHOT
'use strict';
const fs = require('fs');
const path = require('path');
const {execFileSync} = require('child_process');
const puppeteer = require('puppeteer-core');

const [pagePath, work, match, screenshotPath] = process.argv.slice(2);
const chromium = process.env.CURLING_CHROMIUM || '/usr/bin/chromium';
const engineMs = 500;
// What the engine may take beyond its time: the worker's message and a busy machine.
const marginMs = 2500;
const failures = [];
const check = (ok, what) => { if (!ok) failures.push(what); };
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function waitFor(page, what, test, limitMs) {
  const began = Date.now();
  for (;;) {
    const value = await page.evaluate(test);
    if (value) return value;
    if (Date.now() - began > limitMs) throw new Error(`waited ${limitMs} ms for ${what}`);
    await sleep(50);
  }
}

// The client pixel of a point of the sheet (metres).
async function pixelOf(page, x, y) {
  return page.evaluate((px, py) => {
    const svg = document.getElementById('sheet');
    const point = svg.createSVGPoint();
    point.x = px * 100;
    point.y = py * 100;
    const at = point.matrixTransform(svg.getScreenCTM());
    return {x: at.x, y: at.y};
  }, x, y);
}

const state = (page) => page.evaluate(() => window.curlingPlay.state());
const personsTurn = () => {
  const s = window.curlingPlay.state();
  return s !== null && (s.over || (s.toDeliver === 'person' && !document.getElementById('hint').disabled));
};

async function downloaded(name) {
  const file = path.join(work, name);
  for (let k = 0; k < 100 && !fs.existsSync(file); k++) await sleep(100);
  return fs.existsSync(file) ? file : null;
}

(async () => {
  const args = ['--headless=new', '--disable-gpu', '--no-first-run'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');  // root has no sandbox
  const browser = await puppeteer.launch({executablePath: chromium, args, headless: true});
  try {
    const page = await browser.newPage();
    const errors = [];
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    page.on('pageerror', (e) => errors.push(String(e)));
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: path.resolve(work)});
    await page.setViewport({width: 1280, height: 1400});
    const url = 'file://' + path.resolve(pagePath) + '#seed=5';
    const opened = Date.now();
    await page.goto(url);
    await page.waitForSelector('body[data-ready="1"]', {timeout: 60000});
    const loadMs = Date.now() - opened;
    const moduleMs = await page.evaluate(() => window.curlingPlay.loadMs);

    // Two ends, the engine with the hammer, its quickest time, fast stones.
    await page.select('#ends', '2');
    await page.select('#hammer', 'engine');
    await page.select('#engine-ms', String(engineMs));
    await page.select('#speed', '8');
    await page.click('#start');

    const engineTimes = [];
    const frameGaps = [];
    let throws = 0;
    let hinted = false;
    let byKeys = false;
    // Two ends, and an extra end or more after a tie: at most ten in all.
    for (let turn = 0; turn < 80; turn++) {
      // The engine thinks while the page keeps drawing: the longest gap
      // between frames in the meantime.
      const gap = page.evaluate(() => new Promise((resolve) => {
        let last = performance.now();
        let longest = 0;
        const began = last;
        const frame = (now) => {
          longest = Math.max(longest, now - last);
          last = now;
          if (now - began < 400) requestAnimationFrame(frame);
          else resolve(longest);
        };
        requestAnimationFrame(frame);
      }));
      await waitFor(page, 'the person\'s turn', personsTurn, 60000);
      const s = await state(page);
      const noted = await page.evaluate(() => document.getElementById('engine-note').getAttribute('data-ms'));
      if (noted !== null && engineTimes.length < throws) engineTimes.push(Number(noted));
      if (s.over) break;
      frameGaps.push(await gap);
      if (!hinted && s.shot >= 2) {
        hinted = true;
        await page.click('#hint');
        await waitFor(page, 'the engine\'s pick drawn', () => document.querySelector('.hint-path') !== null &&
          !document.getElementById('hint').disabled, engineMs + marginMs + 5000);
      }
      const inPlay = s.stones.map((p, slot) => ({p, slot})).filter((e) => e.slot < s.shot && (e.p[0] !== 0 || e.p[1] !== 0));
      if (!byKeys && s.shot >= 4) {
        // By keys: the aim from the tee, up a little, the other turn, thrown.
        byKeys = true;
        await page.focus('#throw');
        await page.keyboard.press('ArrowDown');
        await page.keyboard.press('s');
        await waitFor(page, 'the aim by keys', () => !document.getElementById('throw').disabled, 5000);
        await page.keyboard.press('Enter');
      } else {
        const target = inPlay.length > 0 && s.shot % 4 === 3
          ? {x: inPlay[0].p[0], y: inPlay[0].p[1]}
          : {x: 2.375 + ((s.shot % 3) - 1) * 0.4, y: 4.88 + (s.shot % 2) * 0.6};
        const at = await pixelOf(page, target.x, target.y);
        await page.mouse.click(at.x, at.y);
        await waitFor(page, 'the path before the throw', () => document.querySelector('.preview') !== null &&
          !document.getElementById('throw').disabled, 5000);
        await page.click('#throw');
      }
      throws++;
    }
    const last = await state(page);
    check(last.over, 'the game did not end');
    // The engine thinks by the clock, so a tie and an extra end can happen:
    // eight stones each an end played.
    const stonesEach = 8 * last.endsPlayed;
    check(last.endsPlayed >= 2, `the game ended after ${last.endsPlayed} ends, not 2 or more`);
    check(throws === stonesEach, `the person threw ${throws} stones, not ${stonesEach}`);
    check(engineTimes.length === stonesEach, `the engine's times: ${engineTimes.length} of ${stonesEach} seen`);
    for (const ms of engineTimes) check(ms <= engineMs + marginMs, `the engine took ${ms} ms of its ${engineMs}`);
    const longestGap = Math.max(...frameGaps);
    check(longestGap < 250, `the page drew no frame for ${Math.round(longestGap)} ms while the engine thought`);

    // The line score and the result.
    const shown = await page.evaluate(() => ({
      result: document.getElementById('result').hidden ? null : document.getElementById('result').textContent,
      totals: [...document.querySelectorAll('#line-score td.total')].map((c) => Number(c.textContent)),
      cells: [...document.querySelectorAll('#line-score tr')].slice(1).map((r) => [...r.querySelectorAll('td')].map((c) => c.textContent)),
    }));
    check(shown.result !== null && /^(You win|The engine wins|Drawn) \d+\u2013\d+$/.test(shown.result),
      `the result shows "${shown.result}"`);
    const sideA = last.sideA;
    check(shown.totals[0] === last.points[sideA] && shown.totals[1] === last.points[1 - sideA],
      `the line score's totals ${shown.totals} are not the points ${last.points}`);
    check(shown.cells.every((row) => row.slice(0, last.endsPlayed).every((c) => /^\d+\*?$/.test(c))),
      `an end played has no points in the line score: ${JSON.stringify(shown.cells)}`);

    // A message the engine cannot take: an error reply, not silence.
    const bad = await page.evaluate(() => window.curlingPlay.postToEngine('POSITION 1 2 3', 10000));
    check(typeof bad.error === 'string', `a bad message got ${JSON.stringify(bad)}`);
    const wrong = await page.evaluate(() => window.curlingPlay.postToEngine({id: 999, request: {op: 'decide'}}, 10000));
    check(wrong.id === 999 && typeof wrong.error === 'string', `a bad decision got ${JSON.stringify(wrong)}`);

    // The record and the game page, saved.
    await page.click('#save-record');
    await page.click('#save-page');
    const record = await downloaded('curling-game.jsonl');
    const gamePage = await downloaded('curling-game.html');
    check(record !== null, 'no record was saved');
    check(gamePage !== null, 'no game page was saved');
    if (record !== null) {
      let replay = '';
      try {
        replay = execFileSync(match, ['--replay', record], {encoding: 'utf8'});
      } catch (failure) {
        failures.push(`curling-match --replay refused the record: ${failure.stdout}${failure.stderr}`);
      }
      const lines = fs.readFileSync(record, 'utf8').split('\n').filter((l) => l).map((l) => JSON.parse(l));
      const deliveries = lines.filter((l) => l.type === 'delivery');
      check(deliveries.length === 2 * stonesEach, `the record has ${deliveries.length} deliveries, not ${2 * stonesEach}`);
      const ending = lines.filter((l) => l.type === 'result')[0];
      check(ending && ending.points[0] === last.points[0] && ending.points[1] === last.points[1],
        'the record\'s points are not the page\'s');
      // The page's last position is the record's (and so the replay's).
      const after = deliveries[deliveries.length - 1].after;
      const finalShown = await page.evaluate(() => [...document.querySelectorAll('circle.stone')]
        .filter((c) => c.style.display !== 'none').map((c) => [Number(c.dataset.slot), Number(c.getAttribute('cx')), Number(c.getAttribute('cy'))]));
      for (const [slot, cx, cy] of finalShown) {
        check(Math.abs(cx - after[slot][0] * 100) <= 0.06 && Math.abs(cy - after[slot][1] * 100) <= 0.06,
          `stone ${slot} shows at (${cx}, ${cy}) cm, the record has it at (${after[slot]}) m`);
      }
      check(finalShown.length === after.filter((p) => p[0] !== 0 || p[1] !== 0).length,
        'the page shows a different number of stones from the record\'s last position');
      console.log(replay.trim().split('\n').slice(-1)[0]);
    }
    if (gamePage !== null) {
      const viewer = await browser.newPage();
      viewer.on('pageerror', (e) => errors.push(`game page: ${e}`));
      await viewer.goto('file://' + gamePage);
      const where = await viewer.evaluate(() => document.getElementById('where').textContent);
      check(/^End \d+, shot \d+$/.test(where), `the saved game page shows "${where}"`);
      await viewer.close();
    }
    await page.screenshot({path: screenshotPath});

    // A phone's width: nothing wider than the screen, the sheet and the
    // throw button on it.
    await page.setViewport({width: 390, height: 844, isMobile: true, hasTouch: true});
    await page.reload();
    await page.waitForSelector('body[data-ready="1"]', {timeout: 60000});
    const narrow = await page.evaluate(() => {
      const sheet = document.getElementById('sheet').getBoundingClientRect();
      const button = document.getElementById('throw').getBoundingClientRect();
      return {scroll: document.documentElement.scrollWidth, sheetLeft: sheet.left, sheetRight: sheet.right,
        sheetWidth: sheet.width, buttonRight: button.right};
    });
    check(narrow.scroll <= 390, `at 390 px the page is ${narrow.scroll} px wide`);
    check(narrow.sheetLeft >= 0 && narrow.sheetRight <= 390 && narrow.sheetWidth >= 250,
      `at 390 px the sheet spans ${narrow.sheetLeft} to ${narrow.sheetRight}`);
    check(narrow.buttonRight <= 390, 'at 390 px the throw button is off the screen');
    await page.screenshot({path: screenshotPath.replace(/\.png$/, '-narrow.png')});

    check(errors.length === 0, `errors in the console: ${errors.join(' | ')}`);
    console.log(`page loaded in ${loadMs} ms (module ready ${moduleMs} ms after the script began); ` +
      `engine ${engineMs} ms a move took ${Math.min(...engineTimes)} to ${Math.max(...engineTimes)} ms; ` +
      `longest frame gap while it thought ${Math.round(longestGap)} ms`);
  } finally {
    await browser.close();
  }
  if (failures.length > 0) {
    console.error(failures.join('\n'));
    process.exit(1);
  }
  console.log('the game was played, scored, saved and replayed');
})().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
