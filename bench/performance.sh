#!/usr/bin/env bash
# The search's speed before and after: builds the benchmarks of the baseline
# commit (0320b00 unless BASE is set) into a scratch directory and those of the
# working tree into build/, runs both back to back and prints the table of
# docs/performance.md with medians, the load average before and after, and the
# iterations each run reached at shots 0, 8 and 15.
#
#   bench/performance.sh            about five minutes on two quiet cores
#   REPS=9 bench/performance.sh     more repetitions of the short measures
#   INSTRUCTIONS=1 bench/performance.sh
#                                   also instructions per call, counted by
#                                   callgrind: the same on a busy machine
set -euo pipefail
cd "$(dirname "$0")/.."
base_commit=${BASE:-0320b00}
reps=${REPS:-5}
if [ "${INSTRUCTIONS:-0}" = 1 ] && ! command -v valgrind >/dev/null; then
  echo "INSTRUCTIONS=1 needs valgrind (apt-get install valgrind)" >&2
  exit 2
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

targets=(bench-search bench-candidates bench-simulator CurlingSimulator)
echo "building $base_commit and the working tree" >&2
mkdir -p "$scratch/base"
git archive "$base_commit" | tar -x -C "$scratch/base"
cmake -S "$scratch/base" -B "$scratch/base/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCURLING_BUILD_TESTS=OFF >/dev/null
cmake --build "$scratch/base/build" -j "$(nproc)" --target "${targets[@]}" >/dev/null
cmake --preset default >/dev/null
cmake --build build -j "$(nproc)" --target "${targets[@]}" >/dev/null

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# run NAME PROGRAM ARGS...: the benchmark's JSON in $scratch/NAME-{base,new}.json,
# the baseline first, then the working tree.
run() {
  local name=$1 program=$2
  shift 2
  echo "running $name" >&2
  "$scratch/base/build/bin/$program" --benchmark_format=json "$@" >"$scratch/$name-base.json"
  "build/bin/$program" --benchmark_format=json "$@" >"$scratch/$name-new.json"
}
aggregates=(--benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true)
run playout bench-search --benchmark_filter='BM_RandomPlayout' "${aggregates[@]}"
run run bench-search --benchmark_filter='BM_BanditRun/[0-9]+/1/'
run decision bench-search --benchmark_filter='BM_Decision' --benchmark_report_aggregates_only=true
run candidates bench-candidates --benchmark_filter='GenerateCandidates' "${aggregates[@]}"
run takeout bench-simulator --benchmark_filter='BM_TakeoutCrowdedHouse' "${aggregates[@]}"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

python3 - "$scratch" "$load_before" "$load_after" "$(nproc)" <<'EOF'
import json, sys

scratch, load_before, load_after, cores = sys.argv[1:5]

def entries(name, side):
    with open(f"{scratch}/{name}-{side}.json") as f:
        return json.load(f)["benchmarks"]

def median(name, side, prefix, field):
    for b in entries(name, side):
        if b["name"].startswith(prefix) and b.get("aggregate_name") == "median":
            return b[field]
    raise SystemExit(f"no median of {prefix} in {name}")

def run(side, shot):
    for b in entries("run", side):
        if b["name"].startswith(f"BM_BanditRun/{shot}/1/"):
            return b["iterations"], b["real_time"]  # iterations per run (counter), ms per run
    raise SystemExit(f"no run at shot {shot}")

def both(f):
    return f("base"), f("new")

rows = []
p1 = both(lambda s: median("playout", s, "BM_RandomPlayout/1", "items_per_second"))
p9 = both(lambda s: median("playout", s, "BM_RandomPlayout/9", "items_per_second"))
rows.append(("random playouts per second, one thread, from shot 1 / from shot 9",
             *(f"{a / 1000:.1f} k / {b / 1000:.1f} k" for a, b in zip(p1, p9)),
             f"{p1[1] / p1[0]:.2f} x / {p9[1] / p9[0]:.2f} x"))
during = []
for side, single in zip(("base", "new"), p1):
    iterations, ms = run(side, 0)
    rate = iterations * 8 / (ms / 1000)
    during.append(f"{rate / 1000:.1f} k ({rate / single:.2f} x one thread)")
