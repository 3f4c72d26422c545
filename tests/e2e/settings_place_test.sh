#!/usr/bin/env bash
# End to end: vex.exe in folders where its settings file beside it cannot be
# used, so that the settings go to the per-user file (vex-<mark of the
# folder>.ini in the user's roaming application-data folder under Vex). As a user at the keyboard: xdotool types,
# xclip reads the answer copied with Ctrl+B, and the files are looked at.
#   1. A folder that refuses writes, without a settings file: what is typed
#      is kept in the per-user file across a restart; nothing is left in the
#      folder.
#   2. The same with an 8-bit (code page 932) vex.ini of an earlier version
#      in the folder: it is copied to the per-user folder first (its slots
#      come along), converted there to UTF-16 at the first write with every
#      line kept, and the folder's file is left as it was.
#   3. A folder whose path is longer than the settings calls take (over 259
#      characters): the program reads its full path and keeps its slots in
#      the per-user file.
#   4. A folder that refuses writes, then takes them, then refuses them
#      again: each start shows what the last session typed (the newer file
#      is brought over, the per-user file retired once brought back).
#   5. A UTF-8 vex.ini without a mark (as text editors save) with Japanese
#      comments: read and written back unchanged.
#   6. A code page 932 vex.ini that may be written, in a folder where nothing
#      new can be made: used through a converted per-user copy, its Japanese
#      text kept, no "?" anywhere, the folder's file as it was. What is typed
#      in each of three sessions is there in the next, with no box: the
#      per-user file, newer, cannot be copied back, and stays in use.
#   7. An upgrade in Program Files from a version without a manifest, whose
#      writes went to the user's virtual store: that copy, newer than the
#      stale vex.ini in the folder, is brought to the per-user file and left
#      as it was.
# Wine run as root writes anywhere, so the program runs as an unprivileged
# user: as root, as "nobody" through setpriv, with a Wine prefix and a home of
# its own (made once in the build folder, about 8 s, and reused); the folders
# are owned by root with mode 0555. Run by anyone else, as that user, with the
# folders made read-only. Run inside scripts/wine-session.sh (DISPLAY and
# WINEARCH set; the X server takes clients of any user).
#   tests/e2e/settings_place_test.sh path/to/vex.exe BUILD_DIR
set -euo pipefail

exe=${1:?usage: $0 VEX_EXE BUILD_DIR}
build=$(cd "${2:?usage: $0 VEX_EXE BUILD_DIR}" && pwd)
for tool in xdotool xclip iconv; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no DISPLAY (run inside scripts/wine-session.sh)"; exit 1; }

arch=${WINEARCH:-win32}
WINE=$("$(dirname "$0")/../../scripts/wine-loader.sh" "$arch")

if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "SKIP: setpriv missing"; exit 77; }
  user=nobody
  as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
else
  user=$(id -un)
  as_user() { "$@"; }
fi

# The unprivileged Wine's own place: in the build folder when that user can
# reach it, otherwise in /var/tmp under a name drawn from the build folder.
base="$build/wine-unprivileged-$arch"
if ! as_user test -x "$build"; then
  base="/var/tmp/vex-wine-unprivileged-$arch-$(printf '%s' "$build" | cksum | cut -d' ' -f1)"
