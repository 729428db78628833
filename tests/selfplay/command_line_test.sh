#!/usr/bin/env bash
# curling-selfplay's command line: bad players and options are refused with
# status 2 and a message naming them; a good run is quiet when standard error
# is not a terminal, and the match prints its figures and writes its JSON.
#   command_line_test.sh CURLING_SELFPLAY
set -euo pipefail
selfplay=$(realpath "$1")
scratch=$(mktemp -d /tmp/selfplay-cli-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
fail() { echo "FAIL: $*" >&2; exit 1; }

# refused SAYS ARGS...: status 2 and SAYS on standard error.
refused() {
  local says=$1 status=0
  shift
  "$selfplay" "$@" >out.txt 2>err.txt || status=$?
  [ "$status" -eq 2 ] || fail "$* gave status $status"
  grep -qF -- "$says" err.txt || fail "$* did not say '$says': $(cat err.txt)"
}
refused "unknown player 'bogus'" data --games 2 --player1 bogus --player2 tee --out x.bin
refused "bad samples" data --games 2 --player1 strong:samples=x --player2 tee --out x.bin
refused "bad phase shot '0'" match --games 2 --player1 phase@0/tee/greedy --player2 tee
refused "needs --noise 0.3" match --games 2 --player1 strong:foresight --player2 tee --noise 0.2
refused "needs --noise 0.3" data --games 2 --player1 tee --player2 phase@8/tee/strong:foresight \
  --noise 0.5 --out x.bin
refused "--noise" match --games 2 --player1 tee --player2 tee --noise 5.5
refused "K/N" data --games 2 --player1 tee --player2 tee --shard 3/2 --out x.bin
refused "ELO0,ELO1" match --games 2 --player1 tee --player2 tee --sprt 5,0
refused "ELO0,ELO1" match --games 2 --player1 tee --player2 tee --sprt 0,30,0.05,0.05,0.05
refused "--out" data --games 2 --player1 tee --player2 tee
refused "--player2" match --games 2 --player1 tee
[ ! -e x.bin ] || fail "a refused run wrote its file"

"$selfplay" data --games 2 --ends 1 --player1 tee --player2 random --out run.bin 2>err.txt
[ ! -s err.txt ] || fail "data wrote to a standard error that is no terminal: $(cat err.txt)"
[ "$(stat -c %s run.bin)" -eq $((1024 + 2 * 16 * 152)) ] || fail "two one-end games are not 32 records"
status=0
"$selfplay" data --games 2 --ends 1 --player1 tee --player2 random --seed 1 --out run.bin \
  2>err.txt || status=$?
[ "$status" -eq 1 ] && grep -q "holds another run" err.txt || fail "another seed was not refused"

"$selfplay" match --games 2 --ends 1 --player1 tee --player2 random --json m.json >m.txt
grep -q "score .* (95 %: " m.txt || fail "no score interval: $(cat m.txt)"
grep -q "pairs scoring 0, 1/2, 1, 3/2, 2:" m.txt || fail "no pair counts"
grep -q "steals made" m.txt || fail "no ends with and without the hammer"
python3 -c 'import json, sys; j = json.load(open("m.json")); assert j["games"] == 2, j' ||
  fail "the JSON does not hold the games"
refused "--positions" regret --data run.bin
status=0
"$selfplay" regret --data missing.bin --positions 2 >out.txt 2>err.txt || status=$?
[ "$status" -eq 1 ] && grep -q "cannot read missing.bin" err.txt || fail "a missing file was not refused"
"$selfplay" regret --data run.bin --positions 2 --executions 1 --samples 4 --json r.json >r.txt
grep -q "^| all | 2 |" r.txt || fail "no regret table: $(cat r.txt)"
python3 -c 'import json; j = json.load(open("r.json")); assert j["rows"][-1]["shot"] == "all", j' ||
  fail "the regret JSON does not hold the rows"
echo "the command line refuses what it must and runs what it should"
