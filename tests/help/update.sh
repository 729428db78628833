#!/usr/bin/env bash
# Rewrites the golden help texts from the programs of a build (default: build).
#   tests/help/update.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
CURLING_UPDATE_HELP=1 ctest --test-dir "$build" -R '^Help\.' --output-on-failure
