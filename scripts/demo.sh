#!/usr/bin/env bash
# Builds the project, then plays a short demonstration match: the stronger
# search (curling-engine-strong, a second a move) against the greedy opponent
# over two ends. Prints a progress line for every
# delivery, the scoreboard, and where the record and the pictures of the ends
# are (build/demo/).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
scripts/install-deps.sh
configure default
cmake --build --preset default -j "$(nproc)" >/dev/null
exec build/bin/curling-match --demo --out build/demo
