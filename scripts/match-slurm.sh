#!/usr/bin/env bash
# One shard of a curling match per task of a Slurm job array (tasks numbered
# from 1). Merge the shards once all tasks are done:
#   sbatch --array=1-16 scripts/match-slurm.sh
#   build/bin/curling-match --merge --out whole-match shard-*/
# From the environment: MATCH (curling-match), ENGINE1, ENGINE2, GAMES, SEED;
# OPTIONS for further match options ("--ends 8 --move-time 10"); SHARDS, the
# number of shards, when it is not the size of the array (a task run again).
#SBATCH --job-name=curling-match
#SBATCH --cpus-per-task=2
#SBATCH --output=shard-%a.log
set -euo pipefail
: "${MATCH:?}" "${ENGINE1:?}" "${ENGINE2:?}" "${GAMES:?}" "${SEED:?}"
shard=${SLURM_ARRAY_TASK_ID:?run it with sbatch --array}
shards=${SHARDS:-${SLURM_ARRAY_TASK_COUNT:?}}
# OPTIONS is split into words on purpose.
# shellcheck disable=SC2086
exec "$MATCH" ${OPTIONS:-} --games "$GAMES" --seed "$SEED" --shard "$shard/$shards" \
  --out "shard-$shard" "$ENGINE1" "$ENGINE2"
