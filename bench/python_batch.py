#!/usr/bin/env python3
"""Throughput per core of the Python module's simulate_batch against the
native library, on batches of ten thousand draws to the button from an empty
end, without and with execution error (noise 0 and 0.3).

The native side is bench-simulator's BM_TenThousandDraws (Simulation called
ten thousand times on one thread on a position made in place) and
BM_TenThousandDrawsFromArrays (each position read from an array, its stones
and score written to others, as a batch does); the module's is simulate_batch
on one thread and on two. Both are timed by CPU time, the module's as the process's
CPU time over all its threads, so that a figure per core does not depend on
what else the machine runs; rounds alternate between the two, and the table
gives the medians.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_batch.py [--build build] [--rounds 7]
"""
import argparse
import json
import os
import statistics
import subprocess
import time

import numpy as np

import curling

DRAWS = 10_000


def native_ns_per_draw(build, benchmark, noise_tenths, repetitions):
    """CPU nanoseconds per draw of a native benchmark, its median."""
    done = subprocess.run(
        [os.path.join(build, "bin", "bench-simulator"),
         f"--benchmark_filter={benchmark}/{noise_tenths}$",
         f"--benchmark_repetitions={repetitions}", "--benchmark_format=json"],
        capture_output=True, text=True, check=True)
    runs = [b for b in json.loads(done.stdout)["benchmarks"] if b.get("run_type") == "iteration"]
    scale = {"ms": 1e6, "us": 1e3, "ns": 1.0}
    return statistics.median(b["cpu_time"] * scale[b["time_unit"]] / DRAWS for b in runs)


def module_ns_per_draw(noise, threads, repetitions):
    """CPU nanoseconds per draw over all threads, and wall nanoseconds per
    draw, of simulate_batch: the medians."""
    shot = np.array(curling.draw_shot(2.375, 4.88, 0), dtype=np.float32)
    stones = np.zeros((DRAWS, 16, 2), np.float32)
    shot_numbers = np.zeros(DRAWS, np.int32)
    shots = np.tile(shot, (DRAWS, 1))
    cpu, wall = [], []
    for repetition in range(repetitions + 1):
        started_cpu, started_wall = time.process_time(), time.perf_counter()
        curling.simulate_batch(stones, shot_numbers, shots, noise=noise, seed=repetition,
                               threads=threads)
        if repetition > 0:  # the first warms the caches and the allocator
            cpu.append((time.process_time() - started_cpu) * 1e9 / DRAWS)
            wall.append((time.perf_counter() - started_wall) * 1e9 / DRAWS)
    return statistics.median(cpu), statistics.median(wall)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--repetitions", type=int, default=9)
    options = parser.parse_args()
    print(f"{os.cpu_count()} cores; load average {' '.join(f'{v:.2f}' for v in os.getloadavg())} "
          "before")
    print()
    print("| noise | native, in place | native, from arrays | module, 1 thread | module, 2 threads "
          "| module per core against native in place / from arrays | 2 threads' wall-clock "
          "speed-up |")
    print("|---|---|---|---|---|---|---|")
    for noise_tenths in (0, 3):
        noise = noise_tenths / 10
        plain, arrays, one, two, speedup = [], [], [], [], []
        for _ in range(options.rounds):
            plain.append(native_ns_per_draw(options.build, "BM_TenThousandDraws", noise_tenths,
                                            options.repetitions))
            arrays.append(native_ns_per_draw(options.build, "BM_TenThousandDrawsFromArrays",
                                             noise_tenths, options.repetitions))
            one_cpu, one_wall = module_ns_per_draw(noise, 1, options.repetitions)
            two_cpu, two_wall = module_ns_per_draw(noise, 2, options.repetitions)
            one.append(one_cpu)
            two.append(two_cpu)
            speedup.append(one_wall / two_wall)
        p, a, m1, m2 = (statistics.median(v) for v in (plain, arrays, one, two))

        def rate(ns):
            return f"{1e3 / ns:.2f} M/s ({ns:.0f} ns)"

        print(f"| {noise} | {rate(p)} | {rate(a)} | {rate(m1)} | {rate(m2)} per core | "
              f"{p / m1:.0%} / {a / m1:.0%} (1 thread), {p / m2:.0%} / {a / m2:.0%} (2 threads) | "
              f"{statistics.median(speedup):.2f} x |")
    print()
    print(f"load average {' '.join(f'{v:.2f}' for v in os.getloadavg())} after; draws per CPU "
          "second (CPU ns per draw), medians of the rounds")


if __name__ == "__main__":
    main()
