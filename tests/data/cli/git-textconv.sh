# Two commits of a setup kept in git with the textconv of the README: the
# diff shows the changed value as lines, not "Binary files differ".
set -e
git init -q repo
cd repo
git config user.name "Setup Test"
git config user.email setup-test@example.invalid
git config diff.vosk.textconv "vosk-setup show"
echo '*.rvs diff=vosk' >.gitattributes
cp "$DATA/sample.rvs" car.rvs
git add .gitattributes car.rvs
git commit -qm "front springs 130"
cp "$DATA/spring140.rvs" car.rvs
git commit -qam "front springs 140"
git diff HEAD~1 -- car.rvs | grep -v '^index '
