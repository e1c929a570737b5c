#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Installs what is missing, then builds and runs every test three ways: the
# plain suite, the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of each fuzz target; after the
# plain suite it also makes the Debian package and tries it. Exits non-zero
# on the first failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh

# Every tracked C++ file as the repository's .clang-format lays it out;
# `clang-format -i FILE` fixes one that is not.
git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror

# Every tracked source file names its copyright holder and licence;
# `tools/spdx-headers.sh` adds the two lines where they are missing.
bash tools/spdx-headers.sh --check

# The dev preset compiles the benchmarks too, so they keep building; they
# run only in tools/bench.sh.
cmake --preset dev
cmake --build --preset dev
ctest --preset dev

bash tools/check-package.sh

bash tools/fuzz.sh 20

cmake --preset asan
cmake --build --preset asan
ctest --preset asan
