// ESLint's rules for the game page's and the play page's scripts and for
// their tests, run from the project's root (tests/viewer/page_script_test.sh
// lint). The page keeps to
// ES5 in plain scripts, which every browser runs; the tests are Node's.
'use strict';
const js = require('@eslint/js');

// What the page's script uses of the browser; the tests hand some of it to
// the page from Node.
const browser = {
  document: 'readonly', window: 'readonly', location: 'readonly', history: 'readonly',
  getComputedStyle: 'readonly', requestAnimationFrame: 'readonly', cancelAnimationFrame: 'readonly',
};
const node = {require: 'readonly', module: 'writable', process: 'readonly', console: 'readonly',
              __dirname: 'readonly', setTimeout: 'readonly', clearTimeout: 'readonly',
              performance: 'readonly'};
const page = {ecmaVersion: 5, sourceType: 'script'};
const rules = {eqeqeq: 'error', 'no-shadow': 'error'};

module.exports = [
  js.configs.recommended,
  {
    files: ['match/reports/game_page_parts.js'],
    languageOptions: {...page, globals: {module: 'writable'}},
    rules,
  },
  {
    files: ['match/reports/game_page.js'],
    languageOptions: {...page, globals: {...browser, GamePageParts: 'readonly'}},
    rules,
  },
  {
    files: ['web/play_parts.js'],
    languageOptions: {...page, globals: {module: 'writable'}},
    rules,
  },
  {
    files: ['web/play_page.js'],
    languageOptions: {...page, globals: {...browser, GamePageParts: 'readonly', PlayParts: 'readonly',
                                         Promise: 'readonly', Uint8Array: 'readonly'}},
    rules,
  },
  {
    // Runs in the engine's worker after the module's script and the parts.
    files: ['web/play_worker.js'],
    languageOptions: {...page, globals: {self: 'readonly', CurlingModule: 'readonly', PlayParts: 'readonly'}},
    rules,
  },
  {
    files: ['tests/viewer/*.js', 'tests/web/*.js'],
    languageOptions: {ecmaVersion: 2022, sourceType: 'commonjs', globals: {...browser, ...node}},
    rules,
  },
];
