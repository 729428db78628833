#!/usr/bin/env python3
"""Trains the stronger search's learned value from self-play positions.

    train_value.py [--epochs N] [--seed S] [--threads T] DATA_FILE...

Reads the position files that `curling-selfplay data` writes, holds out a
fifth of the games (chosen by a hash of the file's SHA-256 and the game's
index, so a game never lies on both sides), trains the network of
search/strong/value_model.cpp on the rest with every position also seen
mirrored about the centre line, and writes:

  search/strong/value_weights.inc      the weights, with where they came from
  tests/search/value_model_cases.inc   held-out positions and the outputs here,
                                       which the C++ inference must reproduce
  training/heldout.md                  the held-out figures against the
                                       standing table fitted on the same games

The row of features is computed as search/strong/position_features.cpp
computes it; the stored cases check that the two agree. Needs NumPy and torch;
nothing in the build does.
"""
import argparse
import hashlib
import importlib.util
import math
import os
import re
import sys
import time
from collections import Counter, defaultdict

import numpy as np
import torch

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WEIGHTS_OUT = "search/strong/value_weights.inc"
CASES_OUT = "tests/search/value_model_cases.inc"
HELDOUT_OUT = "training/heldout.md"


def load_standing_table_module():
    """bench/standing_table.py: the standing rule and the table's fit."""
    path = os.path.join(ROOT, "bench", "standing_table.py")
    found = importlib.util.spec_from_file_location("standing_table", path)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


STANDING = load_standing_table_module()
FINAL_CLIP = STANDING.FINAL_CLIP  # the classes: hammer side's end score -5..+5
CLASSES = 2 * FINAL_CLIP + 1


def sheet_figures():
    """The figures of simulator/sheet.h, evaluated in order, so the sheet has
    one home."""
    text = open(os.path.join(ROOT, "simulator", "sheet.h"), encoding="utf-8").read()
    figures = {}
    for name, expression in re.findall(r"inline constexpr double (k\w+) = ([^;{]+);", text):
        figures[name] = float(eval(expression, {"__builtins__": {}}, dict(figures)))
    return figures


SHEET = sheet_figures()
TEE_X, TEE_Y = SHEET["kTeeX"], SHEET["kTeeY"]
HOUSE = SHEET["kHouseRadius"]
TOUCH = (SHEET["kHouseRadius"] + SHEET["kStoneRadius"]) / SHEET["kHouseRadius"]

# The row of search/strong/position_features.h.
PLACES = 8
PER_STONE = 6  # present, dx, dy, distance, touches the house, counts
SHOTS = 16
LEAD_CLIP = 4
ENDS_LEFT = 3
SHOT_BEGIN = 2 * PLACES * PER_STONE
LEAD_BEGIN = SHOT_BEGIN + SHOTS
ENDS_BEGIN = LEAD_BEGIN + 2 * LEAD_CLIP + 1
FEATURES = ENDS_BEGIN + ENDS_LEFT
DX_COLUMNS = [side * PLACES * PER_STONE + k * PER_STONE + 1 for side in range(2) for k in range(PLACES)]

HIDDEN = 64
# The fewest held-out cases worth checking the C++ inference against.
MIN_CASES = 20

# One record of a position file, little-endian and packed.
RECORD = np.dtype(
    [
        ("game", "<u4"),
        ("end", "u1"),
        ("shot", "u1"),
        ("last_end", "u1"),
        ("flags", "u1"),
        ("lead", "i1"),
        ("end_score", "i1"),
        ("result", "i1"),
        ("reserved", "u1"),
        ("stones", "<f4", (16, 2)),
        ("vx", "<f4"),
        ("vy", "<f4"),
        ("spin", "u1"),
        ("reserved2", "u1", (3,)),
    ]
)
assert RECORD.itemsize == 152
MAGIC = b"CURLPOS1"


# Where the records begin: kRecordsOffset of selfplay/position_record.h. The
# 16-byte header (magic, record size, reserved) is followed by the run's
# settings as "key=value" lines, padded with NUL bytes.
RECORDS_OFFSET = 1024


