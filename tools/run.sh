#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Builds the plug-in and the stand-in simulator, and opens the car's setup
# page in it. Without a display it runs on a virtual one and saves a picture
# of every page instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash tools/install-deps.sh
cmake --preset dev
cmake --build --preset dev

build="$root/build/dev"
data="${XDG_DATA_HOME:-$HOME/.local/share}/vosk-setup"
workdir="$data/workdir"

# The user's setups live here from the first run on: a working folder that
# exists already is used as it is and never overwritten.
if [ ! -e "$workdir" ]; then
    mkdir -p "$data"
    staging="$(mktemp -d "$data/.workdir.XXXXXX")"
    cp -R "$build/sample/." "$staging/"
    mv "$staging" "$workdir"
    echo "Created the working folder $workdir from the sample car files."
else
    echo "Using the working folder $workdir"
fi

if [ -n "${DISPLAY:-}" ]; then
    exec "$build/bin/vosk-host" --workdir "$workdir"
fi

shots="$build/screenshots"
echo "No display: opening the setup window on a virtual screen to take pictures."
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bin/vosk-host" --workdir "$workdir" --screenshot "$shots"
echo "Pictures of the frame and of every page are in $shots"
