#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Times vosk-setup as whole processes with hyperfine, each beside a bare
# baseline doing the same reading:
#   show FILE      against `od -An -tx1 FILE` (target: at most 3x; git runs
#                  show once per file and revision as a text conversion, so
#                  start-up counts)
#   check FOLDER   of 100 000 setups against a bare loop that lists the
#                  folder and reads every file (target: at most 1.5x)
# Builds vosk-setup in the release preset first. Prints the means and the
# ratios, and exits non-zero when a target is missed.
# Usage: bench/cli.sh [number of setups in the folder, default 100000]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
count=${1:-100000}

bash tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target vosk-setup
program=$root/build/release/bin/vosk-setup

work=$(mktemp -d "${TMPDIR:-/tmp}/vosk-cli-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
"${CXX:-c++}" -O2 -std=c++17 -o "$work/bare_read" bench/bare_read.cpp

# A setup as the window saves it, and a folder of copies with names like the
# ones people give their setups. Every copy is clean, so check prints only
# its summary on standard error.
cp tests/data/cli/sample.rvs "$work/one.rvs"
mkdir "$work/setups"
python3 - "$work/setups" "$count" <<'PY'
import sys
folder, count = sys.argv[1], int(sys.argv[2])
data = open('tests/data/cli/sample.rvs', 'rb').read()
tracks = ['interlagos', 'monza', 'spa', 'suzuka', 'imola', 'zandvoort', 'estoril', 'jerez']
for i in range(count):
    name = f'{tracks[i % len(tracks)]}-{"wet" if i % 3 else "dry"}-race-{i}.rvs'
    with open(f'{folder}/{name}', 'wb') as f:
        f.write(data)
PY
"$program" check "$work/setups" # clean: only the summary, exits 0

hyperfine -N --warmup 50 --runs 1000 --export-json "$work/show.json" \
    "od -An -tx1 $work/one.rvs" "$program show $work/one.rvs"
hyperfine -N --warmup 2 --runs 15 --export-json "$work/check.json" \
    "$work/bare_read $work/setups" "$program check $work/setups"

python3 - "$work/show.json" "$work/check.json" <<'PY'
import json, sys
targets = {'show': 3.0, 'check': 1.5}
missed = False
print()
print('| work | ours (ms) | bare baseline (ms) | ratio of means | ratio of medians | target | met |')
print('|---|---|---|---|---|---|---|')
for path, work in zip(sys.argv[1:], ['show', 'check']):
    base, ours = json.load(open(path))['results']
    ratio = ours['mean'] / base['mean']
    median = ours['median'] / base['median']
    met = ratio <= targets[work]
    missed |= not met
    print(f"| {work} | {ours['mean'] * 1e3:.2f} ± {ours['stddev'] * 1e3:.2f} "
          f"| {base['mean'] * 1e3:.2f} ± {base['stddev'] * 1e3:.2f} | {ratio:.2f} | {median:.2f} "
          f"| ≤ {targets[work]}x | {'yes' if met else 'NO'} |")
sys.exit(1 if missed else 0)
PY
