#!/usr/bin/env bash
# Where the stronger search wins and loses its points, measured with
# curling-selfplay (paired games in one process, noise 0.3, load-independent
# sample budgets) and printed as one Markdown table per measurement:
#
#   phase-swap   phase@K/greedy/strong against greedy for K = 4, 8, 12, beside
#                strong against greedy: which stones of an end the search gains on
#   foresight    strong:foresight against greedy: the bound a player that knew
#                its own execution error would reach
#   budget       strong:samples=2400 against strong:samples=300, stopped by the
#                SPRT (0, 30): what more samples buy
#   game-length  strong against greedy over eight-end games (a quarter of the
#                games): points per end with and without the hammer, blanks,
#                single points, steals
#   regret       curling-selfplay regret over the positions of --data: by shot
#                number, what greedy's and the search's picks lose against the
#                best candidate
#
#   bench/where-points.sh [--games N] [--seed S] [--out DIR] [--only NAMES] [--data FILE]
#                         [--positions N] [--executions K] [--samples N] [--threads T]
#                         [--strong PLAYER] [--opponent PLAYER] [--budgets A,B] [--bin DIR]
#
# --games: games of each two-end match (default 400); --seed: the run's seed
# (default 1); --out: where each measurement's JSON and text go (default
# build/where-points); --only: the measurements to run, comma-separated (the
# tables show every measurement found in --out; --only "" runs nothing);
# --data, --positions (default 800), --executions (default 64), --samples
# (default 300): the regret's data file and settings, the regret skipped
# without --data; --threads: games or positions at once (default 2);
# --strong, --opponent, --budgets (default strong, greedy, 300,2400): the
# players, which the test makes cheap; --bin: the programs (default build/bin).
# Long at full size: run it on a quiet machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

games=400
seed=1
out=$root/build/where-points
only=phase-swap,foresight,budget,game-length,regret
data=
positions=800
executions=64
samples=300
threads=2
strong=strong
opponent=greedy
budgets=300,2400
bin=$root/build/bin
usage="usage: $0 [--games N] [--seed S] [--out DIR] [--only NAMES] [--data FILE] [--positions N]
  [--executions K] [--samples N] [--threads T] [--strong PLAYER] [--opponent PLAYER]
  [--budgets A,B] [--bin DIR]"
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || { echo "$usage" >&2; exit 2; }
  case "$1" in
    --games) games=$2 ;;
    --seed) seed=$2 ;;
    --out) out=$2 ;;
    --only) only=$2 ;;
    --data) data=$2 ;;
    --positions) positions=$2 ;;
    --executions) executions=$2 ;;
    --samples) samples=$2 ;;
    --threads) threads=$2 ;;
    --strong) strong=$2 ;;
    --opponent) opponent=$2 ;;
    --budgets) budgets=$2 ;;
    --bin) bin=$2 ;;
    *) echo "$usage" >&2; exit 2 ;;
  esac
  shift 2
done

for name in ${only//,/ }; do
  case "$name" in
    phase-swap | foresight | budget | game-length | regret) ;;
    *) echo "$0: --only: no measurement named '$name'" >&2; exit 2 ;;
  esac
done
case "$budgets" in
  *,*) ;;
  *) echo "$0: --budgets: two sample counts A,B" >&2; exit 2 ;;
esac
selfplay=$bin/curling-selfplay
if [ ! -x "$selfplay" ]; then
  echo "$0: $selfplay is missing; build first (cmake --preset default && cmake --build build)" >&2
  exit 1
fi

wanted() { case ",$only," in *",$1,"*) return 0 ;; *) return 1 ;; esac; }

# match FILE GAMES ENDS PLAYER1 PLAYER2 [OPTIONS...]: one match into $out/FILE.json.
match() {
  local file=$1 count=$2 ends=$3 one=$4 two=$5
  shift 5
  echo "== $file: $one against $two, $count games of $ends ends" >&2
  "$selfplay" match --games "$count" --ends "$ends" --noise 0.3 --seed "$seed" \
    --threads "$threads" --player1 "$one" --player2 "$two" --json "$out/$file.json" "$@" \
    >"$out/$file.txt"
}

mkdir -p "$out"
long_games=$((games / 4 < 2 ? 2 : games / 4))
if wanted phase-swap; then
  for k in 4 8 12; do
    match "phase-swap-$k" "$games" 2 "phase@$k/greedy/$strong" "$opponent"
  done
  match phase-swap-none "$games" 2 "$strong" "$opponent"
