#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the program's, the tests' and the
# tools' sources (build/ must hold compile_commands.json: run scripts/setup.sh first).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-tidy >/dev/null || {
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q clang-tidy
}
[ -f build/compile_commands.json ] || bash scripts/setup.sh
files=$(git ls-files 'src/*.cpp' 'tests/*.cpp' 'tools/*.cpp' 'bench/*.cpp')
status=0
printf '%s\n' $files | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet --extra-arg=-Wno-unknown-warning-option "$@" || status=$?
exit $status
