#!/usr/bin/env bash
# Refreshes the README's pictures in docs/screenshots/: starts mpsec on a copy of the sample
# data on a virtual display (with a small window manager, so windows look as on a desktop),
# drives it with keys, and photographs the main window, the player view and the masterpoint
# viewer; the statement page is the PDF the statement command writes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
need_packages xvfb xauth xdotool imagemagick openbox poppler-utils
bash scripts/setup.sh
out="$PWD/docs/screenshots"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r sample "$work/data"
mpsec="$PWD/build/mpsec"

# snap NAME KEYS...: a fresh start of mpsec, the keys (xdotool names, or "type:TEXT"), a
# picture of the screen.
snap() {
  local name=$1; shift
  local script="$work/drive.sh"
  {
    echo 'openbox >/dev/null 2>&1 & wm=$!'
    echo 'sleep 0.5'
    printf 'cd %q && HOME=%q %q >/dev/null 2>&1 &\n' "$work/data" "$work" "$mpsec"
    echo 'pid=$!; sleep 3'
    for step in "$@"; do
      case $step in
        type:*) printf 'xdotool type --delay 60 %q\n' "${step#type:}" ;;
        *) printf 'xdotool key --delay 80 %q\n' "$step" ;;
      esac
      echo 'sleep 0.6'
    done
    echo 'sleep 1'
    printf 'import -window root %q\n' "$work/$name.png"
    echo 'kill $pid 2>/dev/null; sleep 0.5; kill -9 $pid 2>/dev/null; kill $wm 2>/dev/null'
  } >"$script"
  xvfb-run -a -s "-screen 0 1280x800x24" bash "$script"
  convert "$work/$name.png" -resize 960x "$out/$name.png"
  echo "saved docs/screenshots/$name.png"
}

snap main-window
snap player-view alt+p v type:1121240 Return
snap mp-viewer alt+m v ctrl+a "type:$work/data/3104326.gld" Return
(cd "$work/data" && "$mpsec" statement 1121240 --pdf "$work/statement.pdf" >/dev/null)
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/statement.pdf" "$out/statement"
echo "saved docs/screenshots/statement.png"
