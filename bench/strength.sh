#!/usr/bin/env bash
# Plays the strength matches with curling-match and prints a table: the
# stronger search against the greedy opponent and against the reference
# search, the reference search against the greedy opponent, all at a tenth
# of the default time per decision, and the stronger search against the
# greedy opponent at the default time. Two-end games at noise 0.3.
#
#   bench/strength.sh [--games N] [--long-games N] [--seed S] [--out DIR]
#
# --games: games of each match at a tenth of the time (default 100);
# --long-games: games at the default time (default 10); --seed: the seed of
# the first game (default 1); --out: where the matches' records go (default
# build/strength). Run it on a quiet machine: the players search by the clock.
# Needs the build in build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."

games=100
long_games=10
seed=1
out=build/strength
while [ $# -gt 0 ]; do
  case "$1" in
    --games) games=$2; shift 2 ;;
    --long-games) long_games=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: $0 [--games N] [--long-games N] [--seed S] [--out DIR]" >&2; exit 2 ;;
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

# The first "all" record of summary.json is player 1's; prints its wins,
# draws, losses, points for and against.
player_one() {
  sed -e 's/.*"player":1,[^{]*"all":{\([^}]*\)}.*/\1/' "$1" |
    tr ',' '\n' | sed -e 's/"\([a-zA-Z]*\)":/\1 /' |
    awk '{v[$1] = $2} END {print v["wins"], v["draws"], v["losses"], v["pointsFor"], v["pointsAgainst"]}'
}

# match NAME GAMES PLAYER1 PLAYER2: plays it into $out/NAME.
match() {
  local name=$1 count=$2 one=$3 two=$4
  echo "== $name: $count games" >&2
  "$bin/curling-match" --games "$count" --ends 2 --noise 0.3 --seed "$seed" \
    --out "$out/$name" "$one" "$two" >"$out/$name.txt" 2>"$out/$name.log"
}

# row LABEL NAME TARGET: one line of the table from the match's summary.
# The score rate is (wins + draws / 2) / games; its 95 % interval comes from
# the spread of the per-game scores (1, 1/2, 0) with the normal
# approximation, and the Elo difference from the rate and the ends of its
# interval.
row() {
  local label=$1 name=$2 target=$3
  read -r wins draws losses pf pa < <(player_one "$out/$name/summary.json")
  awk -v label="$label" -v w="$wins" -v d="$draws" -v l="$losses" -v pf="$pf" -v pa="$pa" \
      -v target="$target" '
    function elo(r) {
      if (r <= 0) return "-inf"; if (r >= 1) return "+inf"
      e = -400 * log(1 / r - 1) / log(10)
      if (e > -0.5 && e < 0.5) e = 0
      return sprintf("%+.0f", e)
    }
    BEGIN {
      n = w + d + l
      rate = n > 0 ? (w + d / 2) / n : 0
      second = n > 0 ? (w + d / 4) / n : 0
      half = n > 1 ? 1.96 * sqrt((second - rate * rate) / n) : 0
      lo = rate - half; hi = rate + half
      if (lo < 0) lo = 0; if (hi > 1) hi = 1
      printf "| %s | %d | %d-%d-%d | %d-%d | %.3f | %.3f to %.3f | %s (%s to %s) | %s |\n",
             label, n, w, d, l, pf, pa, rate, lo, hi, elo(rate), elo(lo), elo(hi), target
    }'
}

mkdir -p "$out"
match strong-vs-greedy "$games" "$strong" "$greedy"
match strong-vs-reference "$games" "$strong" "$reference"
match reference-vs-greedy "$games" "$reference" "$greedy"
match strong-vs-greedy-default-time "$long_games" "$bin/curling-engine-strong" "$greedy"

echo "Two-end games, noise 0.3, first seed $seed; $(date -u +%Y-%m-%d), $(nproc) cores,"
echo "$(uname -m); time per decision $tenth ms unless stated. Records in $out."
echo
echo "| match | games | W-D-L | points | score rate | 95 % interval | Elo (95 %) | target |"
echo "|---|---|---|---|---|---|---|---|"
row "strong vs greedy" strong-vs-greedy "score rate >= 0.75"
row "strong vs reference" strong-vs-reference "score rate >= 0.70"
row "reference vs greedy" reference-vs-greedy "report"
row "strong vs greedy, default time" strong-vs-greedy-default-time "report"
