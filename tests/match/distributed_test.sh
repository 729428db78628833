#!/usr/bin/env bash
# Runs the GNU parallel recipe of docs/distributed-matches.md and the Slurm
# array script (as two tasks would run it) with two shards of the fake
# engine, and checks that each merged summary is that of the match played in
# one go.
#   distributed_test.sh CURLING_MATCH FAKE_ENGINE SOURCE_DIR
set -euo pipefail
match=$(realpath "$1") fake=$(realpath "$2") source=$(realpath "$3")
scratch=$(mktemp -d /tmp/distributed-test-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v parallel >/dev/null || fail "GNU parallel is not installed (scripts/install-deps.sh)"
bash -n "$source/scripts/match-slurm.sh" || fail "match-slurm.sh does not parse"

# The recipe: the fenced block after its marker, with our programs and a
# small match in place of the first three lines' settings.
recipe=$(awk '/<!-- recipe: local/ { on = 1; next } on && /^```sh/ { inside = 1; next }
              inside && /^```/ { exit } inside { print }' "$source/docs/distributed-matches.md")
[ "$(grep -c '^export' <<<"$recipe")" -eq 3 ] || fail "the recipe no longer starts with three exports"
export MATCH=$match ENGINE1=$fake ENGINE2="$fake --plan toa"
export GAMES=9 SEED=11 SHARDS=2 OPTIONS="--ends 2 --noise 1"

cd "$scratch"
mkdir recipe slurm
(cd recipe && eval "$(grep -v '^export' <<<"$recipe")") || fail "the recipe failed"
[ -f recipe/whole-match/summary.json ] || fail "the recipe wrote no merged summary"

# shellcheck disable=SC2086
"$MATCH" $OPTIONS --games "$GAMES" --seed "$SEED" --out one-go "$ENGINE1" "$ENGINE2" >/dev/null 2>&1
cmp one-go/summary.json recipe/whole-match/summary.json || fail "the recipe's summary differs"

for task in 1 2; do
  (cd slurm && SLURM_ARRAY_TASK_ID=$task SLURM_ARRAY_TASK_COUNT=2 \
    bash "$source/scripts/match-slurm.sh" >"task-$task.log" 2>&1) || fail "Slurm task $task failed"
done
"$MATCH" --merge --out slurm/whole slurm/shard-1 slurm/shard-2 >/dev/null
cmp one-go/summary.json slurm/whole/summary.json || fail "the Slurm shards' summary differs"
echo "recipe and Slurm script: the merged summaries equal the match played in one go"
