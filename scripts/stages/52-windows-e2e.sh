#!/usr/bin/env bash
# The end-to-end scenarios of tests/e2e (scenarios.txt) on the Windows program:
# z7edit.exe under Wine on Xvfb, driven with xdotool like a person, run by
# CTest in the Windows build (the label e2e). One prefix is booted by Wine for
# the whole run (the fixture e2e_wine_template) and every scenario works on a
# copy of it, with the game's App Paths entry written (or deleted) by `wine
# reg`; the model file, the backup and the guide are checked byte by byte. The
# cases that only the Linux program has (the launchers' prefixes) are listed
# as skipped by design.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"

STAGE_START=$SECONDS
BUILD="${Z7_WINDOWS_BUILD:-$ROOT/build-windows}"

fail() {
    echo "=== windows-e2e: FAILED: $*" >&2
    exit 1
}

z7_install_packages g++-mingw-w64-x86-64 googletest wine wine64

z7_configure_windows "$BUILD"
cmake --build "$BUILD" --parallel "$(nproc)" --target z7edit z7_running_game
BUILD_TIME=$((SECONDS - STAGE_START))

# Screenshots and the program's output of a failing case stay in
# $BUILD/tests/e2e/artifacts.
TEST_START=$SECONDS
ctest --test-dir "$BUILD" --output-on-failure -L e2e || fail "ctest -L e2e under Wine"
echo "=== windows-e2e: passed under $(wine --version 2>/dev/null) (build ${BUILD_TIME}s, scenarios $((SECONDS - TEST_START))s, stage $((SECONDS - STAGE_START))s)"
