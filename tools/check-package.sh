#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Makes the Debian package from the release build (build/release, cpack -G
# DEB), checks it as Debian would (lintian, the desktop entry and AppStream
# validators, the manual pages as man shows them, the README's links, the
# programs' hardening and library search paths) and tries it the way it will
# be used, from a copy unpacked with dpkg-deb -x: vosk-host must find the
# plug-in on its own and take its pictures of a sample working folder, the
# command-line program must answer --help, and the package must depend on the
# Qt 6 runtime it links.
# VOSK_PACKAGE_REQUIRE_CLI=0 lets a package without the command-line program
# pass (with a note).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

require_cli=${VOSK_PACKAGE_REQUIRE_CLI:-1}

fail() {
    echo "check-package: $*" >&2
    exit 1
}

# The package needs no tests; building them would only slow the check down.
cmake --preset release -DBUILD_TESTING=OFF
cmake --build --preset release
rm -f build/release/vosk-setup_*.deb
(cd build/release && cpack -G DEB)

version=$(sed -n 's/^project(vosk_setup VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/release/vosk-setup_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "cpack made no $deb: $(ls build/release/*.deb 2>/dev/null | xargs)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
dpkg-deb -x "$deb" "$root"

# Everything lives under /usr.
stray=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -E '^\./(usr(/.*)?)?$' || true)
[ -z "$stray" ] || fail "files outside /usr: $stray"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
    grep -q -E "(^|, )$package( |,|$)" <<<"$depends" ||
        fail "Depends does not name $package: $depends"
done

# Debian's own checker: every tag it knows is printed, an error or a
# warning fails. (It says it would rather not run as root; it still checks.)
lintian --fail-on error,warning --pedantic -I -E "$deb" ||
    fail "lintian finds errors or warnings in $deb"

desktop=$root/usr/share/applications/vosk-host.desktop
desktop-file-validate "$desktop" || fail "vosk-host.desktop does not validate"
metainfo=$(find "$root/usr/share/metainfo" -name '*.metainfo.xml')
[ "$(wc -l <<<"$metainfo")" -eq 1 ] && [ -n "$metainfo" ] ||
    fail "not one metainfo file in usr/share/metainfo: $metainfo"
# --no-net: the screenshot's address is not fetched.
appstreamcli validate --pedantic --no-net "$metainfo" || fail "$metainfo does not validate"
# A software centre finds the menu entry through the launchable, and the
# menu its icon in the hicolor theme.
grep -q '<launchable type="desktop-id">vosk-host.desktop</launchable>' "$metainfo" ||
    fail "$metainfo does not launch vosk-host.desktop"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for picture in scalable/apps/$icon.svg 48x48/apps/$icon.png; do
    [ -f "$root/usr/share/icons/hicolor/$picture" ] || fail "no icon hicolor/$picture for $desktop"
done

# Both manual pages as man shows them, without a complaint from the
# formatter; vosk-setup's has a section for every command its --help lists.
for page in vosk-setup vosk-host; do
    file=$root/usr/share/man/man1/$page.1.gz
    [ -f "$file" ] || fail "no manual page $page(1)"
    MANWIDTH=80 man --warnings -l "$file" >"$scratch/$page.txt" 2>"$scratch/$page.err" ||
        fail "man cannot show $page(1): $(cat "$scratch/$page.err")"
    [ ! -s "$scratch/$page.err" ] || fail "man complains about $page(1): $(cat "$scratch/$page.err")"
    grep -q "^NAME" "$scratch/$page.txt" || fail "$page(1) has no NAME section"
done
for command in $("$root/usr/bin/vosk-setup" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z0-9-]*\).*/\1/p'); do
    [ "$command" = help ] || grep -q "^   $command\$" "$scratch/vosk-setup.txt" ||
        fail "vosk-setup(1) has no section for the command $command"
done

doc=$root/usr/share/doc/vosk-setup
[ -f "$doc/README.md" ] || fail "no README in usr/share/doc/vosk-setup"
# Every file the packaged README links or shows is in the package.
for target in $(grep -o '](\([^)]*\))' "$doc/README.md" | sed 's/^](\(.*\))$/\1/'); do
    case $target in http:* | https:* | mailto:* | '#'*) continue ;; esac
    [ -e "$doc/$target" ] || fail "the packaged README links $target, which the package does not hold"
done
head -1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
    fail "usr/share/doc/vosk-setup/copyright is not in the machine-readable format"

# Hardened as Debian builds: bound at start-up, read-only relocations, no
# compiler notes; and no program looks for libraries in the current folder.
for binary in $(cd "$root" && find usr/bin usr/lib -type f); do
    readelf -d "$root/$binary" | grep -q 'FLAGS.*BIND_NOW' || fail "$binary is not linked with -z now"
    readelf -l "$root/$binary" | grep -q 'GNU_RELRO' || fail "$binary is not linked with -z relro"
    ! readelf -S "$root/$binary" | grep -q ' \.comment ' || fail "$binary keeps its .comment section"
done
bash tools/check-runpath.sh "$root" >/dev/null
modules=$(cd "$root" && find usr/lib -path '*/vosk-setup/libvosk_setup.so')
[ -n "$modules" ] || fail "no usr/lib/.../vosk-setup/libvosk_setup.so in the package"

# The host is given no library path: it has to find the module from where it
# was unpacked.
cp -R build/release/sample "$scratch/workdir"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/vosk-host" --workdir "$scratch/workdir" \
    --screenshot "$scratch/pictures" >"$scratch/host.log" 2>&1 ||
    fail "the unpacked vosk-host failed: $(cat "$scratch/host.log")"
pictures=$(find "$scratch/pictures" -name 'page-*.png' | wc -l)
[ "$pictures" -eq 11 ] && [ -f "$scratch/pictures/frame.png" ] ||
    fail "the unpacked vosk-host saved $pictures page pictures instead of 11 and the frame"

if [ -e "$root/usr/bin/vosk-setup" ]; then
    "$root/usr/bin/vosk-setup" --help >"$scratch/cli.log" 2>&1 ||
        fail "usr/bin/vosk-setup --help failed: $(cat "$scratch/cli.log")"
    [ -f "$root/usr/share/bash-completion/completions/vosk-setup" ] ||
        fail "no bash completion for vosk-setup in usr/share/bash-completion/completions"
elif [ "$require_cli" = 1 ]; then
    fail "the package has no usr/bin/vosk-setup: the command-line program (cli/) is not built or not installed"
else
    echo "check-package: note: no usr/bin/vosk-setup in the package, not checked"
fi

echo "check-package: $deb holds $modules, found by the unpacked vosk-host; Depends: $depends"
