#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Line coverage of the product code (src/, host/, cli/) over the whole test
# suite: a --coverage build in build/coverage (the "coverage" preset), every
# test run once, then gcovr. The report is build/coverage/coverage.html, with
# a page per file; the last line printed is the summary,
#   lines: NN.N% (covered/total)
# A failing test still gets its report, and the script then exits non-zero.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh

cmake --preset coverage
cmake --build --preset coverage
# A source that moved or went leaves its object and its notes file behind,
# which gcovr would read as a second copy of the file.
ninja -C build/coverage -t cleandead >/dev/null
find build/coverage -name '*.gcno' -exec sh -c \
    'for f; do [ -e "${f%.gcno}.o" ] || rm -f "$f"; done' sh {} +
# Counts left by an earlier run would add up with this one's.
find build/coverage -name '*.gcda' -delete
status=0
ctest --preset coverage || status=$?

# Tests, benchmarks, fuzz targets and build tools are not product code, and
# neither is what moc, uic and rcc generate into the build folder, nor
# CMake's compiler check.
gcovr --root . --object-directory build/coverage \
    --filter src/ --filter host/ --filter cli/ \
    --exclude '.*_autogen/' --exclude '.*/\.rcc/' \
    --exclude-directories 'build/coverage/CMakeFiles$' \
    --html-details build/coverage/coverage.html \
    --json-summary build/coverage/coverage-summary.json
python3 - build/coverage/coverage-summary.json <<'EOF'
import json, sys
summary = json.load(open(sys.argv[1]))
print(f"lines: {summary['line_percent']:.1f}% ({summary['line_covered']}/{summary['line_total']})")
EOF
exit "$status"
