#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the program's, the tests' and the
# tools' sources (build/ must hold compile_commands.json: run scripts/setup.sh first); with
# --model, over the model code and the commands only.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-tidy >/dev/null || {
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q clang-tidy
}
[ -f build/compile_commands.json ] || bash scripts/setup.sh
if [ "${1:-}" = "--model" ]; then
  # The model code and the commands only (the libraries without Qt): the part every test
  # run checks, in a few minutes.
  shift
  files=$(python3 - <<'PY'
import json, re
for entry in json.load(open("build/compile_commands.json")):
    if re.search(r"CMakeFiles/mpsec_(core|register|enquiries|mpfiles|submissions|statements|help|pages|cli|email|federation)\.dir/", entry["command"]):
        print(entry["file"])
PY
)
else
  files=$(git ls-files 'src/*.cpp' 'tests/*.cpp' 'tools/*.cpp' 'bench/*.cpp')
fi
status=0
printf '%s\n' $files | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet --extra-arg=-Wno-unknown-warning-option "$@" || status=$?
exit $status
