#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages that building, testing and running the
# plug-in need, and only those that are missing.
set -euo pipefail

packages=(
    cmake ninja-build g++            # compiler and build
    qt6-base-dev                     # Qt 6 Widgets, moc, uic, rcc
    libgl-dev                        # OpenGL headers Qt's CMake package asks for
    libgtest-dev libgmock-dev        # tests
    libbenchmark-dev                 # benchmarks
    clang libclang-rt-14-dev         # fuzzing
    xvfb xauth                       # running the window without a display
    fonts-dejavu-core                # text in the window and its pictures
    xdotool x11-apps                 # keys to the window on a real X server, screen pictures
    at-spi2-core dbus-daemon         # the screen reader's view of the window, on a D-Bus session of its own
    python3-gi gir1.2-atspi-2.0      # reading that view from the tests and tools/a11y-dump.py
    netpbm                           # reading and saving those pictures (xwdtopnm, pnmtopng)
    qt6-svg-dev                      # the gearing chart as SVG
    git                              # the setups-in-git check
    libxml2-utils                    # xmllint: the gearing chart's SVG is well-formed XML
    hyperfine                        # timing vosk-setup as whole processes (bench/cli.sh)
    strace                           # the order of a save's flushes and renames (cli tests)
    locales                          # a comma-decimal locale for the number tests
    gcovr                            # line coverage
    clang-format                     # the formatting check
    dpkg-dev file                    # the Debian package's library dependencies
    help2man man-db                  # manual pages made from --help, shown with man
    lintian desktop-file-utils appstream  # checking the package, its menu entry and AppStream data
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    if [ "$status" != installed ]; then
        missing+=("$package")
    fi
done

# The number tests also run under a locale whose decimal separator is a comma;
# a fresh system has only C and POSIX.
comma_locale=de_DE.UTF-8
has_comma_locale() {
    grep -qix 'de_DE\.utf-\?8' <<<"$(locale -a 2>/dev/null)"
}

if [ ${#missing[@]} -eq 0 ] && has_comma_locale; then
    echo "All build dependencies are installed."
    exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "Please run this as root; missing: ${missing[*]} (and maybe ${comma_locale})" >&2
        exit 1
    fi
    # Without a terminal nobody can type a password; fail instead of hanging.
    if [ -t 0 ]; then as_root=(sudo); else as_root=(sudo -n); fi
fi
if [ ${#missing[@]} -ne 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi
if ! has_comma_locale; then
    echo "Generating the locale ${comma_locale}"
    "${as_root[@]}" localedef -i de_DE -f UTF-8 "$comma_locale"
fi
