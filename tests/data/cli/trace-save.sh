# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Runs a command under strace and prints, in order, the calls that decide
# whether a save survives a power cut and whether it touches other files:
# flushes, links, renames, removals and folder reads. Descriptors show as
# the file they stand for, relative to this folder; random parts as XXXXXX.
# An AddressSanitizer build's leak check cannot run under ptrace, so it is off.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
strace -f -qq -y -o trace -e trace=fsync,fdatasync,link,linkat,rename,renameat,renameat2,unlink,unlinkat,getdents64 "$@" || exit
sed -E -e 's/^[0-9]+ +//' -e "s#$PWD/?##g" \
    -e 's/[0-9]+<([^>]*)#[0-9]+>\(deleted\)/<\1unnamed temporary>/g' -e 's/[0-9]+<([^>]*)>/<\1>/g' \
    -e 's/AT_FDCWD<>/AT_FDCWD/g' -e 's#/fd/[0-9]+#/fd/N#' -e 's/tmp-[A-Za-z0-9]{6}/tmp-XXXXXX/g' -e 's/ += / = /' trace
