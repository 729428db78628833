"""bench/match_ends.py on hand-made records whose answers are known: which side
an end's points go to, the hammer's owner by player not by side, and the
decision times."""
import json
import os
import subprocess
import sys
import tempfile

SCRIPT = sys.argv[1]


def record(folder, game, sides_a, ends, times):
    header = {"type": "header", "game": game, "sideA": sides_a,
              "players": [{"player": 1, "command": "one"}, {"player": 2, "command": "two"}]}
    lines = [header]
    lines += [{"type": "delivery", "player": p, "timeMs": t} for p, t in times]
    lines += [{"type": "end", "end": i, "hammer": h, "points": pts} for i, (h, pts) in enumerate(ends)]
    with open(os.path.join(folder, f"game-{game:03d}.jsonl"), "w", encoding="utf-8") as f:
        f.write("\n".join(json.dumps(x) for x in lines) + "\n")


def run(*args):
    return subprocess.run([sys.executable, SCRIPT, *args], capture_output=True, text=True)


def row(output, table, command):
    """The cells of a player's row in the first or second table."""
    tables = output.split("\n\n")[1:]
    for line in tables[table].splitlines():
        if line.startswith(f"| `{command}` |"):
            return [c.strip() for c in line.strip("|").split("|")][1:]
    raise AssertionError(f"no row for {command} in:\n{output}")


with tempfile.TemporaryDirectory() as folder:
    # Player two holds the hammer in four ends: a steal of one against it, a
    # blank, a three and a two; player one in one end, a single. Side A is player two in
    # the second game: the tables go by player.
    record(folder, 1, 1, [(2, [1, 0]), (2, [0, 0]), (2, [0, 3]), (2, [0, 2])],
           [(1, 100), (2, 5), (1, 200), (1, 300)])
    record(folder, 2, 2, [(1, [1, 0])], [(1, 600)])
    # A match stopped while writing leaves a record cut short: what came before counts.
    with open(os.path.join(folder, "game-002.jsonl"), "a", encoding="utf-8") as f:
        f.write('{"type": "end", "end": 1, "ham')
    result = run("--over", "500", folder)
    assert result.returncode == 0, result.stderr
    assert result.stdout.startswith("2 games."), result.stdout
    assert row(result.stdout, 0, "two") == ["4", "1.25", "1", "0", "1", "1", "0.00", "0"]
    assert row(result.stdout, 0, "one") == ["1", "1.00", "0", "1", "0", "4", "0.25", "1"]
    assert row(result.stdout, 1, "one") == ["4", "250", "600", "600", "1"]
    assert row(result.stdout, 1, "two") == ["1", "5", "5", "5", "0"]

with tempfile.TemporaryDirectory() as folder:
    result = run(folder)
    assert result.returncode != 0 and "no game records" in result.stderr, result
print("ok")
