#!/usr/bin/env bash
# Builds with another preset and runs its tests: "release" (g++, Release; the
# packages come from this build: cpack in build-release) or "clang". The
# Windows programs' cases run only in the default build (scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
preset=${1:?usage: scripts/build.sh release|clang}
case "$preset" in
  release | clang) ;;
  *) echo "unknown preset: $preset" >&2; exit 2 ;;
esac
scripts/install-deps.sh
configure "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
# The pages' own tests and the documented scripts' (labels "page" and
# "script") do not depend on the preset: the default build's tests run them.
ctest --preset "$preset" -j "$(nproc)" --label-exclude 'page|script'
