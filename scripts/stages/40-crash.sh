#!/usr/bin/env bash
# What the crash and fault tests of saving found, in the log: the kill loop's
# report from the main and the sanitizer build (both stages ran it among all
# tests, and CTest keeps a passing test's output to itself), and the fault
# tests once more, quick, to show which failures this machine could make.
set -euo pipefail
source "$ROOT/scripts/lib.sh"
for build in build build-asan; do
    report="$ROOT/$build/tests/reliability/crash-report.txt"
    if [ ! -s "$report" ]; then
        echo "no crash report in $build: the crash test did not run"
        exit 1
    fi
    echo "$build: $(cat "$report")"
done
QT_QPA_PLATFORM=offscreen "$ROOT/build/tests/reliability/tst_reliability" --gtest_filter='Faults/*' \
    | grep -E '^\[ +(OK|SKIPPED|FAILED|PASSED) +\]|^\[==========\]|Failure|cannot make'
