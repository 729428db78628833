#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and CI need, when missing.
# With --windows, also the MinGW-w64 cross compiler and Wine, for the Windows
# programs and their tests.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev python3 parallel dpkg-dev
  nlohmann-json3-dev libcli11-dev
)
if [ "${1:-}" = --windows ]; then
  packages+=(g++-mingw-w64-x86-64-posix wine64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
