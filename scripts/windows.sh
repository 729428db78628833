#!/usr/bin/env bash
# Builds the Windows programs with the MinGW-w64 cross compiler (preset
# windows, into build-windows/bin) and their .zip (build-windows/packages),
# then runs their tests under Wine from the Linux build. "build" stops after
# the .zip; the Linux build's tests run the Windows cases too once it is there.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/configure.sh
scripts/install-deps.sh --windows
configure windows
cmake --build --preset windows -j "$(nproc)"
(cd build-windows && cpack >/dev/null)
zip=$(ls build-windows/packages/*.zip)
listing=$(cmake -E tar tf "$zip")
for file in curling-engine.exe CurlingSimulator.dll README.txt; do
  grep -q "/$file\$" <<<"$listing" || { echo "$zip lacks $file" >&2; exit 1; }
done
echo "$zip"
[ "${1:-}" = build ] && exit 0

configure default
cmake --build --preset default -j "$(nproc)" --target windows_engine_tests curling-match \
  curling-opponent-tee physics-digest
CURLING_REQUIRE_WINDOWS_TESTS=1 ctest --preset default -j "$(nproc)" -R '^Windows\.'
