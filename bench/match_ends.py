#!/usr/bin/env python3
"""How each player of a curling-match run fared end by end, and how long it took.

    bench/match_ends.py [--over MS] DIR...

Reads every game record (game-*.jsonl) under the directories given, the
runner's --out folders, and prints two Markdown tables for the players, named
by their command: the ends each played with the hammer (points an end, blanks,
single points, steals conceded) and without it (points stolen an end, steals
made), extra ends included; and the time of its decisions from the records
(median, 95th percentile, longest, and with --over how many took longer than
MS milliseconds).
"""
import argparse
import statistics
import sys

from game_records import record_files, record_items


class Player:
    def __init__(self):
        self.hammer_ends = self.hammer_points = self.blanks = self.singles = 0
        self.steals_conceded = 0
        self.other_ends = self.points_stolen = self.steals_made = 0
        self.times = []


def read_game(path, players):
    """Adds one record's ends and decision times to players, by command."""
    commands = {}
    for item in record_items(path):
        kind = item.get("type")
        if kind == "header":
            commands = {p["player"]: p["command"] for p in item["players"]}
        elif kind == "delivery" and "timeMs" in item:
            players.setdefault(commands[item["player"]], Player()).times.append(item["timeMs"])
        elif kind == "end":
            hammer = item["hammer"]
            other = 3 - hammer
            kept, given = item["points"][hammer - 1], item["points"][other - 1]
            owner = players.setdefault(commands[hammer], Player())
            owner.hammer_ends += 1
            owner.hammer_points += kept
            owner.blanks += kept == 0 and given == 0
            owner.singles += kept == 1
            owner.steals_conceded += given > 0
            rival = players.setdefault(commands[other], Player())
            rival.other_ends += 1
            rival.points_stolen += given
            rival.steals_made += given > 0


def percentile(values, share):
    """The nearest-rank percentile of a non-empty list."""
    ordered = sorted(values)
    rank = max(1, -(-len(ordered) * share // 100))
    return ordered[int(rank) - 1]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--over", type=int, help="count the decisions longer than this (ms)")
    parser.add_argument("dirs", nargs="+")
    args = parser.parse_args()
    players = {}
    paths = record_files(args.dirs)
    if not paths:
        sys.exit(f"{sys.argv[0]}: no game records (game-*.jsonl) under {' '.join(args.dirs)}")
    for path in paths:
        read_game(path, players)

    print(f"{len(paths)} games.\n")
    print("| player | ends with the hammer | points an end | blanks | singles | steals conceded "
          "| ends without | points stolen an end | steals made |")
    print("|---|---|---|---|---|---|---|---|---|")
    for command, p in sorted(players.items()):
        per = lambda total, ends: f"{total / ends:.2f}" if ends else "-"
        print(f"| `{command}` | {p.hammer_ends} | {per(p.hammer_points, p.hammer_ends)} | "
              f"{p.blanks} | {p.singles} | {p.steals_conceded} | {p.other_ends} | "
              f"{per(p.points_stolen, p.other_ends)} | {p.steals_made} |")
    print()
    over = f" | over {args.over} ms" if args.over is not None else ""
    print(f"| player | decisions | median ms | 95th percentile ms | longest ms{over} |")
    print("|---|---|---|---|---|" + ("---|" if over else ""))
    for command, p in sorted(players.items()):
        if not p.times:
            continue
        count = f" | {sum(t > args.over for t in p.times)}" if over else ""
        print(f"| `{command}` | {len(p.times)} | {statistics.median(p.times):g} | "
              f"{percentile(p.times, 95)} | {max(p.times)}{count} |")


if __name__ == "__main__":
    main()
