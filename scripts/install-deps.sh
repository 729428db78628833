#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and CI need, when missing
# (python3-numpy for the self-play data's reader in docs/selfplay.md and the
# Python module, pybind11 to build the module and pytest for its tests), and the
# npm packages of the game page's tests (tests/viewer): the one that drives the
# system's Chromium (npm never downloads a browser here) and ESLint.
# With --windows, also the MinGW-w64 cross compiler and Wine, for the Windows
# programs and their tests; with --web, Debian's emscripten and the acorn
# parser its optimiser needs, for the play page (scripts/web.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make g++ clang libclang-rt-14-dev clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev python3 python3-numpy parallel dpkg-dev
  python3-dev pybind11-dev python3-pybind11 python3-pytest
  chromium nodejs ccache
  nlohmann-json3-dev
)
# Debian's npm, unless the installed Node.js brings its own.
command -v npm >/dev/null || packages+=(npm)
for option in "$@"; do
  case $option in
    --windows) packages+=(g++-mingw-w64-x86-64-posix wine64) ;;
    --web) packages+=(emscripten node-acorn) ;;
    *) echo "usage: $0 [--windows] [--web]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}" >&2
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Again whenever the lock file is newer than what npm last installed there.
viewer=tests/viewer
installed=$viewer/node_modules/.package-lock.json
if [ ! -f "$installed" ] || [ "$viewer/package-lock.json" -nt "$installed" ]; then
  echo "installing the npm packages of $viewer" >&2
  (cd "$viewer" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
fi
