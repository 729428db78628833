# Sourced by the web tests: `missing WHAT` skips the test (status 77, which
# CTest reports as skipped) saying what is missing, or fails it when
# CURLING_REQUIRE_WEB_TESTS=1 (CI), where nothing may be missing.
missing() {
  if [ "${CURLING_REQUIRE_WEB_TESTS:-}" = 1 ]; then
    echo "web tests required, but: $*" >&2
    exit 1
  fi
  echo "web tests skipped: $*"
  exit 77
}
