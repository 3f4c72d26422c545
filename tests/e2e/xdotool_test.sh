#!/usr/bin/env bash
# End to end from the X side, as a user at the keyboard: a copy of vex.exe in
# a fresh folder (so a fresh settings file) runs under Wine; xdotool types
# into its window and xclip reads the X clipboard.
#   1+2, Enter, Ctrl+B      -> the clipboard holds "3."
#   4*5= (typed "=")        -> evaluates: Ctrl+B gives "20."; the entry holds
#                              "4*5" without the "="
# Run inside scripts/wine-session.sh (DISPLAY, WINEPREFIX and WINEARCH set).
#   tests/e2e/xdotool_test.sh path/to/vex.exe
set -euo pipefail

exe=${1:?usage: $0 VEX_EXE}
for tool in xdotool xclip; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no DISPLAY (run inside scripts/wine-session.sh)"; exit 1; }

WINE=$("$(dirname "$0")/../../scripts/wine-loader.sh" "${WINEARCH:-win32}")

work=$(mktemp -d "${TMPDIR:-/tmp}/vex-e2e.XXXXXX")
cp "$exe" "$work/vex.exe"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

# Polls until the X clipboard holds exactly $1 (up to about 10 s).
expect_clipboard() {
  local want=$1 got=""
  for _ in $(seq 100); do
    got=$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)
    [ "$got" = "$want" ] && { echo "ok: clipboard \"$got\""; return 0; }
    sleep 0.1
  done
  fail "clipboard holds \"$got\", expected \"$want\""
}

"$WINE" "$work/vex.exe" </dev/null >/dev/null 2>&1 &
pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --limit 1 --name "関数電卓") ||
  fail "the window did not appear"
xdotool windowfocus --sync "$window"

# The clipboard path works and holds a known text: the entry's own copy.
xdotool type --delay 30 "7"
xdotool key --delay 30 shift+Home ctrl+c
expect_clipboard "7"
xdotool key --delay 30 BackSpace

# Evaluate with Enter and copy the answer.
xdotool type --delay 30 "1+2"
xdotool key --delay 30 Return ctrl+b
expect_clipboard "3."

# A typed "=" evaluates and is not inserted.
xdotool key --delay 30 shift+Home BackSpace
xdotool type --delay 30 "4*5="
xdotool key --delay 30 ctrl+b
expect_clipboard "20."
xdotool key --delay 30 End shift+Home ctrl+c
expect_clipboard "4*5"

# The evaluated expression was saved at once (settings file beside the exe).
ini="$work/vex.ini"
[ -f "$ini" ] || fail "no settings file"
if ! iconv -f UTF-16 -t UTF-8 "$ini" 2>/dev/null | tr -d '\r' | grep -qx 'A=4\*5' &&
   ! tr -d '\r' <"$ini" | grep -qx 'A=4\*5'; then
  fail "slot A not saved as 4*5"
fi
echo "ok: slot A saved"

# Alt+F4 ends the program.
xdotool key alt+F4
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then fail "the program did not end on Alt+F4"; fi
wait "$pid" || true
pid=""
echo "PASS"
