// The same as play-requests, through the WebAssembly module under Node: one
// JSON request a line on standard input (lines starting with # skipped), one
// reply a line on standard output.
//
//   node module_requests.js curling-play.js < requests
'use strict';
const fs = require('fs');
const factory = require(require('path').resolve(process.argv[2]));

factory().then((module) => {
  const lines = fs.readFileSync(0, 'utf8').split('\n').filter((l) => l && !l.startsWith('#'));
  const out = lines.map((l) => module.ccall('PlayRequest', 'string', ['string'], [l]));
  process.stdout.write(out.map((l) => l + '\n').join(''));
});
