#!/usr/bin/env bash
# Runs a command inside a Wine session for a MinGW build folder:
#   scripts/wine-session.sh build/mingw-i686 ctest --preset mingw-i686
# The Wine prefix lives in <build>/wineprefix (win32 for a 32-bit build,
# win64 for a 64-bit one) and is set up once: no window manager needed
# (Managed=N), Japanese font substitutes, Lato Black for Arial Black, the
# marlett font for caption buttons. Without a DISPLAY an Xvfb server is
# started on a free display. wineserver and the system processes are started
# detached from our pipes, so that tools reading the command's output to the
# end (ctest, $(...)) are not held up. Everything started here is stopped
# again at the end. The command's exit code is returned.
#
# VEX_WINE_DPI=144 (or any other resolution) uses a prefix of its own,
# <build>/wineprefix-dpi144, whose screen has that many dots per inch.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_DIR COMMAND [ARGS...]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
shift

dpi=${VEX_WINE_DPI:-96}
case $dpi in
  ''|*[!0-9]*) echo "wine-session: VEX_WINE_DPI must be a number" >&2; exit 2 ;;
esac
if [ "$dpi" = 96 ]; then
  export WINEPREFIX="$build/wineprefix"
else
  export WINEPREFIX="$build/wineprefix-dpi$dpi"
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if grep -q 'x86_64-w64-mingw32' "$build/CMakeCache.txt" 2>/dev/null; then
  export WINEARCH=win64
else
  export WINEARCH=win32
fi
# The loader for this kind of program, or the reason there is none here.
WINE=$("$(dirname "$0")/wine-loader.sh" "$WINEARCH") || exit 1
export VEX_WINE=$WINE

xvfb_pid=""
cleanup() {
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -f "${display_file:-}"
}
trap cleanup EXIT

# A display: the caller's, or a fresh Xvfb that picks a free number itself.
if [ -z "${DISPLAY:-}" ]; then
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 </dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  if [ ! -s "$display_file" ]; then
    echo "wine-session: Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=":$(tr -d '[:space:]' <"$display_file")"
fi

reg_add() {
  # reg_add KEY NAME DATA [TYPE]: in the 64-bit prefix, for both registry
  # views. The prefix is only made for the settings made here, so one that
  # did not take is removed again, and the next session makes it anew.
  local type=${4:-REG_SZ} view=() status
  [ "$WINEARCH" = win64 ] && view=(/reg:64)
  for try in 1 2; do
    "$WINE" reg add "$1" /v "$2" /t "$type" /d "$3" /f "${view[@]}" >/dev/null 2>&1 </dev/null && break
    status=$?
    if [ "$try" = 2 ]; then
      echo "wine-session: could not set $1\\$2 in the new prefix ('$WINE reg add' ended with $status)" >&2
      rm -rf "$WINEPREFIX"
      exit 1
    fi
    echo "wine-session: setting $1\\$2 failed ($status); once more" >&2
    sleep 1
  done
  if [ "$WINEARCH" = win64 ]; then
    "$WINE" reg add "$1" /v "$2" /t "$type" /d "$3" /f /reg:32 >/dev/null 2>&1 </dev/null || true
  fi
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-session: creating $WINEARCH prefix in $WINEPREFIX (once)" >&2
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 </dev/null || true
  # Into a file, not a pipe: the system processes wineboot starts keep
  # their output open long after it returns.
  boot_log="$build/wineboot-$WINEARCH.log"
  if ! "$WINE" wineboot --init >"$boot_log" 2>&1 </dev/null; then
    echo "wine-session: could not make the $WINEARCH prefix in $WINEPREFIX; '$WINE wineboot --init' said:" >&2
    grep -v '^[[:space:]]*$' "$boot_log" | tail -5 >&2
    rm -rf "$WINEPREFIX"
    exit 1
  fi
  # Non-ASCII registry arguments need a UTF-8 locale.
  export LC_ALL=C.UTF-8
  reg_add 'HKCU\Software\Wine\X11 Driver' Managed N
  # A program that crashes ends with a backtrace instead of waiting for
  # someone to close the crash dialog.
  reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog 0 REG_DWORD
  FS='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  reg_add "$FS" 'ＭＳ ゴシック' IPAGothic
  reg_add "$FS" 'ＭＳ Ｐゴシック' IPAPGothic
  reg_add "$FS" 'MS Gothic' IPAGothic
  reg_add "$FS" 'MS PGothic' IPAPGothic
  reg_add "$FS" 'Arial Black' 'Lato Black'
  R='HKCU\Software\Wine\Fonts\Replacements'
  reg_add "$R" Tahoma IPAPGothic
  reg_add "$R" 'MS UI Gothic' IPAPGothic
  if [ "$dpi" != 96 ]; then
    reg_add 'HKCU\Control Panel\Desktop' LogPixels "$dpi" REG_DWORD
    reg_add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' LogPixels "$dpi" REG_DWORD
  fi
  unset LC_ALL
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # Restart so that the system processes read the new settings.
  timeout 20 wineserver -k >/dev/null 2>&1 || true
fi

wineserver -p >/dev/null 2>&1 </dev/null || true
"$WINE" wineboot >/dev/null 2>&1 </dev/null || true

set +e
"$@"
status=$?
set -e
exit "$status"
