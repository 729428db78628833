#!/usr/bin/env bash
# The test suite as a machine without the optional parts sees it: a second
# build of the default preset (build-plain/) whose cache points every optional
# part's programs at nothing. Each optional part's cases must report skipped,
# none may fail, and every other case must pass. This is what a fresh machine
# that ran only the README's commands gets, which a CI with everything
# installed would otherwise never see.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh

# One line per optional part: the prefix of its tests, then the cache variables
# through which its tests find what they need.
optional_parts=(
  "Windows CURLING_WINE CURLING_WINDOWS_BIN CURLING_MINGW_OBJDUMP"
  "Viewer CURLING_CHROMIUM"
  "Python CURLING_PYTHON"
  "Web CURLING_WEB_BUILD"
)

build=build-plain
nothing=/nonexistent/optional-part
absent=()
prefixes=()
for part in "${optional_parts[@]}"; do
  read -r prefix variables <<<"$part"
  prefixes+=("$prefix")
  for variable in $variables; do absent+=("-D$variable=$nothing"); done
done

scripts/install-deps.sh
configure default -B "$build" "${absent[@]}"
cmake --build "$build" -j "$(nproc)"
# Outside CI a missing part skips; the variables that make it fail
# (CURLING_REQUIRE_*, one per part) must not leak in from CI's environment.
log=$build/ctest.log
(
  for variable in $(compgen -e); do
    if [[ $variable == CURLING_REQUIRE_* ]]; then unset "$variable"; fi
  done
  ctest --test-dir "$build" -j "$(nproc)" --output-on-failure >"$log" 2>&1
) || true

# Every case's line: "12/240 Test  #7: Name ....   Passed    0.01 sec".
awk -v optional="$(IFS='|'; echo "${prefixes[*]}")" '
  / Test +#[0-9]+: / {
    name = $0; sub(/.*Test +#[0-9]+: /, "", name); sub(/ .*/, "", name)
    status = $0 ~ /\*\*\*Skipped/ ? "skipped" : ($0 ~ / Passed / ? "passed" : "failed")
    part = name; sub(/\..*/, "", part)
    wanted = part ~ ("^(" optional ")$") ? "skipped" : "passed"
    cases++
    if (status != wanted) { bad++; print name ": " status ", should be " wanted }
  }
  END {
    if (cases == 0) { print "no test ran"; exit 1 }
    if (bad > 0) { print bad " of " cases " cases as a plain machine sees them are wrong"; exit 1 }
    print cases " cases as a plain machine sees them: the optional parts skipped, the rest passed"
  }' "$log" || { cat "$log"; exit 1; }