def read_positions(path):
    """(records of the whole games, the file's SHA-256, the run's settings)."""
    raw = open(path, "rb").read()
    if raw[:8] != MAGIC or len(raw) < RECORDS_OFFSET:
        raise ValueError(f"{path}: not a position file")
    record_size = int.from_bytes(raw[8:12], "little")
    if record_size != RECORD.itemsize:
        raise ValueError(f"{path}: records of {record_size} bytes, expected {RECORD.itemsize}")
    settings = raw[16:RECORDS_OFFSET].split(b"\0", 1)[0].decode("utf-8", "replace")
    whole = (len(raw) - RECORDS_OFFSET) // RECORD.itemsize
    records = np.frombuffer(raw, dtype=RECORD, offset=RECORDS_OFFSET, count=whole)
    # A run stopped in the middle of a game leaves its start behind: keep
    # only games with all sixteen positions of every end from the first.
    games, inverse, counts = np.unique(records["game"], return_inverse=True, return_counts=True)
    last_end = np.zeros(len(games), dtype=np.int64)
    np.maximum.at(last_end, inverse, records["end"].astype(np.int64))
    complete = counts == 16 * (last_end + 1)
    return records[complete[inverse]], hashlib.sha256(raw).hexdigest(), settings


def features(stones, shot, hammer_lead, ends_left):
    """Rows as EncodePosition makes them. stones: (n, 16, 2) float32 by slot,
    odd slots the hammer side's; shot, hammer_lead, ends_left: (n,)."""
    n = len(shot)
    row = np.zeros((n, FEATURES), dtype=np.float32)
    x = stones[:, :, 0].astype(np.float64)
    y = stones[:, :, 1].astype(np.float64)
    slot = np.arange(16)
    in_play = (slot[None, :] < shot[:, None]) & ~((stones[:, :, 0] == 0) & (stones[:, :, 1] == 0))
    dx = (x - TEE_X) / HOUSE
    dy = (y - TEE_Y) / HOUSE
    squared = dx * dx + dy * dy
    placed = []
    for side, parity in enumerate((1, 0)):  # the hammer side's odd slots first
        cols = slot[slot % 2 == parity]
        sq = np.where(in_play[:, cols], squared[:, cols], np.inf)
        sdx, sdy = dx[:, cols], dy[:, cols]
        # Nearest first; then dy, |dx|, dx (lexsort's last key leads).
        order = np.lexsort((sdx, np.abs(sdx), sdy, sq), axis=-1)
        take = lambda a: np.take_along_axis(a, order, axis=1)
        placed.append((take(sq), take(sdx), take(sdy)))
    nearest = [np.minimum(TOUCH, np.sqrt(p[0][:, 0])) for p in placed]
    for side in range(2):
        sq, sdx, sdy = placed[side]
        present = np.isfinite(sq)
        distance = np.sqrt(np.where(present, sq, 0.0))
        base = side * PLACES * PER_STONE
        touches = present & (distance < TOUCH)
        counts = touches & (distance < nearest[1 - side][:, None])
        for k in range(PLACES):
            at = base + k * PER_STONE
            row[:, at] = present[:, k]
            row[:, at + 1] = np.where(present[:, k], sdx[:, k], 0.0)
            row[:, at + 2] = np.where(present[:, k], sdy[:, k], 0.0)
            row[:, at + 3] = distance[:, k]
            row[:, at + 4] = touches[:, k]
            row[:, at + 5] = counts[:, k]
    rows = np.arange(n)
    row[rows, SHOT_BEGIN + np.clip(shot, 0, SHOTS - 1)] = 1
    row[rows, LEAD_BEGIN + np.clip(hammer_lead, -LEAD_CLIP, LEAD_CLIP) + LEAD_CLIP] = 1
    row[rows, ENDS_BEGIN + np.clip(ends_left, 0, ENDS_LEFT - 1)] = 1
    return row


