#!/usr/bin/env bash
# Makes the Debian package from the release build (build/release, cpack -G
# DEB) and tries it the way it will be used, from a copy unpacked with
# dpkg-deb -x: vosk-host must find the plug-in on its own and take its
# pictures of a sample working folder, the command-line program must answer
# --help, and the package must depend on the Qt 6 runtime it links.
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

[ -f "$root/usr/share/doc/vosk-setup/README.md" ] || fail "no README in usr/share/doc/vosk-setup"
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
