#!/usr/bin/env bash
# Builds the play page, build-wasm/curling-play.html: the physics, the game's
# rules and records and the stronger search compiled to WebAssembly with
# Debian's emscripten (which scripts/install-deps.sh --web installs), in one
# file that a browser opens from disk. The default build's Web.* tests run it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
scripts/install-deps.sh --web
configure wasm
# The preset gives the build NODE_PATH, where Debian keeps the Node packages
# that emscripten's optimiser loads.
cmake --build --preset wasm -j "$(nproc)"
page=build-wasm/curling-play.html
echo "$PWD/$page ($(stat -c %s "$page") bytes): open it in a browser"