def standing_scores(stones):
    """The score as the end stands, for the side with the hammer (odd slots):
    the simulator's rule, as bench/standing_table.py reads it."""
    x = stones[:, :, 0].astype(np.float64)
    y = stones[:, :, 1].astype(np.float64)
    present = ~((stones[:, :, 0] == 0) & (stones[:, :, 1] == 0))
    distance = np.hypot(x - TEE_X, y - TEE_Y)
    counted = present & (distance < STANDING.COUNTING)
    far = np.where(counted, distance, np.inf)
    hammer = far[:, 1::2].min(axis=1)
    other = far[:, 0::2].min(axis=1)
    hammer_points = (far[:, 1::2] < other[:, None]).sum(axis=1)
    other_points = (far[:, 0::2] < hammer[:, None]).sum(axis=1)
    return np.where(hammer < other, hammer_points, np.where(other < hammer, -other_points, 0))


def held_out_games(file_hash, games):
    """A fifth of the games, by a hash of the file and the game's index."""
    out = {}
    for game in np.unique(games):
        digest = hashlib.sha256(f"{file_hash}:{int(game)}".encode()).digest()
        out[int(game)] = int.from_bytes(digest[:8], "little") % 5 == 0
    return np.array([out[int(g)] for g in games], dtype=bool)


class Network(torch.nn.Module):
    """FEATURES -> HIDDEN -> HIDDEN -> CLASSES with ReLU between, as
    value_model.cpp computes it. The layers are 1x1 convolutions over rows
    shaped (n, features, 1, 1): the same arithmetic as linear layers, but this
    torch runs them through oneDNN, several times faster on the CPU than its
    generic matrix product."""

    def __init__(self):
        super().__init__()
        self.layers = torch.nn.ModuleList(
            [torch.nn.Conv2d(FEATURES, HIDDEN, 1), torch.nn.Conv2d(HIDDEN, HIDDEN, 1), torch.nn.Conv2d(HIDDEN, CLASSES, 1)]
        )

    def forward(self, rows):
        x = rows.reshape(len(rows), -1, 1, 1)
        for number, layer in enumerate(self.layers):
            x = layer(x)
            if number + 1 < len(self.layers):
                x = torch.relu(x)
        return x.reshape(len(rows), CLASSES)

    def weights(self):
        """[(weights (out, in), bias (out,))] of each layer, float32."""
        return [
            (layer.weight.detach().reshape(layer.out_channels, layer.in_channels).numpy(),
             layer.bias.detach().numpy())
            for layer in self.layers
        ]


def mirrored(batch):
    out = batch.clone()
    out[:, DX_COLUMNS] = -out[:, DX_COLUMNS]
    return out


def train(network, rows, labels, epochs, seed, log):
    generator = torch.Generator().manual_seed(seed)
    optimiser = torch.optim.Adam(network.parameters(), lr=2e-3, weight_decay=1e-5)
    schedule = torch.optim.lr_scheduler.CosineAnnealingLR(optimiser, max(1, epochs))
    loss_fn = torch.nn.CrossEntropyLoss()
    x = torch.from_numpy(rows)
    t = torch.from_numpy(labels)
    batch = 512
    for epoch in range(epochs):
        started = time.time()
        order = torch.randperm(len(x), generator=generator)
        total, seen = 0.0, 0
        for begin in range(0, len(x), batch):
            index = order[begin : begin + batch]
            xb = x[index]
            # Each position and its mirror: the end does not care which side
            # of the centre line it is played on.
            inputs = torch.cat([xb, mirrored(xb)])
            targets = torch.cat([t[index], t[index]])
            optimiser.zero_grad()
            loss = loss_fn(network(inputs), targets)
            loss.backward()
            optimiser.step()
            total += float(loss) * len(inputs)
            seen += len(inputs)
        schedule.step()
        log(f"epoch {epoch + 1}/{epochs}: training log-loss {total / max(1, seen):.4f} ({time.time() - started:.1f} s)")


def predict(network, rows):
    """The end-score chances, in double from the float weights, as the C++
    inference works them out in float."""
    layers = [(w.astype(np.float64), b.astype(np.float64)) for w, b in network.weights()]
    out = []
    for begin in range(0, len(rows), 65536):
        x = rows[begin : begin + 65536].astype(np.float64)
        for number, (weights, bias) in enumerate(layers):
            x = x @ weights.T + bias
            if number + 1 < len(layers):
                x = np.maximum(x, 0.0)
        x = np.exp(x - x.max(axis=1, keepdims=True))
        out.append(x / x.sum(axis=1, keepdims=True))
    return np.concatenate(out) if out else np.zeros((0, CLASSES))


