"""The runner's game records (game-*.jsonl), as the benchmark scripts read them."""
import glob
import json
import os


def record_files(directories):
    """Every game record under the directories given, in order of path."""
    return sorted(path for directory in directories
                  for path in glob.glob(os.path.join(directory, "**", "game-*.jsonl"),
                                        recursive=True))


def record_items(path):
    """The items of one record in order. A game cut short (a match stopped while
    writing) ends at its first line that does not parse; what came before stays."""
    with open(path, encoding="latin-1") as lines:
        for line in lines:
            if not line.strip():
                continue
            try:
                yield json.loads(line)
            except json.JSONDecodeError:
                return
