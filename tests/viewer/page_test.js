// Opens a game's page in Chromium and checks it against the game's record:
// the result with the winner's points first, the stones drawn where the record
// has them, ends, shots and stones numbered from 1 as people count them,
// stepping by keys and buttons, links to a delivery (which count from 0, as
// the record does), playing a delivery, the graph of the chances of winning
// and a click on it, a phone's width, and no error from the page's own
// script; then the same page written without chances, which has no graph.
// Saves a screenshot of one position.
//
//   node page_test.js PAGE RECORD SCREENSHOT PAGE_WITHOUT_CHANCES
'use strict';
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [pagePath, recordPath, screenshotPath, plainPagePath] = process.argv.slice(2);
const chromium = process.env.CURLING_CHROMIUM || '/usr/bin/chromium';
const failures = [];
const check = (ok, what) => { if (!ok) failures.push(what); };

const lines = fs.readFileSync(recordPath, 'latin1').split('\n').filter((l) => l)
  .map((l) => JSON.parse(l));
const deliveries = lines.filter((l) => l.type === 'delivery');
const header = lines.find((l) => l.type === 'header');
const result = lines.find((l) => l.type === 'result');

// The stones the page draws, in page units (centimetres) and in pixels, and
// where the record's values fall in pixels through the view box.
async function drawn(page) {
  return page.evaluate(() => {
    const svg = document.getElementById('sheet');
    const box = svg.viewBox.baseVal;
    const rect = svg.getBoundingClientRect();
    const stones = [...document.querySelectorAll('circle.stone')]
      .filter((c) => getComputedStyle(c).display !== 'none')
      .map((c) => {
        const r = c.getBoundingClientRect();
        return {slot: Number(c.dataset.slot), cx: Number(c.getAttribute('cx')),
                cy: Number(c.getAttribute('cy')), px: r.left + r.width / 2, py: r.top + r.height / 2,
                label: c.nextElementSibling.textContent};
      });
    return {box: {x: box.x, y: box.y, width: box.width, height: box.height},
            rect: {left: rect.left, top: rect.top, width: rect.width, height: rect.height},
            stones, where: document.getElementById('where').textContent, hash: location.hash};
  });
}

async function expectDelivery(page, k, how) {
  const d = deliveries[k];
  const shown = await drawn(page);
  const label = `${how}: end ${d.end} shot ${d.shot}`;
  check(shown.where === `End ${d.end + 1}, shot ${d.shot + 1}`, `${label}: the page says "${shown.where}"`);
  check(shown.hash === `#end=${d.end}&shot=${d.shot}`, `${label}: the address ends in ${shown.hash}`);
  const scaleX = shown.rect.width / shown.box.width;
  const scaleY = shown.rect.height / shown.box.height;
  const expected = [];
  d.after.forEach(([x, y], slot) => { if (x !== 0 || y !== 0) expected.push({slot, x, y}); });
  check(shown.stones.length === expected.length,
        `${label}: ${shown.stones.length} stones drawn, the record has ${expected.length}`);
  for (const e of expected) {
    const s = shown.stones.find((c) => c.slot === e.slot);
    if (!s) { failures.push(`${label}: stone ${e.slot} is not drawn`); continue; }
    check(s.label === String(e.slot + 1), `${label}: stone ${e.slot} is numbered ${s.label}`);
    check(Math.abs(s.cx - e.x * 100) <= 0.06 && Math.abs(s.cy - e.y * 100) <= 0.06,
          `${label}: stone ${e.slot} at (${s.cx}, ${s.cy}) cm, the record has (${e.x}, ${e.y}) m`);
    const px = shown.rect.left + (e.x * 100 - shown.box.x) * scaleX;
    const py = shown.rect.top + (e.y * 100 - shown.box.y) * scaleY;
    check(Math.abs(s.px - px) <= 1 && Math.abs(s.py - py) <= 1,
          `${label}: stone ${e.slot} shows at pixel (${s.px}, ${s.py}), the record's place is (${px}, ${py})`);
  }
}

const index = (end, shot) => deliveries.findIndex((d) => d.end === end && d.shot === shot);

