#!/usr/bin/env bash
# The Windows library computes the same physics as the Linux one, bit for bit:
# physics-digest.exe, linked with CurlingSimulator.dll and run under Wine,
# prints the same digests of the golden deliveries as the Linux physics-digest.
#
#   windows_physics.sh WINDOWS_PHYSICS_DIGEST LINUX_PHYSICS_DIGEST
set -uo pipefail
. "$(dirname "$0")/windows_common.sh"
windows=$1 linux=$2

[ -x "${CURLING_WINE:-}" ] || missing "$no_wine"
[ -f "$windows" ] || missing "$windows $not_built"
[ -f "$(dirname "$windows")/CurlingSimulator.dll" ] ||
  missing "$(dirname "$windows")/CurlingSimulator.dll $not_built"

expected=$("$linux") || { echo "the Linux physics-digest failed" >&2; exit 1; }
got=$("$CURLING_WINE" "$windows" | tr -d '\r') || {
  echo "physics-digest.exe failed under Wine; it printed:" >&2
  echo "$got" >&2
  exit 1
}
if [ "$got" != "$expected" ]; then
  echo "The Windows library's physics differs from the Linux library's." >&2
  echo "Under Wine (got):" >&2
  echo "$got" >&2
  echo "On Linux (expected):" >&2
  echo "$expected" >&2
  exit 1
fi
echo "$got"
