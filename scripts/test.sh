#!/usr/bin/env bash
# Builds every configuration and runs every test: native (Release and
# ASan+UBSan), the fuzzer for a bounded time, the benchmark's smoke run, and
# the 32- and 64-bit Windows builds under Wine.
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

for preset in mingw-i686 mingw-x86_64; do
  step "$preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  if [ -x scripts/wine-session.sh ]; then
    scripts/wine-session.sh "build/$preset" ctest --preset "$preset"
  else
    ctest --preset "$preset"
  fi
  cmake --build --preset "$preset" --target release   # the release zip, in build/$preset
done
step "all tests passed"
