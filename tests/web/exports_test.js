// The module's exports of the physics library, under their C names, called
// as any script would call them: a draw to the tee made and simulated on an
// empty sheet comes to rest in the house, and scores.
//
//   node exports_test.js curling-play.js
'use strict';
const factory = require(require('path').resolve(process.argv[2]));

const names = ['_Simulation', '_CreateShot', '_CreateHitShot', '_GetScore', '_SeedSimulator',
  '_SimulationWithReport', '_SimulationWithPaths'];
factory().then((m) => {
  const missing = names.filter((name) => typeof m[name] !== 'function');
  if (missing.length > 0) throw new Error(`not exported: ${missing.join(', ')}`);
  // struct ShotPos {float x, y; uint8_t spin;} and ShotVec alike: 12 bytes;
  // struct GameState: 184 bytes, the stones from byte 56.
  const target = m._malloc(12);
  const shot = m._malloc(12);
  const state = m._malloc(184);
  m.HEAPU8.fill(0, state, state + 184);
  m.HEAPF32[target / 4] = 2.375;
  m.HEAPF32[target / 4 + 1] = 4.88;
  m.HEAPU8[target + 8] = 0;
  if (m._CreateShot(target, shot) !== 0) throw new Error('CreateShot refused the tee');
  m.HEAP32[state / 4 + 2] = 7;  // lastEnd
  m._SeedSimulator(1, 0);
  // Simulation(state, shot by value, noise, reserved, reserved): a struct
  // passed by value goes as the address of a copy.
  if (m._Simulation(state, shot, 0, 0, 0) !== 0) throw new Error('Simulation refused the draw');
  const x = m.HEAPF32[state / 4 + 14];
  const y = m.HEAPF32[state / 4 + 15];
  if (Math.hypot(x - 2.375, y - 4.88) > 0.05) throw new Error(`the draw to the tee stopped at (${x}, ${y})`);
  // One stone in the house, on the side that delivered first: a point.
  const score = m._GetScore(state);
  if (score !== 1) throw new Error(`GetScore gives ${score} for one stone on the tee`);
  console.log(`exported: ${names.join(' ')}; a draw to the tee stopped at (${x.toFixed(3)}, ${y.toFixed(3)})`);
}).catch((error) => {
  console.error(error.message);
  process.exit(1);
});
