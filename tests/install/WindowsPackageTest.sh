#!/usr/bin/env bash
# Checks what scripts/windows.sh packed: the folder (and so its zip) holds the window program
# mpsec.exe, its console twin mpsec.com and the licence, and the installer's licence page
# shows the program's licence, not CPack's placeholder.
set -euo pipefail
folder="$1"   # build-windows/mpsec-VERSION-win64
nsis="$2"     # the NSIS script CPack wrote (project.nsi)
fail() { echo "FAIL: $*"; exit 1; }
for f in mpsec.exe mpsec.com LICENSE.txt guide.md Qt6Core.dll platforms/qwindows.dll \
  sample/National.TXT; do
  [ -f "$folder/$f" ] || fail "$f is not in $folder"
done
grep -q 'Copyright 2026 mpsec developers' "$folder/LICENSE.txt" ||
  fail "LICENSE.txt does not name the copyright holder"
grep -q 'all rights are reserved' "$folder/LICENSE.txt" || fail "LICENSE.txt holds no terms"
page=$(sed -n 's/^ *!insertmacro MUI_PAGE_LICENSE "\(.*\)"/\1/p' "$nsis")
[ -n "$page" ] || fail "the installer has no licence page"
page=$(printf '%s' "$page" | sed 's|\\|/|g')
[ -f "$page" ] || fail "the licence page's file $page is missing"
grep -q 'Copyright 2026 mpsec developers' "$page" || fail "the licence page shows $page"
if grep -q 'created using CPack' "$page"; then fail "the licence page shows CPack's placeholder"; fi
echo "Windows package: the programs, the licence and the installer's licence page are right"
