#!/usr/bin/env bash
# Runs clang-tidy with the project's checks over every C++ source; fails on
# any finding. Uses the compile commands of the default build.
#
# A source that came out clean is remembered (in ~/.cache/curling-tidy) under
# a key of its own text, its compile command, every header (and every file
# the build embeds in one), the checks and clang-tidy's version, so that a
# later run, in this clone or another, checks only what could have changed. A
# finding is never remembered. The tables that programs write (learned weights,
# their test cases, the standing table) are numbers in a fixed form and stay
# out of the key, so that a new training run does not send every source back
# through clang-tidy.
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
  sha256sum .clang-tidy
  git ls-files -z '*.h' '*.inc' '*.js' '*.css' ':!search/strong/value_weights.inc' \
    ':!search/strong/standing_table.inc' ':!tests/search/value_model_cases.inc' | xargs -0 sha256sum
} | sha256sum | cut -d' ' -f1)
# Each source's compile command, with this clone's root taken out of it.
commands() {
  python3 - "$1" "$PWD" <<'PY'
import hashlib, json, os, sys
build, root = sys.argv[1:3]
for entry in json.load(open(os.path.join(build, "compile_commands.json"))):
    command = entry.get("command") or " ".join(entry["arguments"])
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    print(path, hashlib.sha256(command.replace(root, ".").encode()).hexdigest())
PY
}

# check FILE BUILD [EXTRA ARGS...]: clang-tidy on one source, its findings on
# standard output; a clean result goes into the cache.
check() {
  local file=$1 build=$2 key
  shift 2
  key=$( { echo "$common"; sha256sum "$file"; awk -v f="$file" '$1 == f {print; exit}' "$build/tidy-commands"; } |
    sha256sum | cut -d' ' -f1)
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
commands build > build/tidy-commands
git ls-files '*.cpp' | grep -v -e '^fuzz/' -e '_windows\.cpp$' |
  xargs -P "$(nproc)" -I{} bash -c 'check "$1" build' _ {} > build/tidy.out
if [ -f build-windows/compile_commands.json ]; then
  commands build-windows > build-windows/tidy-commands
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
