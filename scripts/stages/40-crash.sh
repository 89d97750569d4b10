#!/usr/bin/env bash
# What the crash and fault tests of saving found, in the log: the kill loop's
# report from the main and the sanitizer build (both stages ran it among all
# tests, and CTest keeps a passing test's output to itself), and the fault
# tests once more, quick, to show which failures this machine could make.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"
# Run on its own, the stage builds the main tree and runs the kill loop there.
if [ ! -s "$ROOT/build/tests/reliability/crash-report.txt" ]; then
    z7_build "$ROOT/build" -DZ7_WERROR=ON
    ctest --test-dir "$ROOT/build" --output-on-failure --timeout 900 -R '^CrashWhileSaving\.'
fi
for build in build build-asan; do
    report="$ROOT/$build/tests/reliability/crash-report.txt"
    if [ -s "$report" ]; then
        echo "$build: $(cat "$report")"
    elif [ "$build" = build ] || [ -d "$ROOT/$build" ]; then
        echo "no crash report in $build: the crash test did not run"
        exit 1
    else
        echo "$build: not built (the sanitizer stage has not run)"
    fi
done
QT_QPA_PLATFORM=offscreen "$ROOT/build/tests/reliability/tst_reliability" --gtest_filter='Faults/*' \
    | grep -E '^\[ +(OK|SKIPPED|FAILED|PASSED) +\]|^\[==========\]|Failure|cannot make'
