#!/usr/bin/env bash
# Checks that every C++ file is formatted with the root .clang-format (with --fix, formats
# them instead).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || {
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q clang-format
}
if [ "${1:-}" = "--fix" ]; then
  git ls-files '*.cpp' '*.h' | xargs clang-format -i
else
  git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
fi
