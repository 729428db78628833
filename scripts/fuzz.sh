#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short while
# (seconds: first argument, default 30): the engine's command input, the
# reading of game records, the position lines curling-analyze reads, and the
# batches the Python module hands the library and the requests the play page
# hands its WebAssembly module. A fuzzer runs on one thread, so as many run
# at once as there are processors; each one's output is shown when it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
seconds=${1:-30}
scripts/install-deps.sh
configure fuzz
cmake --build --preset fuzz -j "$(nproc)" --target command_fuzz record_fuzz position_fuzz batch_fuzz play_fuzz
# The seed corpora stay as committed; new inputs go to scratch directories.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# fuzz TARGET:MAX_LEN: one fuzzer's run, its output printed whole when it ends.
fuzz() {
  local target=${1%%:*} status=0
  mkdir "$work/$target"
  build-fuzz/bin/"$target"_fuzz -max_total_time="$seconds" -timeout=5 -max_len="${1#*:}" \
    -print_final_stats=1 "$work/$target" "fuzz/corpus/$target" >"$work/$target.log" 2>&1 ||
    status=$?
  cat "$work/$target.log"
  if [ "$status" -ne 0 ]; then
    echo "fuzzing: $target found a fault (above)" >&2
    return 1
  fi
}
export -f fuzz
export work seconds
# A record of one end is some 8 kB.
printf '%s\n' command:4096 record:16384 position:4096 batch:4096 play:4096 |
  xargs -P "$(nproc)" -I{} bash -c 'fuzz "$1"' _ {}