fi
prefix="$base/prefix"
home="$base/home"
wine_env=(env HOME="$home" USER="$user" LOGNAME="$user" WINEPREFIX="$prefix" WINEARCH="$arch"
          WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=")
run_wine() { as_user "${wine_env[@]}" "$@"; }

if [ ! -f "$prefix/system.reg" ]; then
  echo "creating the $arch prefix of $user in $prefix (once)"
  rm -rf "$base"
  mkdir -p "$prefix" "$home"
  [ "$user" = "$(id -un)" ] || chown -R "$user:" "$base"
  run_wine wineserver -p </dev/null >/dev/null 2>&1 || true
  # Into a file, not a pipe: wineboot's system processes keep it open.
  if ! run_wine "$WINE" wineboot --init </dev/null >"$base/wineboot.log" 2>&1; then
    echo "FAIL: could not make the $arch prefix of $user in $prefix; '$WINE wineboot --init' said:"
    grep -v '^[[:space:]]*$' "$base/wineboot.log" | tail -5
    rm -rf "$prefix"
    exit 1
  fi
  run_wine "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  run_wine wineserver -k </dev/null >/dev/null 2>&1 || true
fi
# A server of its own for the whole test, detached from our pipes.
run_wine wineserver -p </dev/null >/dev/null 2>&1 || true

work=$(mktemp -d "${TMPDIR:-/tmp}/vex-place.XXXXXX")
chmod 0755 "$work"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  run_wine wineserver -k </dev/null >/dev/null 2>&1 || true
  chmod -R u+w "$work" "${programs:-$work}" 2>/dev/null || true
  rm -rf "$work" "${programs:-}" "${store:-}"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

roaming="$prefix/drive_c/users/$user/AppData/Roaming"
[ -d "$roaming" ] || fail "no roaming application-data folder in $prefix"
# The per-user file of the folder used last (each folder has its own).
user_ini() { ls "$roaming"/Vex/vex-*.ini 2>/dev/null | head -n 1; }

# Text of a settings file, whichever encoding, CR removed.
ini_text() {
  if [ "$(head -c 2 "$1" | od -An -tx1 | tr -d ' ')" = fffe ]; then
    iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r'
  else
    iconv -f CP932 -t UTF-8 "$1" | tr -d '\r'
  fi
}

# Fails unless settings file $1 holds the lines $2... (each exactly), in order.
expect_lines() {
  local file=$1 want="" got line
  shift
  local patterns=()
  for line in "$@"; do
    want+="$line|"
    patterns+=(-e "$line")
  done
  got=$(ini_text "$file" | grep -Fx "${patterns[@]}" | tr '\n' '|' || true)
  [ "$got" = "$want" ] || fail "lines of $file: \"$got\", expected \"$want\""
}

# Polls until the X clipboard holds exactly $1 (up to about 10 s), pressing
# Ctrl+B again now and then: a first press may come before the first paint
# has put the answer in place.
expect_clipboard() {
  local want=$1 got=""
  for i in $(seq 100); do
    got=$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)
    [ "$got" = "$want" ] && { echo "ok: answer \"$got\""; return 0; }
    [ $((i % 20)) -ne 0 ] || xdotool key ctrl+b
    sleep 0.1
  done
  fail "clipboard holds \"$got\", expected \"$want\""
}

start_vex() {
  (cd "$1" && run_wine "$WINE" "$1/vex.exe" </dev/null >/dev/null 2>&1) &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --limit 1 --name "関数電卓") ||
    fail "the window did not appear"
  xdotool windowfocus --sync "$window"
  sleep 0.3
}

# Fails when a second window of the program (the box telling that the
# settings could not be written, which follows the first paint) is up.
expect_no_box() {
  sleep 1
  local count
  count=$(xdotool search --onlyvisible --name "関数電卓" 2>/dev/null | wc -l)
  [ "$count" -eq 1 ] || fail "$count windows of the program: a box is up"
}

# Puts "1+" in front of the current slot's expression and evaluates it.
prepend_one() {
  xdotool key --delay 30 Home
  xdotool type --delay 30 "1+"
  xdotool key --delay 30 Return ctrl+b
}

stop_vex() {
  xdotool key alt+F4
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end on Alt+F4"
  wait "$pid" || true
  pid=""
}

