#!/usr/bin/env bash
# Plays the strength matches with curling-match and prints a table, at noise
# 0.3 and a tenth of the default time per decision unless said: the stronger
# search against the greedy opponent over two ends and over eight, against
# the reference search over two ends, the reference search against the
# greedy opponent over two ends, and the stronger search against the greedy
# opponent over eight ends at the default time.
#
#   bench/strength.sh [--games N] [--reference-games N] [--eight-end-games N]
#                     [--long-games N] [--concurrency K] [--seed S] [--out DIR]
#                     [--only NAMES]
#
# --games: games of the two-end match against greedy (default 400);
# --reference-games: games of each match with the reference search (default
# 200); --eight-end-games: games of the eight-end match (default 100);
# --long-games: games at the default time (default 20); --concurrency: games
# at once (default 1; every player searches on one thread, so up to the
# number of cores keeps each search on a core of its own); --seed: the seed
# of the first game (default 1); --out: where the matches' records go
# (default build/strength); --only: the matches to play, comma-separated
# (strong-vs-greedy, strong-vs-greedy-eight-ends, strong-vs-reference,
# reference-vs-greedy, strong-vs-greedy-default-time), for when only one
# player changed: the table also shows the matches already in --out (--only
# "" plays nothing and prints the table of what is there). Run it on a quiet
# machine: the players search by the clock. Needs the build in build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."

games=400
reference_games=200
eight_end_games=100
long_games=20
concurrency=1
seed=1
out=build/strength
matches=strong-vs-greedy,strong-vs-greedy-eight-ends,strong-vs-reference,reference-vs-greedy,strong-vs-greedy-default-time
only=$matches
usage="usage: $0 [--games N] [--reference-games N] [--eight-end-games N] [--long-games N]
  [--concurrency K] [--seed S] [--out DIR] [--only NAMES]"
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || { echo "$usage" >&2; exit 2; }
  case "$1" in
    --games) games=$2; shift 2 ;;
    --reference-games) reference_games=$2; shift 2 ;;
    --eight-end-games) eight_end_games=$2; shift 2 ;;
    --long-games) long_games=$2; shift 2 ;;
    --concurrency) concurrency=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    *) echo "$usage" >&2; exit 2 ;;
  esac
done

for name in ${only//,/ }; do
  case ",$matches," in
    *",$name,"*) ;;
    *) echo "$0: --only: no match named '$name'" >&2; exit 2 ;;
  esac
done

bin=build/bin
for program in curling-match curling-engine curling-engine-strong curling-opponent-greedy; do
  if [ ! -x "$bin/$program" ]; then
    echo "$0: $bin/$program is missing; build first (cmake --preset default && cmake --build build)" >&2
    exit 1
  fi
done

# A tenth of the reference search's 4750 ms.
tenth=475
strong="$bin/curling-engine --search strong --time-ms $tenth"
reference="$bin/curling-engine --time-ms $tenth"
greedy="$bin/curling-opponent-greedy"

# match NAME GAMES ENDS PLAYER1 PLAYER2: plays it into $out/NAME.
match() {
  local name=$1 count=$2 ends=$3 one=$4 two=$5
  case ",$only," in *",$name,"*) ;; *) return 0 ;; esac
  echo "== $name: $count games of $ends ends" >&2
  "$bin/curling-match" --games "$count" --ends "$ends" --noise 0.3 --seed "$seed" \
    --concurrency "$concurrency" --out "$out/$name" "$one" "$two" \
    >"$out/$name.txt" 2>"$out/$name.log"
}

# row LABEL NAME TARGET: one line of the table from the match's summary:
# the runner's head-to-head statistics for player 1 (from the pair results
# when the games are paired, as they are by default), and the points from
# player 1's record over all games.
row() {
  [ -f "$out/$2/summary.json" ] || return 0
  python3 - "$1" "$out/$2/summary.json" "$3" <<'PY'
import json, sys
label, path, target = sys.argv[1:]
with open(path, encoding="latin-1") as f:
    summary = json.load(f)
h = summary["headToHead"]
one = next(p for p in summary["players"] if p["player"] == 1)["all"]
games = h["wins"] + h["draws"] + h["losses"]
low = max(0.0, h["score"] - 1.96 * h["standardError"])
high = min(1.0, h["score"] + 1.96 * h["standardError"])
pairs = " ".join(str(n) for n in h.get("pairs", [])) or "unpaired"
def elo(value, infinite):
    # The summary writes an infinite Elo (all won or all lost) as null.
    return infinite if value is None else f"{value:+.0f}"
centre = elo(h["elo"], "+inf" if h["score"] >= 0.5 else "-inf")
print(f"| {label} | {games} | {h['wins']}-{h['draws']}-{h['losses']} | "
      f"{one['pointsFor']}-{one['pointsAgainst']} | {h['scoreRate']:.3f} | "
      f"{low:.3f} to {high:.3f} | {centre} ({elo(h['eloLow'], '-inf')} to "
      f"{elo(h['eloHigh'], '+inf')}) | "
      f"{100 * h['los']:.1f} % | {pairs} | {target} |")
PY
}

mkdir -p "$out"
match strong-vs-greedy "$games" 2 "$strong" "$greedy"
match strong-vs-greedy-eight-ends "$eight_end_games" 8 "$strong" "$greedy"
match strong-vs-reference "$reference_games" 2 "$strong" "$reference"
match reference-vs-greedy "$reference_games" 2 "$reference" "$greedy"
match strong-vs-greedy-default-time "$long_games" 8 "$bin/curling-engine-strong" "$greedy"

# The settings of this run describe the matches it played; a table of records
# played before says where they are.
if [ -n "$only" ]; then
  echo "Noise 0.3, first seed $seed, $concurrency game(s) at once; $(date -u +%Y-%m-%d), $(nproc) cores,"
  echo "$(uname -m); time per decision $tenth ms unless stated. Records in $out."
else
  echo "Noise 0.3, time per decision $tenth ms unless stated; the matches' own settings are in their"
  echo "records in $out."
fi
echo
echo "| match | games | W-D-L | points | score rate | 95 % interval | Elo (95 %) | superiority | pairs 0, ½, 1, 1½, 2 | target |"
echo "|---|---|---|---|---|---|---|---|---|---|"
row "strong vs greedy, two ends" strong-vs-greedy "score rate >= 0.75"
row "strong vs greedy, eight ends" strong-vs-greedy-eight-ends "score rate >= 0.85"
row "strong vs reference, two ends" strong-vs-reference "Elo >= +250"
row "reference vs greedy, two ends" reference-vs-greedy "report"
row "strong vs greedy, eight ends, default time" strong-vs-greedy-default-time "report"
