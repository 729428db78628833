#!/usr/bin/env bash
# curling-match on Linux plays a two-end game between the Windows engine,
# under Wine, and a Linux opponent; the game must end without a fault and its
# record must replay exactly. Before it, the engine refuses a bad option.
#
#   windows_match.sh ENGINE_EXE CURLING_MATCH OPPONENT SCRATCH_DIR
set -uo pipefail
. "$(dirname "$0")/windows_common.sh"
engine=$1 match=$2 opponent=$3 out=$4

[ -x "${CURLING_WINE:-}" ] || missing "$no_wine"
[ -f "$engine" ] || missing "$engine $not_built"

rm -rf "$out"
mkdir -p "$out"
fail() {
  echo "$*" >&2
  cat "$out/stderr" >&2
  exit 1
}

# A bad option: refused with status 2, the engine naming itself without its
# folder, as on Linux.
status=0
"$CURLING_WINE" "$engine" --time-ms 10 >"$out/stdout" 2>"$out/stderr" || status=$?
[ "$status" -eq 2 ] || fail "a bad option gave status $status, not 2"
grep -q "^curling-engine.exe: invalid value '10' for --time-ms" "$out/stderr" ||
  fail "the bad option's message does not name the engine as curling-engine.exe"

# Half a second a move keeps the game short; the limit leaves room for a
# loaded machine.
"$match" --games 1 --ends 2 --seed 7 --move-time 60 --out "$out" --name1 windows \
  "'$CURLING_WINE' '$engine' --time-ms 500" "$opponent" >"$out/stdout" 2>"$out/stderr" ||
  fail "curling-match failed"

record=$out/game-001.jsonl
result=$(grep '"type":"result"' "$record") || fail "no result in $record"
case "$result" in
  *'"faulty":[]'*) ;;
  *) fail "a player was at fault: $result" ;;
esac
engine_moves=$(grep '"type":"delivery"' "$record" | grep -c '"player":1')
[ "$engine_moves" -ge 16 ] || fail "the Windows engine delivered $engine_moves stones, not 16"
"$match" --replay "$record" >"$out/replay" 2>&1 || fail "the record does not replay: $(cat "$out/replay")"
cat "$out/stdout"
rm -rf "$out"
