#!/usr/bin/env bash
# Builds vex.exe and runs it under Wine: on your display when DISPLAY is set,
# otherwise in a virtual X server, where a screenshot is saved to
# build/screenshot.png after the window appears. The 32-bit release build where
# this machine runs 32-bit programs, else the 64-bit build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
if scripts/wine-loader.sh win32 >/dev/null; then
  preset=mingw-i686
else
  preset=mingw-x86_64
  echo "run: building and running the 64-bit vex.exe instead of the 32-bit one" >&2
fi
dir=${VEX_BUILD_DIR:-build/$preset}   # another build folder may be given
cmake --preset "$preset" -B "$dir" >/dev/null
cmake --build "$dir" --target vex
exe=$dir/window/vex.exe

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-session.sh "$dir" bash -c '"$VEX_WINE" "$1"' run "$exe"
fi

# No display: start the program in Xvfb, wait for its window, take a picture
# of the screen and close the program again.
shot="$PWD/build/screenshot.png"
scripts/wine-session.sh "$dir" bash -c '
  "$VEX_WINE" "$1" >/dev/null 2>&1 </dev/null &
  pid=$!
  w=""
  for _ in $(seq 100); do
    # The title in either language: Japanese, or English (Lang=en).
    w=$(LC_ALL=C.UTF-8 xdotool search --name "^(関数電卓|Vex Calculator)" 2>/dev/null | head -1) && [ -n "$w" ] && break
    sleep 0.1
  done
  sleep 1
  import -window root "$2"
  [ -n "$w" ] && xdotool windowfocus "$w" key alt+F4 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
' run "$exe" "$shot"
echo "Screenshot saved to $shot (view it with any image viewer, e.g. 'display $shot')."
