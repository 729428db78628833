"""The example of docs/python.md runs as a reader would paste it."""
import os
import pathlib
import re
import subprocess


def test_the_pasteable_example_runs(capsys, monkeypatch, tmp_path, programs):
    # The example writes its record into the working directory.
    monkeypatch.chdir(tmp_path)
    page = pathlib.Path(os.environ["CURLING_SOURCE"], "docs", "python.md").read_text()
    blocks = re.findall(r"```python\n(.*?)```", page, re.S)
    assert blocks, "docs/python.md has no python example"
    for block in blocks:
        exec(compile(block, "docs/python.md", "exec"), {"__name__": "__main__"})
    printed = capsys.readouterr().out
    assert "won" in printed or "lost" in printed or "drawn" in printed
    in_house = float(re.search(r"in the house: ([0-9.]+)", printed).group(1))
    four_foot = float(re.search(r"touching the four-foot: ([0-9.]+)", printed).group(1))
    assert in_house > 0.99 and 0.9 < four_foot < 0.99
    # The record it wrote replays.
    replay = subprocess.run([programs / "curling-match", "--replay", "game-001.jsonl"],
                            capture_output=True, text=True)
    assert replay.returncode == 0, replay.stdout + replay.stderr