def fit_standing_table(shot, standing, final):
    """bench/standing_table.py's table from the training positions: the cell
    of a position before delivery `shot` is that of delivery shot - 1 just
    made. Shot 0 has no cell: its row is the end scores' frequencies there."""
    seen = defaultdict(Counter)
    clipped = np.clip(standing, -STANDING.STANDING_CLIP, STANDING.STANDING_CLIP)
    for s, k, f in zip(shot, clipped, final):
        if 1 <= s <= STANDING.SHOTS:
            seen[(int(s) - 1, int(k))][int(f)] += 1
    table = STANDING.fit_table(seen)
    start = np.bincount(final[shot == 0] + FINAL_CLIP, minlength=CLASSES).astype(np.float64)
    start = (start + 1) / (start.sum() + CLASSES)
    return table, start


def table_chances(table, start, shot, standing):
    clipped = np.clip(standing, -STANDING.STANDING_CLIP, STANDING.STANDING_CLIP)
    out = np.empty((len(shot), CLASSES))
    for i, (s, k) in enumerate(zip(shot, clipped)):
        out[i] = start if s == 0 else table[(int(s) - 1, int(k))]
    # Floored at a thousandth, the resolution of the table the search uses, so
    # that a score never seen in a cell does not cost an infinite log-loss.
    out = np.maximum(out, 1e-3)
    return out / out.sum(axis=1, keepdims=True)


def scores(chances, final):
    """Per position: log-loss, Brier over the classes, Brier of "the side with
    the hammer scores"."""
    rows = np.arange(len(final))
    label = final + FINAL_CLIP
    onehot = np.zeros_like(chances)
    onehot[rows, label] = 1
    log_loss = -np.log(chances[rows, label])
    brier = ((chances - onehot) ** 2).sum(axis=1)
    scores_p = chances[:, FINAL_CLIP + 1 :].sum(axis=1)
    binary = (scores_p - (final > 0)) ** 2
    return {"log-loss": log_loss, "Brier": brier, "scores Brier": binary}


def paired_interval(difference, game_keys):
    """Mean difference and its 95 % interval, the games as independent units
    (normal approximation, positions of a game summed together)."""
    n = len(difference)
    mean = difference.mean()
    _, group = np.unique(game_keys, return_inverse=True)
    sums = np.bincount(group, weights=difference - mean)
    half = 1.96 * math.sqrt((sums**2).sum()) / n if n > 1 else float("nan")
    return mean, mean - half, mean + half


def heldout_table(model, table, final, shot, game_keys):
    m = scores(model, final)
    t = scores(table, final)
    lines = [
        "| shot | positions | games | model log-loss | table log-loss | difference (95 %) "
        "| model Brier | table Brier | difference (95 %) "
        "| model scores Brier | table scores Brier | difference (95 %) |",
        "|---|---|---|---|---|---|---|---|---|---|---|---|",
    ]
    for s in list(range(SHOTS)) + ["all"]:
        mask = np.ones(len(shot), bool) if s == "all" else shot == s
        if not mask.any():
            continue
        cells = [str(s), str(int(mask.sum())), str(len(np.unique(game_keys[mask])))]
        for name in ("log-loss", "Brier", "scores Brier"):
            mean, low, high = paired_interval(m[name][mask] - t[name][mask], game_keys[mask])
            cells += [f"{m[name][mask].mean():.4f}", f"{t[name][mask].mean():.4f}",
                      f"{mean:+.4f} ({low:+.4f} to {high:+.4f})"]
        lines.append("| " + " | ".join(cells) + " |")
    return lines


def sha256_of(path):
    return hashlib.sha256(open(path, "rb").read()).hexdigest()


def c_float(value):
    """A float literal that reads back as the same float32."""
    text = f"{float(value):.9g}"
    if not any(c in text for c in ".en"):
        text += ".0"
    return text + "f"


def c_floats(values):
    text = [c_float(v) for v in values]
    return "\n".join("    " + ", ".join(text[i : i + 6]) + "," for i in range(0, len(text), 6))


