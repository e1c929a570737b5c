#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Runs every fuzz target for the given number of seconds (default 20) from
# its seed corpus under fuzz/corpus. New inputs go to a scratch folder, so
# the corpora in the repository change only when someone copies a case in.
# A crash stops the run with a non-zero exit and leaves the input in
# build/fuzz/findings. A long run: tools/fuzz.sh 3600
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=${1:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
# Absolute paths: the window targets work inside a scratch folder of their own.
findings=$PWD/build/fuzz/findings
mkdir -p "$findings"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in inireader record preview import; do
    scratch=$(mktemp -d)
    log="$findings/$target.log"
    echo "== fuzz_$target for ${seconds}s"
    status=0
    build/fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" "$scratch" "$PWD/fuzz/corpus/$target" >"$log" 2>&1 ||
        status=$?
    rm -rf "$scratch"
    grep -E '^(Done [0-9]+ runs|stat::peak_rss_mb)' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log" >&2
        echo "fuzz_$target found a failure; the input is in $findings" >&2
        exit "$status"
    fi
done
