#!/usr/bin/env bash
# The NumPy reader of docs/selfplay.md reads a file the program writes: the
# fenced Python block after "Reading a file with NumPy", run on a small run.
# Status 77 (skipped) where no Python has NumPy.
#   reader_example_test.sh CURLING_SELFPLAY SOURCE_DIR
set -euo pipefail
selfplay=$(realpath "$1") source=$(realpath "$2")
scratch=$(mktemp -d /tmp/selfplay-reader-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

python=""
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c 'import numpy' 2>/dev/null; then python=$candidate; break; fi
done
if [ -z "$python" ]; then
  echo "no Python with NumPy (python3-numpy): skipped"
  exit 77
fi

cd "$scratch"
"$selfplay" data --games 3 --ends 2 --player1 tee --player2 random --seed 4 --explore 0.5 \
  --out positions.bin
awk '/Reading a file with NumPy/ { on = 1; next } on && /^```python/ { inside = 1; next }
     inside && /^```/ { exit } inside { print }' "$source/docs/selfplay.md" >reader.py
[ -s reader.py ] || fail "docs/selfplay.md has no NumPy reader"
cat >>reader.py <<'CHECKS'
games = positions["game"]
assert settings["player2"] == "random" and settings["games"] == "3", settings
assert len(positions) % 16 == 0 and set(games) == {0, 1, 2}, len(positions)
assert (positions["shot"] == np.arange(len(positions)) % 16).all()
# Before delivery k, exactly the first k slots can hold stones.
for k in range(16):
    assert not in_play[positions["shot"] == k][:, k:].any()
assert explored.any() and not explored[positions["shot"] >= 14].any()
assert set(np.unique(positions["result"])) <= {-1, 0, 1}
assert (positions["reserved1"] == 0).all() and (positions["reserved2"] == 0).all()
assert set(np.unique(positions["spin"])) <= {0, 1}
print(len(positions), "positions read as documented")
CHECKS
"$python" reader.py || fail "the documented reader failed"
