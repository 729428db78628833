#!/usr/bin/env bash
# Runs clang-tidy with the project's checks over every C++ source; fails on
# any finding. Uses the compile commands of the default build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
# The fuzz targets compile only in the fuzz build, so they have no entry here.
git ls-files '*.cpp' | grep -v '^fuzz/' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet > build/tidy.out 2>&1 || true
grep -E 'warning:|error:|Error while processing' build/tidy.out > build/tidy.log || true
if [ -s build/tidy.log ]; then
  cat build/tidy.log
  echo "clang-tidy: $(wc -l < build/tidy.log) findings" >&2
  exit 1
fi
echo "clang-tidy: no findings"
