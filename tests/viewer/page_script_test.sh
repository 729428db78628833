#!/usr/bin/env bash
# The game page's and the play page's scripts outside a browser, from the
# project's root:
#   syntax  node --check on each of the page's scripts
#   lint    ESLint's rules (eslint.config.js) on them and on these tests
#   parts   the parts that touch no document, under Node's test runner
# Without Node, or ESLint for lint, the test is skipped (status 77) and says
# what is missing; CURLING_REQUIRE_BROWSER_TESTS=1 (CI) makes that a failure.
#
#   page_script_test.sh syntax|lint|parts
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/missing.sh"
cd "$here/../.."
# The pages' scripts: every .js beside the code that writes the game page, and
# the play page's.
scripts=(match/reports/*.js web/*.js)

command -v node >/dev/null || missing "node is not installed (scripts/install-deps.sh installs it)"
case ${1:-} in
  syntax)
    for script in "${scripts[@]}"; do node --check "$script"; done
    echo "${scripts[*]}: no syntax error" ;;
  lint)
    eslint=tests/viewer/node_modules/eslint/bin/eslint.js
    [ -f "$eslint" ] ||
      missing "tests/viewer/node_modules lacks eslint (scripts/install-deps.sh runs npm ci there)"
    node "$eslint" --max-warnings 0 --config tests/viewer/eslint.config.js "${scripts[@]}" \
      tests/viewer/*.js tests/web/*.js
    echo "ESLint finds nothing in the page's scripts or the tests" ;;
  parts)
    node --test tests/viewer/page_parts_test.js tests/web/play_parts_test.js ;;
  *)
    echo "usage: $0 syntax|lint|parts" >&2
    exit 2 ;;
esac
