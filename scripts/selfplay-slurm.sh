#!/usr/bin/env bash
# One shard of a self-play data run per task of a Slurm job array (tasks
# numbered from 1). A task run again resumes its file. Merge the shards once
# all tasks are done:
#   sbatch --array=1-16 scripts/selfplay-slurm.sh
#   build/bin/curling-selfplay merge --out positions.bin part-*.bin
# From the environment: SELFPLAY (curling-selfplay), GAMES, SEED; OPTIONS for
# the players and further options ("--player1 strong --player2 greedy
# --threads 2"); SHARDS, the number of shards, when it is not the size of the
# array (a task run again).
#SBATCH --job-name=curling-selfplay
#SBATCH --cpus-per-task=2
#SBATCH --output=part-%a.log
set -euo pipefail
: "${SELFPLAY:?}" "${GAMES:?}" "${SEED:?}" "${OPTIONS:?}"
shard=${SLURM_ARRAY_TASK_ID:?run it with sbatch --array}
shards=${SHARDS:-${SLURM_ARRAY_TASK_COUNT:?}}
# OPTIONS is split into words on purpose.
# shellcheck disable=SC2086
exec "$SELFPLAY" data $OPTIONS --games "$GAMES" --seed "$SEED" --shard "$shard/$shards" \
  --out "part-$shard.bin"
