#!/usr/bin/env bash
# The WebAssembly build of the play page (the wasm preset, scripts/web.sh):
#   digest    the golden deliveries' digests under Node equal the native ones
#   requests  the module under Node answers requests.jsonl (whole games,
#             seeded decisions with a sample budget, the record) as the
#             native play-requests does, the decisions' times aside
#   worker    the engine's worker script answers every message, bad ones
#             with an error (worker_test.js)
#   exports   the physics library's C functions, called from Node by their names
#   page      curling-play.html is one file under 3 MB that loads nothing
#   browser   a whole game played by clicking in headless Chromium, its
#             record replayed by curling-match (play_test.js)
# Skipped (status 77) with the reason when the build, Node, Chromium or the
# npm packages are missing; CURLING_REQUIRE_WEB_TESTS=1 (CI) makes that a
# failure.
#
#   web_test.sh MODE WEB_BUILD WORKDIR PHYSICS_DIGEST PLAY_REQUESTS MATCH SCREENSHOT
set -euo pipefail
mode=$1 web=$2 work=$3 digest=$4 requests=$5 match=$6 screenshot=$7
here=$(cd "$(dirname "$0")" && pwd)
. "$here/missing.sh"
page=$web/curling-play.html
module=$web/bin/curling-play.js
chromium=${CURLING_CHROMIUM:-/usr/bin/chromium}

command -v node >/dev/null || missing "node is not installed (scripts/install-deps.sh installs it)"
[ -f "$page" ] && [ -f "$module" ] ||
  missing "$page is not built (scripts/web.sh builds it, with emscripten from scripts/install-deps.sh --web)"
rm -rf "$work"
mkdir -p "$work"

# Each reply's JSON with the decisions' clock time taken out, and the executed
# releases (in replies and in the record's lines) to 14 digits: the browser's
# maths library rounds a sine or logarithm of the execution error a unit in
# the last place apart now and then (docs/records.md); everything else, the
# positions and the paths included, must be the same to the bit.
timeless() {
  node -e '
    const rounded = (v) => Array.isArray(v) ? v.map((x) => Number(x.toPrecision(14)))
      : {vx: Number(v.vx.toPrecision(14)), vy: Number(v.vy.toPrecision(14))};
    const lines = require("fs").readFileSync(0, "utf8").split("\n").filter((l) => l);
    for (const l of lines) {
      const r = JSON.parse(l);
      delete r.ms;
      if (r.executed) r.executed = rounded(r.executed);
      if (typeof r.record === "string") {
        r.record = r.record.split("\n").filter((x) => x).map((x) => {
          const line = JSON.parse(x);
          if (line.executed) line.executed = rounded(line.executed);
          return line;
        });
      }
      console.log(JSON.stringify(r));
    }'
}

case $mode in
  digest)
    [ -f "$web/bin/physics-digest.js" ] || missing "$web/bin/physics-digest.js is not built"
    expected=$("$digest")
    got=$(node "$web/bin/physics-digest.js")
    if [ "$got" != "$expected" ]; then
      echo "The physics under Node differs from the native library's." >&2
      diff <(echo "$expected") <(echo "$got") >&2 || true
      exit 1
    fi
    echo "$got" ;;
  requests)
    "$requests" <"$here/requests.jsonl" | timeless >"$work/native.jsonl"
    node "$here/module_requests.js" "$module" <"$here/requests.jsonl" | timeless >"$work/module.jsonl"
    if ! cmp -s "$work/native.jsonl" "$work/module.jsonl"; then
      echo "The module's replies differ from the native ones (first difference):" >&2
      diff "$work/native.jsonl" "$work/module.jsonl" | head -c 3000 >&2 || true
      exit 1
    fi
    grep -c . "$work/native.jsonl" | xargs echo "replies alike:" ;;
  worker)
    node "$here/worker_test.js" "$module" "$here/../../web" ;;
  exports)
    node "$here/exports_test.js" "$module" ;;
  page)
    size=$(stat -c %s "$page")
    echo "curling-play.html: $size bytes"
    [ "$size" -lt 3000000 ] || { echo "the page is over 3 MB" >&2; exit 1; }
    # Nothing fetched from anywhere: no source, link or import by address.
    if grep -Eqi '<(script|link|img|iframe)[^>]+(src|href)=' "$page"; then
      echo "the page refers to another file" >&2
      exit 1
    fi ;;
  browser)
    [ -x "$chromium" ] || missing "Chromium is not installed ($chromium; scripts/install-deps.sh installs it)"
    viewer=$here/../viewer/node_modules
    [ -d "$viewer/puppeteer-core" ] ||
      missing "$viewer lacks puppeteer-core (scripts/install-deps.sh runs npm ci there)"
    mkdir -p "$(dirname "$screenshot")"
    NODE_PATH=$viewer CURLING_CHROMIUM=$chromium \
      node "$here/play_test.js" "$page" "$work" "$match" "$screenshot" ;;
  *)
    echo "usage: $0 digest|requests|worker|exports|page|browser WEB_BUILD WORKDIR ..." >&2
    exit 2 ;;
esac
