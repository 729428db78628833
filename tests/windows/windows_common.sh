# Sourced by the Windows tests' scripts.

# A part the tests need is missing: skip with the reason (status 77), or fail
# where CURLING_REQUIRE_WINDOWS_TESTS=1 (CI) requires the tests to run.
missing() {
  if [ "${CURLING_REQUIRE_WINDOWS_TESTS:-}" = 1 ]; then
    echo "Windows tests required, but: $*" >&2
    exit 1
  fi
  echo "Windows tests skipped: $*"
  exit 77
}

no_wine="Wine is not installed (scripts/install-deps.sh --windows installs it)"
not_built="is not built (cmake --preset windows && cmake --build --preset windows)"
