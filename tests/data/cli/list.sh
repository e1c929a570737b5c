# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# list.sh NAME ENTRY...: a working folder whose setup folder holds the
# entries (a trailing "/" makes a sub-folder) and a conf.ini naming NAME
# ("-" for none), listed by vosk-setup with each line's mark moved to its
# end and the lines sorted, since the listing keeps the file system's order.
name=$1
shift
mkdir -p work/cars/vosk/setup
for entry in "$@"; do
    case $entry in
    */) mkdir "work/cars/vosk/setup/$entry" ;;
    *) cp "$DATA/sample.rvs" "work/cars/vosk/setup/$entry" ;;
    esac
done
[ "$name" = - ] || printf '[ACTIVESETUP]\r\nNAME=%s\r\n\r\n\r\n' "$name" >work/cars/vosk/setup/conf.ini
vosk-setup list --workdir work >listed
status=$?
sed 's/^\(.\) \(.*\)$/\2 \1/' listed | LC_ALL=C sort
exit $status
