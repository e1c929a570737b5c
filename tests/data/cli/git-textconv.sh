# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Setups kept in git with the textconv of the README: a diff shows changed
# values as lines, not "Binary files differ", and a history that holds an
# empty placeholder, a cut-short copy and bytes past the record still reads
# in git log -p.
set -e
git init -q repo
cd repo
git config user.name "Setup Test"
git config user.email setup-test@example.invalid
git config diff.vosk.textconv "vosk-setup show --textconv"
git config diff.vosk.cachetextconv true
echo '*.rvs diff=vosk' >.gitattributes
cp "$DATA/sample.rvs" car.rvs
: >empty.rvs
git add .gitattributes car.rvs empty.rvs
git commit -qm "front springs 130, a placeholder"
cp "$DATA/spring140.rvs" car.rvs
head -c 20 "$DATA/sample.rvs" >empty.rvs
git commit -qam "front springs 140, a cut-short copy"
cp "$DATA/spring140.rvs" car.rvs
printf 'tail' >>car.rvs
git commit -qam "bytes past the record"
git log -p --format='commit %s' | grep -v '^index '
