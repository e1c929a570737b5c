#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Gives every source file git tracks the two lines that say who holds its
# copyright and under which licence (SPDX-FileCopyrightText and
# SPDX-License-Identifier), in the comment syntax of its kind, below a
# shebang line or an XML declaration. Files that already have both are left
# as they are; data files (setups, expected outputs, pictures) and JSON,
# which has no comments, are not touched.
#   tools/spdx-headers.sh           add the lines where they are missing
#   tools/spdx-headers.sh --check   list the files without them; exit 1 if any
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

check=0
case ${1:-} in
--check) check=1 ;;
'') ;;
*) echo "usage: tools/spdx-headers.sh [--check]" >&2 && exit 2 ;;
esac

# The holder and year come from the licence, so the two cannot drift apart.
holder=$(sed -n 's/^Copyright (c) //p' LICENSE | head -1)
[ -n "$holder" ] || { echo "spdx-headers: LICENSE names no copyright holder" >&2 && exit 2; }
copyright="SPDX-FileCopyrightText: $holder"
license="SPDX-License-Identifier: MIT"

# The comment syntax of a file, or nothing for a file that is not source.
style() {
    case $1 in
    *.cpp | *.h | *.hpp | *.c) echo line-slash ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | *.cmake.in) echo hash ;;
    *.sh | *.bash | *.bash-completion | *.py | *.supp | *.desktop) echo hash ;;
    .clang-format | */.clang-format | .gitignore | */.gitignore) echo hash ;;
    *.ui | *.qrc | *.xml | *.xml.in | *.svg) echo xml ;;
    *.map) echo block ;;
    *)
        # A script without an extension, such as .ci/run.
        if [ "$(head -c 2 "$1" | tr -d '\0')" = '#!' ]; then echo hash; fi
        ;;
    esac
}

has_header() {
    local top
    top=$(head -n 12 "$1")
    grep -qF "SPDX-FileCopyrightText:" <<<"$top" && grep -qF "SPDX-License-Identifier:" <<<"$top"
}

header() {
    case $1 in
    line-slash) printf '// %s\n// %s\n' "$copyright" "$license" ;;
    hash) printf '# %s\n# %s\n' "$copyright" "$license" ;;
    xml) printf '<!-- %s -->\n<!-- %s -->\n' "$copyright" "$license" ;;
    block) printf '/* %s */\n/* %s */\n' "$copyright" "$license" ;;
    esac
}

# How many lines must stay above the header: a shebang, a Python coding
# line after it, an XML declaration.
keep_lines() {
    local first second
    first=$(head -n 1 "$1")
    second=$(sed -n 2p "$1")
    case $first in
    '#!'*)
        if [[ $second =~ ^#.*coding[:=] ]]; then echo 2; else echo 1; fi
        ;;
    '<?xml'*) echo 1 ;;
    *) echo 0 ;;
    esac
}

missing=()
while IFS= read -r -d '' file; do
    [ -f "$file" ] && [ ! -L "$file" ] || continue
    kind=$(style "$file")
    [ -n "$kind" ] || continue
    has_header "$file" && continue
    missing+=("$file")
    [ "$check" = 1 ] && continue
    keep=$(keep_lines "$file")
    scratch=$(mktemp)
    {
        head -n "$keep" "$file"
        header "$kind"
        tail -n +"$((keep + 1))" "$file"
    } >"$scratch"
    # Written over the file in place, so its mode and links stay. (This
    # script carries its own lines: bash would read on in a rewritten copy.)
    cat "$scratch" >"$file"
    rm -f "$scratch"
done < <(git ls-files -z)

if [ "$check" = 1 ]; then
    if [ ${#missing[@]} -ne 0 ]; then
        printf '%s\n' "${missing[@]}"
        exit 1
    fi
    exit 0
fi
echo "spdx-headers: added the two lines to ${#missing[@]} files"
