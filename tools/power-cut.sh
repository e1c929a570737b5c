#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Does a saved setup survive a power cut? For a maintainer with root; not
# part of the tests, since it needs a loop device and mounts.
#
#   sudo tools/power-cut.sh [ROUNDS] [VOSK_SETUP]   # 20 rounds, build/dev/bin/vosk-setup
#
# Each round, on a scratch ext4 file system mounted with noauto_da_alloc (so
# that ext4, like XFS, does not flush a file for us when it is renamed):
# an old setup is put on the disk for good, `vosk-setup import --force`
# replaces it, and at once the file system is shut down the way a power cut
# stops it: the journal, which records names and renames, is written, file
# contents that nobody flushed are not (the shutdown ioctl with its log-flush
# flag, as `xfs_io -x -c "shutdown -f"` gives it). After unmounting and
# mounting again the setup must be the old one or the new one, never empty
# or torn. The same rounds with a bare save that does not flush (the bytes
# written to a temporary with cat, then mv) show that the check sees the
# fault: there it leaves empty files. Exits 1 when vosk-setup left one.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds=${1:-20}
cli=$(realpath "${2:-$root/build/dev/bin/vosk-setup}")
data=$root/tests/data/cli

if [ "$(id -u)" -ne 0 ]; then
    echo "power-cut.sh needs root (a loop device, mount, the shutdown ioctl)" >&2
    exit 2
fi
work=$(mktemp -d /tmp/vosk-power-cut-XXXXXX)
loop=
cleanup() {
    mountpoint -q "$work/mnt" && umount "$work/mnt"
    [ -n "$loop" ] && losetup -d "$loop"
    rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/mnt"
truncate -s 64M "$work/disk.img"
mkfs.ext4 -q -F "$work/disk.img"
loop=$(losetup --find --show "$work/disk.img")
"$cli" export "$data/sample.rvs" >"$work/new.json"

# EXT4_IOC_SHUTDOWN (the same number as XFS's), flag 1: flush the journal only.
shutdown_fs() {
    python3 -c 'import fcntl, os, struct, sys
fd = os.open(sys.argv[1], os.O_RDONLY)
fcntl.ioctl(fd, 0x8004587D, struct.pack("I", 1))' "$1"
}

# One round with the save command $1; prints old, new, empty or torn.
round() {
    mount -o noauto_da_alloc "$loop" "$work/mnt"
    cp "$data/defaults.rvs" "$work/mnt/x.rvs"
    sync -f "$work/mnt"
    $1 "$work/mnt/x.rvs"
    shutdown_fs "$work/mnt"
    umount "$work/mnt"
    mount "$loop" "$work/mnt"
    if cmp -s "$work/mnt/x.rvs" "$data/defaults.rvs"; then echo old
    elif cmp -s "$work/mnt/x.rvs" "$data/sample.rvs"; then echo new
    elif [ ! -s "$work/mnt/x.rvs" ]; then echo empty
    else echo torn; fi
    umount "$work/mnt"
}
vosk_save() { "$cli" import --force "$work/new.json" "$1"; }
bare_save() { cat "$data/sample.rvs" >"$1.tmp" && mv "$1.tmp" "$1"; }

status=0
for writer in vosk_save bare_save; do
    outcomes=$(for ((i = 0; i < rounds; i++)); do round $writer; done | sort | uniq -c | xargs)
    echo "$writer, $rounds rounds: $outcomes"
    if [ $writer = vosk_save ] && grep -qE 'empty|torn' <<<"$outcomes"; then status=1; fi
done
exit $status
