#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short while
# (seconds: first argument, default 30): the engine's command input, the
# reading of game records, the position lines curling-analyze reads, and the
# batches the Python module hands the library and the requests the play page
# hands its WebAssembly module.
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
# A record of one end is some 8 kB.
for run in command:4096 record:16384 position:4096 batch:4096 play:4096; do
  target=${run%%:*}
  mkdir "$work/$target"
  build-fuzz/bin/${target}_fuzz -max_total_time="$seconds" -timeout=5 -max_len="${run#*:}" \
    -print_final_stats=1 "$work/$target" "fuzz/corpus/$target"
done
