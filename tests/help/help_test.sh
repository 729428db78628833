#!/usr/bin/env bash
# A program's help against its golden text: what a program says it does
# changes only on purpose. Prints the difference on a mismatch; with
# CURLING_UPDATE_HELP=1 writes the golden text instead (tests/help/update.sh).
#
#   help_test.sh GOLDEN PROGRAM [ARGUMENTS...]
set -euo pipefail
golden=$1
shift
if ! out=$("$@" 2>&1); then
  echo "$* exited with status $?" >&2
  exit 1
fi
if [ "${CURLING_UPDATE_HELP:-0}" = 1 ]; then
  printf '%s\n' "$out" >"$golden"
  exit 0
fi
if ! diff -u "$golden" <(printf '%s\n' "$out"); then
  echo "the help of $(basename "$1") differs from $golden (tests/help/update.sh rewrites it)" >&2
  exit 1
fi