fi
if wanted foresight; then match foresight "$games" 2 "$strong:foresight" "$opponent"; fi
if wanted budget; then
  match budget "$games" 2 "strong:samples=${budgets#*,}" "strong:samples=${budgets%,*}" --sprt 0,30
fi
if wanted game-length; then match game-length "$long_games" 8 "$strong" "$opponent"; fi
if wanted regret; then
  if [ -n "$data" ]; then
    echo "== regret: $positions positions of $data" >&2
    "$selfplay" regret --data "$data" --positions "$positions" --seed "$seed" \
      --executions "$executions" --samples "$samples" --threads "$threads" \
      --json "$out/regret.json" >"$out/regret.md"
  else
    echo "== regret: skipped, no --data" >&2
  fi
fi

# table TITLE FILES...: the head-to-head of player 1 in each match found.
table() {
  python3 - "$@" <<'PY'
import json, os, sys
title, paths = sys.argv[1], [p for p in sys.argv[2:] if os.path.exists(p)]
if not paths:
    sys.exit(0)
def elo(value, infinite):
    # An infinite Elo (all won or all lost) is written as null.
    return infinite if value is None else f"{value + 0.0:+.0f}"
print(f"### {title}\n")
print("| player 1 | player 2 | games | W-D-L | score | 95 % interval | Elo (95 %) | SPRT |")
print("|---|---|---|---|---|---|---|---|")
for path in paths:
    with open(path, encoding="latin-1") as f:
        m = json.load(f)
    h = m["headToHead"]
    names = [p["name"] for p in m["players"]]
    centre = elo(h["elo"], "+inf" if h["score"] >= 0.5 else "-inf")
    sprt = m["sprt"]["decision"] if "sprt" in m else ""
    print(f"| {names[0]} | {names[1]} | {h['wins'] + h['draws'] + h['losses']} | "
          f"{h['wins']}-{h['draws']}-{h['losses']} | {h['score']:.3f} | "
          f"{h['scoreLow']:.3f} to {h['scoreHigh']:.3f} | {centre} "
          f"({elo(h['eloLow'], '-inf')} to {elo(h['eloHigh'], '+inf')}) | {sprt} |")
print()
PY
}

# ends FILE: the match's score and each player's ends, with and without the hammer.
ends() {
  python3 - "$1" <<'PY'
import json, os, sys
path = sys.argv[1]
if not os.path.exists(path):
    sys.exit(0)
with open(path, encoding="latin-1") as f:
    m = json.load(f)
h = m["headToHead"]
def elo(value, infinite):
    return infinite if value is None else f"{value + 0.0:+.0f}"
print("### Eight-end games\n")
print(f"{m['players'][0]['name']} against {m['players'][1]['name']}: "
      f"{h['wins']}-{h['draws']}-{h['losses']}, score {h['score']:.3f} "
      f"({h['scoreLow']:.3f} to {h['scoreHigh']:.3f}), Elo "
      f"{elo(h['elo'], '+inf' if h['score'] >= 0.5 else '-inf')} "
      f"({elo(h['eloLow'], '-inf')} to {elo(h['eloHigh'], '+inf')})\n")
print("| player | ends with hammer | points/end with | blanks | single points | steals conceded "
      "| ends without | points/end without | steals made |")
print("|---|---|---|---|---|---|---|---|---|")
for p in m["players"]:
    e = p["ends"]
    print(f"| {p['name']} | {e['endsWithHammer']} | {e['pointsPerEndWithHammer']:.3f} | "
          f"{e['blankEndsWithHammer']} | {e['onePointEndsWithHammer']} | {e['stealsConceded']} | "
          f"{e['endsWithoutHammer']} | {e['pointsPerEndWithoutHammer']:.3f} | {e['stealsMade']} |")
print()
PY
}

echo "Noise 0.3, seed $seed, $(date -u +%Y-%m-%d), $(nproc) cores; JSON and text in $out."
echo
table "Phase swap: greedy before shot K, the search from K on" \
  "$out/phase-swap-4.json" "$out/phase-swap-8.json" "$out/phase-swap-12.json" \
  "$out/phase-swap-none.json"
table "Foresight: the search knowing its own execution error" "$out/foresight.json"
table "Sample budget" "$out/budget.json"
ends "$out/game-length.json"
if [ -f "$out/regret.md" ]; then
  echo "### Regret by shot number"
  echo
  cat "$out/regret.md"
fi