def write_weights(network, identity, figures, path):
    out = ["// Generated by training/train_value.py: do not edit.", "//"]
    out += [("// " + line).rstrip() for line in identity + [""] + figures]
    out += [
        "",
        f"constexpr int kValueInputs = {FEATURES};",
        f"constexpr int kValueHidden = {HIDDEN};",
        f"constexpr int kValueOutputs = {CLASSES};",
    ]
    sizes = ["kValueInputs * kValueHidden", "kValueHidden * kValueHidden", "kValueHidden * kValueOutputs"]
    bias_sizes = ["kValueHidden", "kValueHidden", "kValueOutputs"]
    for number, (weights, bias) in enumerate(network.weights(), start=1):
        # Input-major: the inference's inner loop runs over the outputs.
        flat = weights.astype(np.float32).T.reshape(-1)
        out += [f"constexpr float kValueWeights{number}[{sizes[number - 1]}] = {{", c_floats(flat), "};"]
        out += [f"constexpr float kValueBias{number}[{bias_sizes[number - 1]}] = {{", c_floats(bias.astype(np.float32)), "};"]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


def pick_cases(shot, standing, count):
    """Held-out positions across the shot numbers and standing scores, the
    first of each kind found, so the cases cover the rule's branches."""
    picked, kinds = [], set()
    for i in range(len(shot)):
        kind = (int(shot[i]), int(np.clip(standing[i], -2, 2)))
        if kind not in kinds:
            kinds.add(kind)
            picked.append(i)
        if len(picked) == count:
            break
    return picked


def write_cases(records, hammer_lead, ends_left, standing, chances, picked, path):
    out = [
        "// Generated by training/train_value.py: held-out positions, the end-score",
        "// chances the trainer's network gave them (computed in double from the",
        "// float weights) and the standing score of its port of the scoring rule.",
        "// {shot, hammer lead, ends left, standing, {x, y} x 16 by slot, {chances}}",
    ]
    for i in picked:
        stones = ", ".join(f"{{{c_float(x)}, {c_float(y)}}}" for x, y in records["stones"][i])
        p = ", ".join(f"{v:.9g}" for v in chances[i])
        out.append(
            f"    {{{int(records['shot'][i])}, {int(hammer_lead[i])}, {int(ends_left[i])}, "
            f"{int(standing[i])},\n     {{{stones}}},\n     {{{p}}}}},"
        )
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


