#!/usr/bin/env bash
# Builds every configuration and runs every test: native (Release and
# ASan+UBSan), the fuzzers for a bounded time, the benchmark's smoke run, and
# the 32- and 64-bit Windows builds under Wine. Where this machine cannot run
# 32-bit programs (scripts/wine-loader.sh decides; VEX_NO_32BIT=1 pretends
# so), the 32-bit build is still built and packed and its checks that need no
# Windows program run; its tests under Wine are not run, and a line says so.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

step() { printf '\n=== %s ===\n' "$*"; }

for preset in native native-asan fuzz; do
  step "$preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# The 32-bit build first: the 64-bit window tests also check its vex.exe.
not_run=""
for preset in mingw-i686 mingw-x86_64; do
  step "$preset"
  arch=win64; [ "$preset" = mingw-i686 ] && arch=win32
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  notes="build/$preset/test-notes.txt"
  rm -f "$notes"
  status=0
  if why=$(scripts/wine-loader.sh "$arch" 2>&1 >/dev/null); then
    scripts/wine-session.sh "build/$preset" ctest --preset "$preset" || status=$?
  else
    not_run="The $preset tests under Wine were not run: ${why#wine-loader: }"
    echo "$not_run"
    ctest --preset "$preset" || status=$?
  fi
  if [ -s "$notes" ]; then
    step "$preset: what the Wine runs said"
    cat "$notes"
  fi
  [ "$status" -eq 0 ] || exit "$status"
  cmake --build --preset "$preset" --target release   # the release zip, in build/$preset
done
step "all tests passed"
[ -z "$not_run" ] || echo "$not_run"
