#!/usr/bin/env bash
# Watches the engines of a match running beside it and prints, each time it
# grows, the largest peak resident size (VmHWM) of any process whose command
# starts with PATTERN, until stopped. A peak counts only if the process is
# alive at one of the looks, every SECONDS (default 10).
#
#   bench/watch_memory.sh PATTERN [SECONDS]    e.g. bench/watch_memory.sh '^build/bin/curling-engine'
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PATTERN [SECONDS]" >&2; exit 2; }
pattern=$1
every=${2:-10}
largest=0
while true; do
  for pid in $(pgrep -f "$pattern" || true); do
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    if [ -n "$peak" ] && [ "$peak" -gt "$largest" ]; then
      largest=$peak
      echo "$(date -u +%H:%M:%S) $largest kB: $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null || true)"
    fi
  done
  sleep "$every"
done
