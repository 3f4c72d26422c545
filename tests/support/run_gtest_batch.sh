#!/usr/bin/env bash
# Runs all cases of one GoogleTest executable in a single Wine process, in a
# shuffled order, and says what happened:
#   run_gtest_batch.sh NOTES_FILE LOADER TEST_EXE [GTEST_ARGS...]
# Starting Wine costs more than most cases, so a process per case would spend
# most of the run starting processes. The order is printed with its seed;
# GTEST_RANDOM_SEED=N runs the same order again. Failed and skipped cases are
# named here and in NOTES_FILE, which scripts/test.sh prints after the run; a
# crash names the case that was running.
set -uo pipefail

notes=${1:?usage: $0 NOTES_FILE LOADER TEST_EXE [GTEST_ARGS...]}
loader=${2:?}
exe=${3:?}
shift 3
name=$(basename "$exe" .exe)
seed=${GTEST_RANDOM_SEED:-$((RANDOM % 99999 + 1))}
echo "$name: cases in shuffled order; GTEST_RANDOM_SEED=$seed repeats it"

# Into a file, not a pipe: a process started by a case must not hold the run.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$loader" "$exe" --gtest_shuffle --gtest_random_seed="$seed" "$@" </dev/null >"$output" 2>&1
status=$?
tr -d '\r' <"$output" >"$output.lf" && mv "$output.lf" "$output"
cat "$output"

# One line per finished case ends with its time: "[  FAILED  ] Suite.Case (12 ms)".
cases() { sed -n "s/^\[  *$1  *\] \(.*\) ([0-9]* ms)\$/\1/p" "$output"; }
passed=$(cases OK | wc -l)
failed=$(cases FAILED)
skipped=$(cases SKIPPED)
count() { [ -n "$1" ] && printf '%s\n' "$1" | wc -l || echo 0; }
summary="$name (GTEST_RANDOM_SEED=$seed): $passed passed, $(count "$failed") failed, $(count "$skipped") skipped"
{
  echo "$summary"
  [ -z "$failed" ] || printf '%s\n' "$failed" | sed 's/^/  failed: /'
  [ -z "$skipped" ] || printf '%s\n' "$skipped" | sed 's/^/  skipped: /'
  if [ "$status" -ne 0 ] && ! grep -q '^\[==========\] .* ran\.' "$output"; then
    running=$(sed -n 's/^\[ RUN      \] //p' "$output" | tail -1)
    echo "  ended with exit code $status while running ${running:-no case}"
  fi
} | tee -a "$notes"
exit "$status"
