#!/usr/bin/env bash
# Runs clang-tidy with the project's checks over every C++ source; fails on
# any finding. Uses the compile commands of the default build.
#
# A source that came out clean is remembered (in ~/.cache/curling-tidy) under
# a key of its own text, every header, script and build file of the project,
# the checks and clang-tidy's version, so that a later run, in this clone or
# another, checks only what could have changed. A finding is never remembered.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
scripts/install-deps.sh
configure default
# The headers the build generates (the game page's files) must exist first.
cmake --build --preset default --target generated_headers >/dev/null

cache=${XDG_CACHE_HOME:-$HOME/.cache}/curling-tidy
mkdir -p "$cache"
common=$({
  clang-tidy --version
  git ls-files -z ':!*.cpp' | xargs -0 sha256sum
} | sha256sum | cut -d' ' -f1)

# check FILE BUILD [EXTRA ARGS...]: clang-tidy on one source, its findings on
# standard output; a clean result goes into the cache.
check() {
  local file=$1 build=$2 key
  shift 2
  key=$( { echo "$common"; sha256sum "$file"; } | sha256sum | cut -d' ' -f1)
  [ -e "$cache/$key" ] && return 0
  local out
  out=$(clang-tidy -p "$build" --quiet "$@" "$file" 2>&1 || true)
  if grep -qE 'warning:|error:|Error while processing' <<<"$out"; then
    echo "$out"
  else
    touch "$cache/$key"
  fi
}
export -f check
export common cache

# The fuzz targets compile only in the fuzz build, so they have no entry here;
# the Windows sources only in the Windows build, checked with its commands
# when it is there (scripts/windows.sh).
git ls-files '*.cpp' | grep -v -e '^fuzz/' -e '_windows\.cpp$' |
  xargs -P "$(nproc)" -I{} bash -c 'check "$1" build' _ {} > build/tidy.out
if [ -f build-windows/compile_commands.json ]; then
  mingw=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ | head -n 1)
  git ls-files '*_windows.cpp' | xargs -r -I{} bash -c 'check "$1" build-windows \
    --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-isystem"$2" \
    --extra-arg=-isystem"$2/x86_64-w64-mingw32"' _ {} "$mingw" >> build/tidy.out
fi
grep -E 'warning:|error:|Error while processing' build/tidy.out > build/tidy.log || true
if [ -s build/tidy.log ]; then
  cat build/tidy.log
  echo "clang-tidy: $(wc -l < build/tidy.log) findings" >&2
  exit 1
fi
echo "clang-tidy: no findings"
