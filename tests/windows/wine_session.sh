#!/usr/bin/env bash
# The Wine session of a test run: "start" boots the prefix (slow only the
# first time) and keeps one Wine server up for all the cases, "stop" ends it.
# The prefix and a log of Wine's own output are in the build tree.
set -uo pipefail
. "$(dirname "$0")/windows_common.sh"

wine=${CURLING_WINE:-}
if [ -z "$wine" ] || [ ! -x "$wine" ]; then
  # Nothing to start or stop: both steps skip like the cases they serve
  # (status 77), or fail where CI requires Wine.
  missing "$no_wine"
fi
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
log="$WINEPREFIX.log"

case "$1" in
  start)
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Wine's background processes must not hold the test's output open.
    "$wineserver" -p30 </dev/null >>"$log" 2>&1
    if ! "$wine" wineboot </dev/null >>"$log" 2>&1; then
      echo "wineboot failed; see $log" >&2
      exit 1
    fi
    ;;
  stop)
    "$wineserver" -k </dev/null >>"$log" 2>&1 || true
    ;;
esac
exit 0
