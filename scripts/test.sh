#!/usr/bin/env bash
# Installs what is missing, builds, runs every test and checks the formatting; then
# clang-tidy over the model code and the commands, the same tests built with the address
# and undefined-behaviour sanitizers (scripts/sanitize.sh), every fuzz target for 15
# seconds (scripts/fuzz.sh), and mpsec.exe cross-built for Windows with every test run
# under wine and the Windows packages made (scripts/windows.sh). With --quick, the first
# part only. Any failure in any part fails the run; every part runs, so one run shows them
# all.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
failed=()
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300) || failed+=(tests)
bash scripts/format.sh || failed+=(formatting)
if [ "${1:-}" != "--quick" ]; then
  bash scripts/tidy.sh --model || failed+=(clang-tidy)
  bash scripts/sanitize.sh || failed+=("sanitizer tests")
  bash scripts/fuzz.sh 15 || failed+=(fuzzing)
  bash scripts/windows.sh || failed+=("Windows build, tests and packages")
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]}"
  exit 1
fi
