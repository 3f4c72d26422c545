#!/usr/bin/env bash
# The window's pixel sizes at 96, 120, 144 and 192 DPI: runs the Dpi tests of
# window_tests.exe at 96 DPI in the session's own prefix, then in a prefix of
# its own for each higher resolution (made once per build folder by
# scripts/wine-session.sh). The share of the field that the result's figures
# fill at 96 DPI is handed on to the other runs in a file. Each run leaves
# the layout of a fresh start at its resolution in VEX_DPI_LAYOUTS; a last run
# at 96 DPI changes the window's resolution in-process (DpiChange tests) and
# compares with them.
# Run inside scripts/wine-session.sh (DISPLAY, WINEPREFIX and WINEARCH set):
#   tests/window/dpi_test.sh BUILD_DIR WINDOW_TESTS_EXE SOURCE_DIR
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR WINDOW_TESTS_EXE SOURCE_DIR}
tests=${2:?}
source=${3:?}
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no DISPLAY (run inside scripts/wine-session.sh)"; exit 1; }
WINE=$("$source/scripts/wine-loader.sh" "${WINEARCH:-win32}")

export VEX_DPI_SHARES="$build/dpi-share-at-96.txt"
export VEX_DPI_LAYOUTS="$build/dpi-layouts"
rm -f "$VEX_DPI_SHARES"
rm -rf "$VEX_DPI_LAYOUTS"
mkdir -p "$VEX_DPI_LAYOUTS"
status=0
for dpi in 96 120 144 192; do
  echo "=== $dpi DPI"
  export VEX_EXPECTED_DPI=$dpi
  if [ "$dpi" = 96 ]; then
    "$WINE" "$tests" --gtest_filter='Dpi.*' </dev/null || { echo "FAIL at $dpi DPI: exit code $?"; status=1; }
  else
    VEX_WINE_DPI=$dpi "$source/scripts/wine-session.sh" "$build" \
      "$WINE" "$tests" --gtest_filter='Dpi.*' </dev/null || { echo "FAIL at $dpi DPI: exit code $?"; status=1; }
  fi
done
echo "=== 96 DPI, changed to 144 and 192 in-process"
VEX_EXPECTED_DPI=96 "$WINE" "$tests" --gtest_filter='DpiChange.*' </dev/null || status=1
exit $status
