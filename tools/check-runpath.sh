#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Checks that no program or library built in a build folder looks for shared
# libraries relative to the current folder. An empty RUNPATH or RPATH entry
# means the current folder to the loader, and so does a relative one: a
# program started in someone else's folder (git runs vosk-setup there as a
# text conversion) would load whatever libm.so.6 that folder holds.
# Usage: check-runpath.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check-runpath.sh BUILD_DIR}

checked=0
bad=()
while IFS= read -r -d '' file; do
    # Only ELF files; CMake's own probes under CMakeFiles are not ours, and
    # programs and libraries are executable or named *.so.
    [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
    checked=$((checked + 1))
    while IFS= read -r paths; do
        # Each entry ends at a ':'; the one appended here ends the last.
        rest=$paths:
        while [ -n "$rest" ]; do
            entry=${rest%%:*}
            rest=${rest#*:}
            case $entry in
            /* | '$ORIGIN' | '$ORIGIN/'* | '${ORIGIN}' | '${ORIGIN}/'*) ;;
            *) bad+=("$file: [$paths]") && break ;;
            esac
        done
    done < <(readelf -d "$file" 2>/dev/null | sed -n 's/.*(\(RUNPATH\|RPATH\)).*: \[\(.*\)\]$/\2/p')
done < <(find "$build" -path '*/CMakeFiles' -prune -o -type f \( -perm -u+x -o -name '*.so*' \) -print0)

if [ ${#bad[@]} -ne 0 ]; then
    printf 'check-runpath: searches the current folder for libraries: %s\n' "${bad[@]}" >&2
    exit 1
fi
# Finding nothing would prove nothing.
[ "$checked" -gt 0 ] || { echo "check-runpath: no ELF files under $build" >&2; exit 1; }
echo "check-runpath: $checked programs and libraries, none searches the current folder"
