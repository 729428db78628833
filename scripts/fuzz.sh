#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs the command fuzzer for a
# short while (seconds: first argument, default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target command_fuzz
# The seed corpus stays as committed; new inputs go to a scratch directory.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-fuzz/bin/command_fuzz -max_total_time="$seconds" -timeout=5 -max_len=4096 \
  -print_final_stats=1 "$work" fuzz/corpus/command
