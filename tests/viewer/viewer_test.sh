#!/usr/bin/env bash
# The game page in a real browser: plays a short seeded game, writes its page
# with curling-analyze view, and lets page_test.js check it in headless
# Chromium. Without Chromium, Node or the test's npm packages the test is
# skipped (status 77) and says what is missing; CURLING_REQUIRE_BROWSER_TESTS=1
# (CI) makes that a failure.
#
#   viewer_test.sh MATCH ANALYZE OPPONENT1 OPPONENT2 WORKDIR SCREENSHOT
set -euo pipefail
match=$1 analyze=$2 first=$3 second=$4 work=$5 screenshot=$6
here=$(cd "$(dirname "$0")" && pwd)
chromium=${CURLING_CHROMIUM:-/usr/bin/chromium}  # found by CMake (tests/viewer/CMakeLists.txt)

. "$here/missing.sh"
[ -x "$chromium" ] || missing "Chromium is not installed ($chromium; scripts/install-deps.sh installs it)"
command -v node >/dev/null || missing "node is not installed (scripts/install-deps.sh installs it)"
[ -d "$here/node_modules/puppeteer-core" ] ||
  missing "$here/node_modules lacks puppeteer-core (scripts/install-deps.sh runs npm ci there)"

rm -rf "$work"
mkdir -p "$work" "$(dirname "$screenshot")"
# Both players seeded, so that the game is the same on every run.
"$match" --ends 2 --seed 11 --noise 0.3 --out "$work" "$first --seed 1" "$second --seed 2" >"$work/match.out" 2>&1 ||
  { cat "$work/match.out"; exit 1; }
"$analyze" view "$work/game-001.jsonl" -o "$work/viewed.html"
# The page as a program that gives no evaluation writes it: the chances are
# the data's last field, so the rest stays as it is.
sed -E 's/,"winChances":\[[^]]*\]//' "$work/viewed.html" >"$work/plain.html"
if cmp -s "$work/viewed.html" "$work/plain.html"; then
  echo "the page has no chances to take out" >&2
  exit 1
fi
node "$here/page_test.js" "$work/viewed.html" "$work/game-001.jsonl" "$screenshot" "$work/plain.html"
