#!/usr/bin/env bash
# bench/where-points.sh end to end at a tiny size: every measurement's table
# from its JSON, --only running a subset while the tables keep what --out
# holds, and bad options refused.
#   where_points_test.sh CURLING_SELFPLAY SOURCE_DIR
set -euo pipefail
bin=$(dirname "$(realpath "$1")")
script=$2/bench/where-points.sh
command -v python3 >/dev/null || { echo "python3 is missing: skipped"; exit 77; }
scratch=$(mktemp -d /tmp/where-points-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$bin/curling-selfplay" data --games 2 --ends 1 --player1 tee --player2 random --out d.bin
cheap=(--bin "$bin" --games 2 --seed 3 --out out --threads 1 --strong strong:samples=2
  --opponent tee --budgets "1,2" --positions 16 --executions 1 --samples 2)
bash "$script" "${cheap[@]}" --data d.bin >all.md 2>log.txt || fail "the run failed: $(cat log.txt)"
for title in "Phase swap" "Foresight" "Sample budget" "Eight-end games" "Regret by shot number"; do
  grep -q "^### $title" all.md || fail "no table '$title': $(cat all.md)"
done
for k in 4 8 12; do
  grep -q "^| phase@$k/greedy/strong:samples=2:time=4750:eval=learned | tee | 2 | " all.md ||
    fail "no row for phase@$k"
done
grep -q "^| strong:samples=2:time=4750:eval=learned:foresight | tee | 2 | " all.md || fail "no foresight row"
grep -Eq "^\| strong:samples=2:time=4750:eval=learned \| strong:samples=1:time=4750:eval=learned \| 2 \| .* \| (continue|H0|H1) \|$" all.md ||
  fail "the budget row has no SPRT state"
# Eight-end games: two games at this size, sixteen ends or more between the players.
grep -q "^| tee | " all.md || fail "no ends of the opponent"
grep -q "^| all | 16 |" all.md || fail "the regret does not cover 16 positions"

# A subset: only the foresight match is played again; the tables show the rest.
rm out/foresight.json
bash "$script" "${cheap[@]}" --only foresight >again.md 2>log.txt || fail "--only failed"
grep -q "== foresight" log.txt && ! grep -q "== phase-swap" log.txt || fail "--only ran: $(cat log.txt)"
grep -q "^### Phase swap" again.md && grep -q "^### Foresight" again.md || fail "tables lost"

status=0
bash "$script" --bin "$bin" --only nothing >/dev/null 2>err.txt || status=$?
[ "$status" -eq 2 ] && grep -q "no measurement named 'nothing'" err.txt || fail "a bad --only ran"
status=0
bash "$script" --bin "$bin" --budgets 300 >/dev/null 2>err.txt || status=$?
[ "$status" -eq 2 ] || fail "one budget was taken"
echo "where-points runs every measurement and prints its table"
