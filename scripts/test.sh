#!/usr/bin/env bash
# Builds the project and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
scripts/install-deps.sh
configure default
cmake --build --preset default -j "$(nproc)"
ctest --preset default -j "$(nproc)"
