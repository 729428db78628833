#!/usr/bin/env bash
# Runs clang-tidy with the project's checks over every C++ source; fails on
# any finding. Uses the compile commands of the default build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
scripts/install-deps.sh
configure default
# The headers the build generates, which sources include.
cmake --build build --target generated_headers >/dev/null
# The fuzz targets compile only in the fuzz build, so they have no entry here;
# the Windows sources only in the Windows build, checked with its commands
# when it is there (scripts/windows.sh).
git ls-files '*.cpp' | grep -v -e '^fuzz/' -e '_windows\.cpp$' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet > build/tidy.out 2>&1 || true
if [ -f build-windows/compile_commands.json ]; then
  mingw=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ | head -n 1)
  git ls-files '*_windows.cpp' | xargs -r clang-tidy -p build-windows --quiet \
    --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-isystem"$mingw" \
    --extra-arg=-isystem"$mingw/x86_64-w64-mingw32" >> build/tidy.out 2>&1 || true
fi
grep -E 'warning:|error:|Error while processing' build/tidy.out > build/tidy.log || true
if [ -s build/tidy.log ]; then
  cat build/tidy.log
  echo "clang-tidy: $(wc -l < build/tidy.log) findings" >&2
  exit 1
fi
echo "clang-tidy: no findings"
