#!/usr/bin/env bash
# Builds the project and plays one end of scripted shots through the physics
# library, printing every position.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" >/dev/null
build/bin/curling-analyze play --noise 0.3 --seed 2026 <<'SHOTS'
# Side A delivers the even shots, side B the odd ones.
draw 2.375 7.6 0
draw 1.6 7.2 1
draw 2.375 4.6 0
hit 2.375 7.6 0 12
draw 2.2 5.2 1
hit 2.2 5.2 1 14
draw 2.6 4.9 0
draw 2.375 4.88 1
hit 2.6 4.9 0 10
draw 2.0 4.7 0
draw 2.375 6.2 1
draw 2.8 5.0 1
hit 2.375 6.2 0 13
draw 2.375 5.0 0
draw 2.5 4.8 1
draw 2.375 4.88 0
SHOTS
