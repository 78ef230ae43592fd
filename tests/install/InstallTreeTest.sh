#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a package would hold: the
# program, its desktop entry and icons, the manual page and the changelog (compressed, as
# Debian wants them), the copyright file and the sample data.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*"; exit 1; }
for f in bin/mpsec share/applications/mpsec.desktop \
  share/icons/hicolor/scalable/apps/mpsec.svg \
  share/icons/hicolor/48x48/apps/mpsec.png share/icons/hicolor/128x128/apps/mpsec.png \
  share/icons/hicolor/256x256/apps/mpsec.png share/man/man1/mpsec.1.gz \
  share/doc/mpsec/copyright share/doc/mpsec/changelog.gz \
  share/mpsec/sample/National.TXT share/mpsec/sample/NATIONAL.CLB; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
# Nothing of the developers' own is installed.
extra="$(cd "$prefix" && find . -type f | grep -v -e '^./bin/mpsec$' -e '^./share/' || true)"
[ -z "$extra" ] || fail "installed beyond the program: $extra"
desktop-file-validate "$prefix/share/applications/mpsec.desktop" || fail "desktop entry"
# Compressed at the highest level without a time stamp (bytes 5-8 of the header are zero).
for f in share/man/man1/mpsec.1.gz share/doc/mpsec/changelog.gz; do
  gzip -t "$prefix/$f" || fail "$f is not gzip"
  [ "$(od -An -tx1 -j4 -N5 "$prefix/$f" | tr -d ' ')" = "0000000002" ] ||
    fail "$f holds a time stamp or is not compressed with -9"
done
zcat "$prefix/share/doc/mpsec/changelog.gz" | head -1 | grep -q '^mpsec (' ||
  fail "the changelog does not start with an entry of mpsec"
manual="$prefix/man.1"
zcat "$prefix/share/man/man1/mpsec.1.gz" >"$manual"
# The manual renders without a warning and holds every command's help.
warnings="$(groff -man -Tutf8 -ww -z "$manual" 2>&1)"
[ -z "$warnings" ] || fail "manual page warnings: $warnings"
page="$(MANWIDTH=100 man -l "$prefix/share/man/man1/mpsec.1.gz" 2>/dev/null | col -b)"
for cmd in check player statement statements; do
  expected="$("$prefix/bin/mpsec" "$cmd" --help | head -1)"
  grep -qF -- "$expected" <<<"$page" || fail "manual page lacks: $expected"
done
version="$("$prefix/bin/mpsec" --version)"
grep -qF "$(sed -n 's/^\.TH MPSEC 1 "" "mpsec \([^"]*\)".*/\1/p' "$manual")" \
  <<<"$version" || fail "manual and program disagree on the version"
rm "$manual"
echo "install tree complete: $(cd "$prefix" && find . -type f | wc -l) files"
