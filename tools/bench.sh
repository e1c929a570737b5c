#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Builds the benchmarks in an optimised build (build/bench, the "release"
# preset with VOSK_BENCHMARKS on), runs every benchmark five times and prints
# the medians, spreads and ratios to the bare baselines as Markdown tables.
# Extra arguments go to the benchmark program, for example
#   tools/bench.sh --benchmark_filter=Activate
# Exits non-zero when a target is missed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash tools/install-deps.sh
cmake --preset release -B build/bench -DVOSK_BENCHMARKS=ON
cmake --build build/bench --target vosk_bench

results=build/bench/bench-results.json
build/bench/bench/vosk_bench \
    --benchmark_repetitions=5 \
    --benchmark_display_aggregates_only=true \
    --benchmark_out="$results" --benchmark_out_format=json \
    "$@"
echo
python3 bench/summarize.py "$results"