# Makes folder $1 holding vex.exe (and, if given, the settings file $2),
# owned by root and closed to writes.
make_closed_folder() {
  mkdir -p "$1"
  cp "$exe" "$1/vex.exe"
  [ -z "${2:-}" ] || cp "$2" "$1/vex.ini"
  chmod 0444 "$1"/*
  chmod 0555 "$1"
  if as_user touch "$1/probe" 2>/dev/null; then fail "$1 can be written by $user"; fi
}

echo "--- 1. a folder that refuses writes"
rm -rf "$roaming/Vex"
make_closed_folder "$work/closed"
start_vex "$work/closed"
xdotool type --delay 30 "2+3"
xdotool key --delay 30 Return ctrl+b
expect_clipboard "5."
stop_vex
[ -e "$work/closed/vex.ini" ] && fail "a settings file appeared in the closed folder"
[ -n "$(user_ini)" ] || fail "no per-user settings file"
ini_text "$(user_ini)" | grep -qx 'A=2+3' || fail "slot A not in the per-user file"
start_vex "$work/closed"
xdotool key --delay 30 End
xdotool type --delay 30 "*2"
xdotool key --delay 30 Return ctrl+b
expect_clipboard "8."
stop_vex
ini_text "$(user_ini)" | grep -qx 'A=2+3\*2' || fail "slot A not kept after the restart"
echo "ok: slots kept in the per-user file across a restart"

echo "--- 2. the same with an 8-bit settings file of an earlier version"
rm -rf "$roaming/Vex"
old="$work/old.ini"
printf '; 以前の版の設定\r\n[Vex]\r\nBeep=0\r\nCbo=1\r\n[Data]\r\nA=6*7\r\nB=A+1 ;次の値\r\n' |
  iconv -f UTF-8 -t CP932 >"$old"
make_closed_folder "$work/closed-with-ini" "$old"
start_vex "$work/closed-with-ini"
xdotool key --delay 30 ctrl+b
expect_clipboard "43."
xdotool key --delay 30 Return
sleep 0.5
stop_vex
cmp -s "$old" "$work/closed-with-ini/vex.ini" || fail "the folder's settings file changed"
[ "$(head -c 2 "$(user_ini)" | od -An -tx1 | tr -d ' ')" = fffe ] || fail "the per-user file is not UTF-16"
expect_lines "$(user_ini)" '; 以前の版の設定' 'A=6*7' 'B=A+1 ;次の値'
echo "ok: copied over and converted, every line kept"

echo "--- 3. a folder whose path is longer than 259 characters"
rm -rf "$roaming/Vex"
deep="$work/long"
for part in a b c d e f; do deep="$deep/$(printf "%050d" 0 | tr 0 "$part")"; done
mkdir -p "$deep"
cp "$exe" "$deep/vex.exe"
[ "$user" = "$(id -un)" ] || chown -R "$user:" "$work/long"
start_vex "$deep"
xdotool type --delay 30 "7*6"
xdotool key --delay 30 Return ctrl+b
expect_clipboard "42."
stop_vex
start_vex "$deep"
xdotool key --delay 30 End
xdotool type --delay 30 "+1"
xdotool key --delay 30 Return ctrl+b
expect_clipboard "43."
stop_vex
ini_text "$(user_ini)" | grep -qx 'A=7\*6+1' || fail "slot A not in the per-user file"
echo "ok: slots kept with a long path"

echo "--- 4. refusing writes, then taking them, then refusing them again"
rm -rf "$roaming/Vex"
make_closed_folder "$work/moody"
start_vex "$work/moody"
xdotool type --delay 30 "7*6"
xdotool key --delay 30 Return ctrl+b
expect_clipboard "42."
stop_vex
chmod 0777 "$work/moody"
start_vex "$work/moody"
xdotool key --delay 30 ctrl+b
expect_clipboard "42."
xdotool key --delay 30 End
xdotool type --delay 30 "+22"
xdotool key --delay 30 Return ctrl+b
expect_clipboard "64."
stop_vex
[ -z "$(user_ini)" ] || fail "the per-user file was not retired once brought back"
ini_text "$work/moody/vex.ini" | grep -qx 'A=7\*6+22' || fail "slot A not in the folder's file"
chmod 0444 "$work/moody/vex.ini"
chmod 0555 "$work/moody"
start_vex "$work/moody"
xdotool key --delay 30 ctrl+b
expect_clipboard "64."
stop_vex
echo "ok: the last session's slots at every start"

# Makes folder $1 (root's, closed to new files) holding vex.exe and the
# settings file $2, which $user may write.
make_folder_with_writable_ini() {
  make_closed_folder "$1" "$2"
  chmod 0644 "$1/vex.ini"
  [ "$user" = "$(id -un)" ] || chown "$user:" "$1/vex.ini"
}

echo "--- 5. a UTF-8 vex.ini without a mark"
mkdir -p "$work/utf8"
printf '; 日本語のコメント\r\n[Data]\r\nA=1+1 ;メモ\r\n' >"$work/utf8/vex.ini"
cp "$exe" "$work/utf8/vex.exe"
[ "$user" = "$(id -un)" ] || chown -R "$user:" "$work/utf8"
start_vex "$work/utf8"
xdotool key --delay 30 Return ctrl+b
expect_clipboard "2."
stop_vex
expect_lines "$work/utf8/vex.ini" '; 日本語のコメント' 'A=1+1 ;メモ'
echo "ok: read as UTF-8 and written back unchanged"

echo "--- 6. a code page 932 vex.ini where nothing new can be made"
rm -rf "$roaming/Vex"
printf '; 以前の版の設定\r\n[Data]\r\nA=6*7 ;答え\r\n' | iconv -f UTF-8 -t CP932 >"$old"
make_folder_with_writable_ini "$work/no-new-files" "$old"
answer=42
expression='6*7 ;答え'
for round in 1 2 3; do
  start_vex "$work/no-new-files"
  expect_no_box
  xdotool key --delay 30 ctrl+b
  expect_clipboard "$answer."
  prepend_one
  answer=$((answer + 1))
  expression="1+$expression"
  expect_clipboard "$answer."
  stop_vex
  expect_lines "$(user_ini)" '; 以前の版の設定' "A=$expression"
done
cmp -s "$old" "$work/no-new-files/vex.ini" || fail "the folder's 8-bit file was written"
ini_text "$(user_ini)" | grep -q '?' && fail "a \"?\" in the per-user file"
echo "ok: read through a converted per-user copy, each session's slots in the next"

echo "--- 7. an upgrade from a version whose writes went to the virtual store"
rm -rf "$roaming/Vex"
programs="$prefix/drive_c/Program Files/Vex"
store="$prefix/drive_c/users/$user/AppData/Local/VirtualStore"
printf '[Data]\r\nA=1+1\r\n' >"$old"
make_closed_folder "$programs" "$old"
touch -d '2 days ago' "$programs/vex.ini"
mkdir -p "$store/Program Files/Vex"
printf '; 以前の版の設定\r\n[Data]\r\nA=6*7 ;答え\r\n' | iconv -f UTF-8 -t CP932 >"$work/store.ini"
cp "$work/store.ini" "$store/Program Files/Vex/vex.ini"
[ "$user" = "$(id -un)" ] || chown -R "$user:" "$store"
start_vex "$programs"
xdotool key --delay 30 ctrl+b
expect_clipboard "42."
prepend_one
expect_clipboard "43."
stop_vex
cmp -s "$old" "$programs/vex.ini" || fail "the folder's stale file changed"
cmp -s "$work/store.ini" "$store/Program Files/Vex/vex.ini" || fail "the virtual store's copy changed"
expect_lines "$(user_ini)" '; 以前の版の設定' 'A=1+6*7 ;答え'
start_vex "$programs"
xdotool key --delay 30 ctrl+b
expect_clipboard "43."
stop_vex
echo "ok: the virtual store's settings brought over, left where they were"
echo "PASS"
