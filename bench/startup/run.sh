#!/usr/bin/env bash
# Start-up benchmark of vex.exe under Wine, against two programs measured in
# the same session: the floor, vex.exe's own window (its resources, class and
# dialog template) without its logic, and the bare, a minimal Win32 window:
#   bench/startup/run.sh [RUNS] [i686|x86_64]        (defaults: 20, i686 where
#                                                    32-bit programs run, else x86_64)
# Builds vex.exe (the preset's build folder, or VEX_BUILD_DIR), cross-builds
# the floor, the bare program and the probe, gives vex.exe a settings file
# with all 26 slots holding 255-character expressions (evaluated at its first
# paint), then starts the three in turn RUNS times each and prints the time
# from launch to the first painted window and the peak memory of each, with
# the ratios vex/floor and vex/bare. Absolute times depend on the machine and
# on Wine; the ratios are the figures to compare. It reports and does not
# judge: it is not part of the test run.
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-20}
arch=${2:-}
if [ -z "$arch" ]; then
  # The release build where 32-bit programs run here, else the 64-bit one.
  if scripts/wine-loader.sh win32 >/dev/null; then arch=i686; else arch=x86_64; echo "measuring the x86_64 build instead" >&2; fi
fi
case "$arch" in
  i686|x86_64) ;;
  *) echo "usage: $0 [RUNS] [i686|x86_64]" >&2; exit 2 ;;
esac
preset=mingw-$arch
build=${VEX_BUILD_DIR:-build/$preset}
cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" --target vex

out=$build/bench-startup
rm -rf "$out"
mkdir -p "$out/vex" "$out/floor" "$out/bare"
cxx=$arch-w64-mingw32-g++-win32   # the thread model of the presets
flags=(-O2 -Wall -Wextra -DUNICODE -D_UNICODE -municode -static -static-libgcc -static-libstdc++
       -Wl,--no-insert-timestamp)
"$cxx" "${flags[@]}" -mwindows -o "$out/bare/baseline.exe" bench/startup/baseline.cpp
# The floor carries vex.exe's resource script, compiled as the build does.
$arch-w64-mingw32-windres -DUNICODE -D_UNICODE -I resources -I "$build/resources" -I "$build/version" -O coff -o "$out/floor/vex_resources.o" resources/vex.rc
"$cxx" "${flags[@]}" -mwindows -o "$out/floor/floor.exe" bench/startup/floor.cpp \
  "$out/floor/vex_resources.o"
"$cxx" "${flags[@]}" -o "$out/startup_probe.exe" bench/startup/startup_probe.cpp -lpsapi
cp "$build/window/vex.exe" "$out/vex/vex.exe"

# expression START: 255 characters that evaluate without error, beginning
# with START (a number or the letter of an earlier slot).
expression() {
  local text="$1*1" part='+SIN(0.5)*COS(0.25)'
  while [ $(( ${#text} + ${#part} )) -le 255 ]; do text+=$part; done
  if [ $(( (255 - ${#text}) % 2 )) -eq 1 ]; then text+='+10'; fi
  while [ ${#text} -lt 255 ]; do text+='+1'; done
  printf '%s' "$text"
}
{
  # No sounds: the floor and the bare program make none, and Wine's sound set-up would be
  # measured instead of the calculator.
  printf '[Vex]\r\nBeep=0\r\nTime=1\r\nView=3\r\nCbo=0\r\n[Data]\r\n'
  printf 'A=%s\r\n' "$(expression 1)"
  previous=A
  for letter in B C D E F G H I J K L M N O P Q R S T U V W X Y Z; do
    printf '%s=%s\r\n' "$letter" "$(expression $previous)"
    previous=$letter
  done
} >"$out/vex/vex.ini"

exec scripts/wine-session.sh "$build" bash -c 'cd "$1" && shift && "$VEX_WINE" startup_probe.exe "$@"' \
  probe "$out" "$runs" 'vex\vex.exe' VexClass300 'floor\floor.exe' VexClass300 \
  'bare\baseline.exe' VexStartupBaseline
