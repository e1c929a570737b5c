#!/usr/bin/env bash
# Builds everything in the dev preset and runs every test. Exits non-zero on
# the first failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh
cmake --preset dev
cmake --build --preset dev
ctest --preset dev
