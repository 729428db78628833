#!/usr/bin/env bash
# Trains the stronger search's learned value from self-play position files
# and writes its weights, the test cases and the held-out figures:
#
#   scripts/train-value.sh [--epochs N (default 6)] [--seed S] [--threads T] DATA_FILE...
#
# (`curling-selfplay data` writes the files.) Needs the Python that has torch
# and NumPy; PYTHON names another one. Rebuild and run the tests afterwards:
# the new cases check the C++ inference against the trainer's.
set -euo pipefail
cd "$(dirname "$0")/.."
python=${PYTHON:-/usr/bin/python3}
if [ $# -eq 0 ]; then
  echo "usage: scripts/train-value.sh [--epochs N (default 6)] [--seed S] [--threads T] DATA_FILE..." >&2
  exit 2
fi
if ! "$python" -c 'import torch, numpy' 2>/dev/null; then
  echo "train-value: $python has no torch or NumPy (set PYTHON)" >&2
  exit 1
fi
# One thread for the libraries' own pools too: the same seed gives the same
# weights.
export OMP_NUM_THREADS=1 MKL_NUM_THREADS=1 PYTHONHASHSEED=0
exec "$python" training/train_value.py "$@"
