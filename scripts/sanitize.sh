#!/usr/bin/env bash
# Builds and runs the tests under a sanitizer: "address" (ASan + UBSan) or "thread".
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
kind=${1:?usage: scripts/sanitize.sh address|thread}
case "$kind" in
  address) preset=asan ;;
  thread) preset=tsan ;;
  *) echo "unknown sanitizer: $kind" >&2; exit 2 ;;
esac
scripts/install-deps.sh
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
configure "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
# The pages' own tests and the documented scripts' (labels "page" and
# "script") do not depend on the preset: the default build's tests run them.
ctest --preset "$preset" -j "$(nproc)" --label-exclude 'page|script'
