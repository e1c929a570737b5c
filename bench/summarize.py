#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
"""Turns the JSON of a vosk_bench run with repetitions into Markdown tables:
the median of each figure with its spread (lowest to highest repetition),
the ratio to the bare baseline measured beside it, and whether the target
holds. Exits 1 when a target is missed."""

import json
import statistics
import sys
from collections import OrderedDict


def spread(values, fmt):
    values = sorted(values)
    return f"{fmt(statistics.median(values))} ({fmt(values[0])}–{fmt(values[-1])})"


def micros(v):
    return f"{v:,.1f}" if v < 100 else f"{v:,.0f}"


def ratio(v):
    return f"{v:.2f}"


def kib(v):
    return f"{v:,.0f}"


def main(path):
    with open(path) as f:
        run = json.load(f)
    runs = OrderedDict()
    for b in run["benchmarks"]:
        if b.get("run_type") == "iteration" and not b.get("error_occurred"):
            runs.setdefault(b["run_name"].replace("/manual_time", ""), []).append(b)
        elif b.get("error_occurred"):
            print(f"ERROR in {b['run_name']}: {b.get('error_message')}")

    ctx = run["context"]
    print(f"Machine: {ctx['num_cpus']} cores, {machine_model()}, "
          f"load average at start {', '.join(f'{x:.2f}' for x in ctx.get('load_avg', []))}")
    print(f"Repetitions: {max(len(r) for r in runs.values()) if runs else 0}; "
          "each figure is the median (lowest–highest).\n")

    print("| benchmark | ours (µs) | bare baseline (µs) | ratio | target | met |")
    print("|---|---|---|---|---|---|")
    missed = []
    for name, reps in runs.items():
        if "ratio" not in reps[0]:
            continue
        to_us = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[reps[0]["time_unit"]]
        ours = [r["real_time"] * to_us for r in reps]
        base = [r["base_us"] for r in reps]
        ratios = [r["ratio"] for r in reps]
        target, met = "", ""
        if "target" in reps[0]:
            target = f"≤ {reps[0]['target']:g}x"
            met = "yes" if statistics.median(ratios) <= reps[0]["target"] else "NO"
        if "target_us" in reps[0]:
            per_change = [r["us_per_change"] for r in reps]
            target = f"< {reps[0]['target_us']:g} µs per change; now {spread(per_change, ratio)} µs"
            met = "yes" if statistics.median(per_change) < reps[0]["target_us"] else "NO"
        if met == "NO":
            missed.append(name)
        print(f"| {name} | {spread(ours, micros)} | {spread(base, micros)} | "
              f"{spread(ratios, ratio)} | {target} | {met} |")

    memory = [(n, r) for n, r in runs.items() if "heap_KiB" in r[0]]
    if memory:
        print("\n| memory | resident KiB added | heap KiB in use added | bare forms: resident | bare forms: heap |")
        print("|---|---|---|---|---|")
        for name, reps in memory:
            cells = [spread([r[k] for r in reps], kib)
                     for k in ("resident_KiB", "heap_KiB", "bare_resident_KiB", "bare_heap_KiB")]
            print(f"| {name.replace('/iterations:1', '')} | {' | '.join(cells)} |")

    if missed:
        print(f"\nTargets missed: {', '.join(missed)}")
    return 1 if missed else 0


def machine_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown CPU"


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