rows.append(("playouts per second during a run at shot 0, all cores", *during, ""))
decisions = both(lambda s: [median("decision", s, f"BM_Decision/{shot}", "real_time") / 1000
                            for shot in (0, 8, 15)])
rows.append(("decision time (five runs) at shots 0 / 8 / 15",
             *(" / ".join(f"{t:.2f} s" for t in d) for d in decisions),
             " / ".join(f"{a / b:.2f} x" for a, b in zip(*decisions))))
gen = both(lambda s: median("candidates", s, "GenerateCandidates", "real_time"))
rows.append(("GenerateCandidates, mid-end positions", *(f"{t / 1000:.2f} us" for t in gen),
             f"{gen[0] / gen[1]:.2f} x"))
take = both(lambda s: median("takeout", s, "BM_TakeoutCrowdedHouse", "real_time"))
rows.append(("takeout into a crowded house", *(f"{t / 1000:.1f} us" for t in take),
             f"{take[0] / take[1]:.2f} x"))

print(f"{cores} cores; load average {load_before} before, {load_after} after; medians")
print()
print("| measure | before | after | speed-up |")
print("|---|---|---|---|")
for r in rows:
    print("| " + " | ".join(r) + " |")
print()
print("iterations per run (cap 1500, budget 0.95 s), mean of three runs:")
for shot in (0, 8, 15):
    (bi, bt), (ni, nt) = run("base", shot), run("new", shot)
    print(f"  shot {shot:2d}: before {bi:6.0f} in {bt:4.0f} ms, after {ni:6.0f} in {nt:4.0f} ms")
EOF

[ "${INSTRUCTIONS:-0}" = 1 ] || exit 0
# count NAME FUNCTION PROGRAM ARGS...: instructions per call of FUNCTION (as
# callgrind names it) while the benchmark runs, for the baseline and the tree.
count() {
  local name=$1 function=$2 program=$3
  shift 3
  echo "counting $name" >&2
  for side in base new; do
    local bin=build/bin
    [ "$side" = base ] && bin=$scratch/base/build/bin
    valgrind --tool=callgrind --callgrind-out-file="$scratch/$name-$side.cg" \
      --toggle-collect="$function" "$bin/$program" "$@" >/dev/null 2>&1
  done
  python3 - "$scratch/$name" "$function" "$name" <<'PY'
import re, sys

prefix, function, name = sys.argv[1:4]

def per_call(path):
    # The collected total, and the calls of the function from the call records.
    total, calls, names, lines = 0, 0, {}, open(path).read().split("\n")
    for i, line in enumerate(lines):
        m = re.match(r"(?:summary|totals): (\d+)", line)
        if m:
            total = int(m.group(1))
        m = re.match(r"c?fn=\((\d+)\)(?: (.*))?", line)
        if m and m.group(2):
            names[m.group(1)] = m.group(2)
        if line.startswith("cfn=") and names.get(re.match(r"cfn=\((\d+)\)", line).group(1)) == function:
            calls += int(lines[i + 1].split("=")[1].split()[0])
    return total / max(calls, 1)

base, new = per_call(f"{prefix}-base.cg"), per_call(f"{prefix}-new.cg")
print(f"| {name} | {base / 1000:.1f} k | {new / 1000:.1f} k | {base / new:.2f} |")
PY
}
echo
echo "instructions per call (callgrind)"
echo
echo "| measure | before | after | ratio |"
echo "|---|---|---|---|"
count "one random playout from shot 1" 'RandomPlayout()' bench-search \
  --benchmark_filter='BM_RandomPlayout/1$' --benchmark_min_time=1
count "one random playout from shot 9" 'RandomPlayout()' bench-search \
  --benchmark_filter='BM_RandomPlayout/9$' --benchmark_min_time=1
count "takeout into a crowded house" 'Simulation' bench-simulator \
  --benchmark_filter='BM_TakeoutCrowdedHouse' --benchmark_min_time=0.5
count "GenerateCandidates, mid-end positions" 'GenerateCandidates(ShotCandidate*)' \
  bench-candidates --benchmark_filter='GenerateCandidates' --benchmark_min_time=0.5
