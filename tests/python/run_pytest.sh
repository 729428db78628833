#!/usr/bin/env bash
# Runs one file of the Python module's tests with pytest. Skips (status 77,
# which CTest reports as skipped) saying what is missing: the interpreter, the
# module (not built without pybind11), NumPy or pytest; or fails instead when
# CURLING_REQUIRE_PYTHON_TESTS=1 (CI), where nothing may be missing.
#
#   run_pytest.sh PYTHON MODULE_DIR WHY_NOT_BUILT TEST_FILE
set -euo pipefail
python=$1 module=$2 notBuilt=$3 tests=$4

missing() {
  if [ "${CURLING_REQUIRE_PYTHON_TESTS:-}" = 1 ]; then
    echo "Python tests required, but: $*" >&2
    exit 1
  fi
  echo "Python tests skipped: $*"
  exit 77
}

[ -x "$python" ] || missing "no Python interpreter at $python"
[ -n "$module" ] || missing "the module was not built: $notBuilt"
"$python" -c "import numpy" 2>/dev/null || missing "NumPy is not installed for $python (python3-numpy)"
"$python" -c "import pytest" 2>/dev/null || missing "pytest is not installed for $python (python3-pytest)"
export PYTHONPATH=$module
exec "$python" -m pytest -q -p no:cacheprovider "$tests"
