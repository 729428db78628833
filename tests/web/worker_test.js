// The engine's worker as the page starts it: the module's script, the play
// parts and the worker's script run together in a worker thread, with
// `self` standing for the worker's global. Every message gets one reply
// within a generous time: an error for anything but a well-formed decision,
// a legal shot for one.
//
//   node worker_test.js curling-play.js WEB_SOURCE_DIR
'use strict';
const fs = require('fs');
const path = require('path');
const {Worker} = require('worker_threads');

const [modulePath, webDir] = process.argv.slice(2);
const source = [fs.readFileSync(modulePath, 'utf8'), fs.readFileSync(path.join(webDir, 'play_parts.js'), 'utf8'),
  fs.readFileSync(path.join(webDir, 'play_worker.js'), 'utf8')].join('\n;\n');
// The worker's global as a browser gives it: onmessage set by the script,
// postMessage back to the page.
const prelude = `
const {parentPort} = require('worker_threads');
globalThis.self = globalThis;
globalThis.postMessage = (data) => parentPort.postMessage(data);
parentPort.on('message', (data) => globalThis.onmessage({data}));
`;
const worker = new Worker(prelude + `require('vm').runInThisContext(${JSON.stringify(source)});`,
  {eval: true});

const stones = Array.from({length: 16}, () => [0, 0]);
const position = {stones, shot: 0, end: 0, lastEnd: 1, turnFlag: 0};
const decide = {op: 'decide', position, lead: 0, timeMs: 60000, samples: 300, seed: 1};
const cases = [
  ['a string', 'GO', 'error'],
  ['null', null, 'error'],
  ['no request', {id: 1}, 'error'],
  ['a request that is not a decision', {id: 2, request: {op: 'new', ends: 2, hammer: 'engine'}}, 'error'],
  ['an unknown op', {id: 3, request: {op: 'explode'}}, 'error'],
  ['fifteen stones', {id: 4, request: {...decide, position: {...position, stones: stones.slice(1)}}}, 'error'],
  ['shot 16', {id: 5, request: {...decide, position: {...position, shot: 16}}}, 'error'],
  ['a time too long', {id: 6, request: {...decide, timeMs: 600000}}, 'error'],
  ['a lead out of range', {id: 7, request: {...decide, lead: 1000}}, 'error'],
  ['a decision', {id: 8, request: decide}, 'reply'],
  ['a decision by the clock', {id: 9, request: {op: 'decide', position, lead: 0, timeMs: 300}}, 'reply'],
];

const failures = [];
let index = 0;
let timer = null;
function next() {
  if (index === cases.length) {
    worker.terminate();
    if (failures.length > 0) {
      console.error(failures.join('\n'));
      process.exit(1);
    }
    console.log(`${cases.length} messages, each answered as it should be`);
    return;
  }
  const [what, message] = cases[index];
  // The first message also waits for the module to load.
  timer = setTimeout(() => {
    console.error(`no reply to ${what} within 60 s`);
    process.exit(1);
  }, 60000);
  worker.postMessage(message);
}
worker.on('message', (reply) => {
  clearTimeout(timer);
  const [what, message, expected] = cases[index];
  const id = message !== null && typeof message === 'object' && typeof message.id === 'number' ? message.id : null;
  if (reply.id !== id) failures.push(`${what}: the reply's id is ${reply.id}, not ${id}`);
  if (expected === 'error' && typeof reply.error !== 'string') {
    failures.push(`${what}: no error but ${JSON.stringify(reply)}`);
  }
  if (expected === 'reply' && !(reply.reply && /^BESTSHOT \S+ \S+ [01]$/.test(reply.reply.reply))) {
    failures.push(`${what}: no shot but ${JSON.stringify(reply)}`);
  }
  if (what === 'a decision by the clock' && reply.reply && reply.reply.ms > 3000) {
    failures.push(`${what}: took ${reply.reply.ms} ms of its 300`);
  }
  index++;
  next();
});
worker.on('error', (error) => {
  console.error(`the worker failed: ${error.stack || error}`);
  process.exit(1);
});
next();
