#!/usr/bin/env bash
# Builds the native preset and runs the full engine benchmark.
#   bench/run.sh [build-folder] [benchmark options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
shift || true
cmake --preset native -B "$build" >/dev/null
cmake --build "$build" -j2 --target bench_engine
"$build/bench/bench_engine" "$@"
