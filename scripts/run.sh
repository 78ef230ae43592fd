#!/usr/bin/env bash
# Builds mpsec and starts it on a writable copy of the bundled sample data (run/sample-data).
# Give --fresh to start again from the bundled copy.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
data=run/sample-data
if [ "${1:-}" = "--fresh" ]; then rm -rf "$data"; fi
if [ ! -d "$data" ]; then
  mkdir -p run
  cp -r sample "$data"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here (DISPLAY is not set), so mpsec's window cannot open."
  echo "On a desktop, run this command again. Without one, use a virtual display:"
  echo "  xvfb-run -a bash scripts/run.sh"
  exit 1
fi
cd "$data"
exec ../../build/mpsec
