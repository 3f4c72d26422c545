#!/usr/bin/env bash
# Runs an end-to-end test, and once more when it fails, saying so here and in
# NOTES_FILE (printed by scripts/test.sh after the run):
#   retry_once.sh NOTES_FILE COMMAND [ARGS...]
# Only for tests that drive a second process under Wine, where a window that
# appears late can fail a run that is right. Exit code 77 (skipped) is passed
# on as it is.
set -uo pipefail
notes=${1:?usage: $0 NOTES_FILE COMMAND [ARGS...]}
shift
"$@"
status=$?
if [ "$status" -eq 0 ] || [ "$status" -eq 77 ]; then exit "$status"; fi
case " $* " in *" --gtest_list_tests "*) what="listing the cases" ;; *) what="$*" ;; esac
echo "RETRY: $what failed with exit code $status; running it once more" | tee -a "$notes"
"$@"
status=$?
echo "RETRY: second run exit code $status" | tee -a "$notes"
exit "$status"