(async () => {
  const args = ['--headless=new', '--disable-gpu', '--no-first-run', '--allow-file-access-from-files'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');  // root has no sandbox
  const browser = await puppeteer.launch({executablePath: chromium, args, headless: true});
  try {
    const page = await browser.newPage();
    page.on('pageerror', (e) => failures.push(`page error: ${e.message}`));
    page.on('console', (m) => { if (m.type() === 'error') failures.push(`console error: ${m.text()}`); });
    await page.setViewport({width: 1000, height: 900});
    const url = 'file://' + path.resolve(pagePath);

    // The busiest position of the second end, opened by a link as links have
    // always been written: the record's end 1, shot 12, shown as end 2, shot 13.
    const k = index(1, 12);
    if (k < 0) throw new Error(`${recordPath} has no end 1, shot 12`);
    await page.goto(`${url}#end=1&shot=12`);
    await expectDelivery(page, k, 'opened by its link');
    await page.screenshot({path: screenshotPath});

    // The result as the scoreboard gives it, the winner's points first. Player
    // 2 wins the test game, so player 1's points first would not pass.
    const names = header.players.map((p) => p.name);
    const w = result.winner - 1;
    check(result.outcome === 'win' && w === 1, `player ${result.winner} wins the test game, not 2`);
    const resultText = await page.$eval('.result', (e) => e.textContent);
    const wins = `${names[w]} (player ${w + 1}) wins ${result.points[w]}\u2013${result.points[1 - w]} (${result.reason})`;
    check(resultText === wins, `the result reads "${resultText}", not "${wins}"`);

    // Ends numbered from 1 in the line score and the list of ends, each naming
    // the record's end (from 0) that it opens.
    const numbering = await page.evaluate(() => ({
      columns: [...document.querySelectorAll('#line-score .end-button')]
        .map((b) => `${b.textContent}:${b.dataset.end}`).join(' '),
      options: [...document.querySelectorAll('#end-select option')]
        .map((o) => `${o.textContent}:${o.value}`).join(', '),
    }));
    // Every end played, an extra end after a tie too.
    const ends = [...new Set(deliveries.map((d) => d.end))].sort((a, b) => a - b);
    const columns = ends.map((e) => `${e + 1}:${e}`).join(' ');
    check(numbering.columns === columns, `the line score's ends are ${numbering.columns}, not ${columns}`);
    const options = ends.map((e) => `End ${e + 1}:${e}`).join(', ');
    check(numbering.options === options, `the list of ends is ${numbering.options}, not ${options}`);

    await page.keyboard.press('ArrowRight');
    await expectDelivery(page, k + 1, 'right arrow');
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.press('ArrowLeft');
    await expectDelivery(page, k - 1, 'left arrow twice');
    await page.click('#next');
    await expectDelivery(page, k, 'next button');
    await page.click('#previous');
    await expectDelivery(page, k - 1, 'previous button');
    await page.keyboard.press('End');
    await expectDelivery(page, deliveries.length - 1, 'End key');
    await page.keyboard.press('Home');
    await expectDelivery(page, 0, 'Home key');
    await page.click('#last');
    await expectDelivery(page, deliveries.length - 1, 'last button');
    await page.select('#end-select', '0');
    await expectDelivery(page, 0, 'end chosen');
    await page.click('#line-score .end-button[data-end="1"]');
    await expectDelivery(page, index(1, 0), "the line score's end 2");

    // Links followed while the page is open: to an end's first stone, and to
    // a delivery.
    await page.evaluate(() => { location.hash = '#end=1'; });
    await page.waitForFunction(() => document.getElementById('where').textContent === 'End 2, shot 1');
    await expectDelivery(page, index(1, 0), 'link to an end followed');
    await page.evaluate(() => { location.hash = '#end=0&shot=5'; });
    await page.waitForFunction(() => document.getElementById('where').textContent === 'End 1, shot 6');
    await expectDelivery(page, index(0, 5), 'link followed');

    // Playing a delivery: the stones move, then rest where the record has them.
    await page.select('#speed', '8');
    await page.keyboard.press('ArrowRight');
    const before = (await drawn(page)).stones.length;
    await page.click('#play');
    await page.waitForFunction(() => document.getElementById('play').textContent === 'Stop');
    await page.waitForFunction(() => document.getElementById('play').textContent === 'Play',
                               {timeout: 20000});
    await expectDelivery(page, index(0, 6), 'after playing');
    check(before > 0, 'the delivery played shows no stone');

    // The graph: a point for every delivery, in the range of a chance, the
    // delivery shown marked; a click on a point goes to its delivery.
    const graph = await page.evaluate(() => [...document.querySelectorAll('#chance-graph circle.chance-point')]
      .map((c) => ({index: Number(c.dataset.index), current: c.classList.contains('current'),
                    title: c.textContent})));
    check(graph.length === deliveries.length,
          `the graph has ${graph.length} points for ${deliveries.length} deliveries`);
    check(graph.every((p, n) => p.index === n), 'the graph\'s points are not in the order of the deliveries');
    const shownNow = index(0, 6);
    check(graph.filter((p) => p.current).map((p) => p.index).join() === String(shownNow),
          `the graph marks points ${graph.filter((p) => p.current).map((p) => p.index)}, not ${shownNow}`);
    check(graph.length > 0 && graph[0].title.startsWith('End 1, shot 1: '),
          `the first point is titled "${graph.length > 0 ? graph[0].title : ''}"`);
    for (const point of [index(1, 3), 0, deliveries.length - 1]) {
      await page.click(`#chance-graph circle.chance-point[data-index="${point}"]`);
      await expectDelivery(page, point, `point ${point} of the graph clicked`);
    }

    // A phone's width: nothing wider than the screen.
    await page.setViewport({width: 390, height: 844, isMobile: true, hasTouch: true});
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    check(overflow <= 0, `at a phone's width the page is ${overflow} px too wide`);
    await expectDelivery(page, deliveries.length - 1, "at a phone's width");

    // A page written without chances: no graph, and the rest as before.
    const plain = await browser.newPage();
    plain.on('pageerror', (e) => failures.push(`page without chances: page error: ${e.message}`));
    plain.on('console', (m) => {
      if (m.type() === 'error') failures.push(`page without chances: console error: ${m.text()}`);
    });
    await plain.setViewport({width: 1000, height: 900});
    await plain.goto(`file://${path.resolve(plainPagePath)}#end=1&shot=12`);
    check(await plain.$('#chance-graph') === null, 'the page without chances has a graph');
    check(await plain.$eval('#chances', (e) => e.childElementCount) === 0,
          'the page without chances has something where the graph goes');
    await expectDelivery(plain, k, 'page without chances');
  } finally {
    await browser.close();
  }
  if (failures.length > 0) {
    console.error(failures.join('\n'));
    process.exit(1);
  }
  console.log(`the page shows the record; screenshot: ${screenshotPath}`);
})().catch((e) => { console.error(e.stack || String(e)); process.exit(1); });
