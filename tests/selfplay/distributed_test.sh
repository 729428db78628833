#!/usr/bin/env bash
# Runs the GNU parallel recipe of docs/selfplay.md and the Slurm array script
# (as two tasks would run it) with two shards, and checks that each merged
# file is the file of the run on one machine. Status 77 (skipped) without
# GNU parallel.
#   distributed_test.sh CURLING_SELFPLAY SOURCE_DIR
set -euo pipefail
selfplay=$(realpath "$1") source=$(realpath "$2")
scratch=$(mktemp -d /tmp/selfplay-distributed-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

bash -n "$source/scripts/selfplay-slurm.sh" || fail "selfplay-slurm.sh does not parse"
if ! command -v parallel >/dev/null; then
  echo "GNU parallel is not installed (scripts/install-deps.sh): skipped"
  exit 77
fi

# The recipe: the fenced block after its marker, with this build's program
# and a small run in place of its two exports.
recipe=$(awk '/<!-- recipe: local/ { on = 1; next } on && /^```sh/ { inside = 1; next }
              inside && /^```/ { exit } inside { print }' "$source/docs/selfplay.md")
[ "$(grep -c '^export' <<<"$recipe")" -eq 2 ] || fail "the recipe no longer starts with two exports"
export SELFPLAY=$selfplay GAMES=5 SEED=3 SHARDS=2
export OPTIONS="--player1 greedy --player2 random --ends 2 --threads 1"

cd "$scratch"
mkdir recipe slurm
(cd recipe && eval "$(grep -v '^export' <<<"$recipe")") || fail "the recipe failed"
# shellcheck disable=SC2086
"$SELFPLAY" data $OPTIONS --games "$GAMES" --seed "$SEED" --out one-go.bin
cmp one-go.bin recipe/positions.bin || fail "the recipe's file differs from the run on one machine"

for task in 1 2; do
  (cd slurm && SLURM_ARRAY_TASK_ID=$task SLURM_ARRAY_TASK_COUNT=2 \
    bash "$source/scripts/selfplay-slurm.sh" >"task-$task.log" 2>&1) || fail "Slurm task $task failed"
done
"$SELFPLAY" merge --out slurm/positions.bin slurm/part-1.bin slurm/part-2.bin
cmp one-go.bin slurm/positions.bin || fail "the Slurm shards' file differs"
echo "recipe and Slurm script: the merged files equal the run on one machine"