def check_standing_port(stones, standing):
    """The NumPy port against bench/standing_table.py's rule on a sample."""
    for i in range(0, len(stones), max(1, len(stones) // 500)):
        expected = STANDING.standing([(float(x), float(y)) for x, y in stones[i]])
        if expected != standing[i]:
            raise AssertionError(f"standing score of position {i}: {standing[i]} != {expected}")


def check_mirror(stones, shot, hammer_lead, ends_left, rows):
    """Mirrored positions against the rows with the offsets across negated,
    which is what the training's augmentation assumes. In double the mirror
    image of a float coordinate is exact, so the two must agree exactly."""
    sample = slice(0, len(shot), max(1, len(shot) // 2000))
    image = stones[sample].astype(np.float64)
    present = ~((image[:, :, 0] == 0) & (image[:, :, 1] == 0))
    image[:, :, 0] = np.where(present, 2 * TEE_X - image[:, :, 0], 0.0)
    mirrored_rows = features(image, shot[sample], hammer_lead[sample], ends_left[sample])
    expected = rows[sample].copy()
    expected[:, DX_COLUMNS] = -expected[:, DX_COLUMNS]
    if not np.array_equal(mirrored_rows, expected):
        raise AssertionError("the mirror image's row is not the row with the offsets across negated")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("data", nargs="+")
    parser.add_argument("--epochs", type=int, default=20)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--threads", type=int, default=1)
    parser.add_argument("--cases", type=int, default=40)
    args = parser.parse_args()
    started = time.time()
    log = lambda text: print(f"[{time.time() - started:7.1f} s] {text}", flush=True)

    torch.manual_seed(args.seed)
    torch.set_num_threads(args.threads)
    torch.use_deterministic_algorithms(True)

    parts, heldout, keys, identity_files = [], [], [], []
    for number, path in enumerate(args.data):
        records, digest, settings = read_positions(path)
        games = len(np.unique(records["game"]))
        log(f"{path}: {len(records)} positions, {games} whole games, sha256 {digest}")
        identity_files.append(
            f"data {os.path.basename(path)}: sha256 {digest}, {len(records)} positions, {games} games; "
            + "settings: " + "; ".join(line for line in settings.splitlines() if line)
        )
        parts.append(records)
        heldout.append(held_out_games(digest, records["game"]))
        keys.append(number * (1 << 32) + records["game"].astype(np.int64))
    records = np.concatenate(parts)
    heldout = np.concatenate(heldout)
    game_keys = np.concatenate(keys)
    if len(records) == 0:
        sys.exit("no positions")

    shot = records["shot"].astype(np.int64)
    hammer_lead = records["lead"].astype(np.int64)
    ends_left = np.clip(records["last_end"].astype(np.int64) - records["end"], 0, ENDS_LEFT - 1)
    final = np.clip(records["end_score"].astype(np.int64), -FINAL_CLIP, FINAL_CLIP)
    rows = features(records["stones"], shot, hammer_lead, ends_left)
    standing = standing_scores(records["stones"])
    check_standing_port(records["stones"], standing)
    check_mirror(records["stones"], shot, hammer_lead, ends_left, rows)
    train_mask = ~heldout
    log(f"features: {rows.shape[1]} per position; {int(train_mask.sum())} training positions, "
        f"{int(heldout.sum())} held out ({len(np.unique(game_keys[heldout]))} games)")

    network = Network()
    train(network, rows[train_mask], (final[train_mask] + FINAL_CLIP).astype(np.int64), args.epochs, args.seed, log)

    table, start = fit_standing_table(shot[train_mask], standing[train_mask], final[train_mask])
    model_chances = predict(network, rows[heldout])
    table_chances_ = table_chances(table, start, shot[heldout], standing[heldout])
    figures = heldout_table(model_chances, table_chances_, final[heldout], shot[heldout], game_keys[heldout])
    for line in figures:
        print(line)

    script = os.path.abspath(__file__)
    identity = identity_files + [
        f"trainer: training/train_value.py sha256 {sha256_of(script)}, torch {torch.__version__}, "
        f"seed {args.seed}, epochs {args.epochs}, threads {args.threads}",
        f"held out: {int(heldout.sum())} positions of {len(np.unique(game_keys[heldout]))} games "
        f"(a fifth of the games by hash); the standing table refitted on the other "
        f"{int(train_mask.sum())} positions",
    ]
    picked = pick_cases(shot[heldout], standing[heldout], args.cases)
    if len(picked) < MIN_CASES:
        # The C++ tests need the cases: leave the files as they were.
        sys.exit(f"only {len(picked)} kinds of held-out position, {MIN_CASES} needed: train on more games")
    weights_path = os.path.join(ROOT, WEIGHTS_OUT)
    write_weights(network, identity, ["Held-out figures by shot number (model minus table):"] + figures, weights_path)

    held_records = records[heldout]
    cases_path = os.path.join(ROOT, CASES_OUT)
    write_cases(held_records, hammer_lead[heldout], ends_left[heldout], standing[heldout],
                model_chances, picked, cases_path)

    heldout_path = os.path.join(ROOT, HELDOUT_OUT)
    with open(heldout_path, "w", encoding="utf-8") as f:
        f.write("# The learned value on held-out games\n\n")
        f.write("Written by `training/train_value.py`; what the figures come from:\n\n")
        f.write("".join(f"- {line}\n" for line in identity))
        f.write("\nPer shot number (the position before that delivery), the model against the standing "
                "table refitted on the training games; differences are model minus table, "
                "lower is better, 95 % intervals with the games as independent units. "
                "The table's chances are floored at a thousandth; at shot 0 it gives the "
                "end scores' frequencies.\n\n")
        f.write("\n".join(figures) + "\n")
    log(f"wrote {weights_path}, {cases_path} ({len(picked)} cases), {heldout_path}")
    log(f"done in {time.time() - started:.1f} s")


if __name__ == "__main__":
    main()
