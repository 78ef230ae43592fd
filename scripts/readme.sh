#!/usr/bin/env bash
# Copies the user's guide (docs/guide.md) into README.md between its guide markers, so the
# README's part for the secretary and the program's help are one text.
set -euo pipefail
cd "$(dirname "$0")/.."
begin='<!-- guide: written by scripts/readme.sh from docs/guide.md -->'
end='<!-- end of guide -->'
awk -v begin="$begin" -v end="$end" -v guide="docs/guide.md" '
  $0 == begin { print; while ((getline line < guide) > 0) print line; skip = 1; next }
  $0 == end { skip = 0 }
  !skip { print }
' README.md > README.md.new
mv README.md.new README.md
