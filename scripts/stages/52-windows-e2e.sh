#!/usr/bin/env bash
# The end-to-end scenarios of tests/e2e on the Windows program: z7edit.exe
# under Wine on Xvfb, driven with xdotool like a person. One prefix is booted
# by Wine for the whole run and every scenario works on a copy of it, with the
# game's App Paths entry written (or deleted) by `wine reg`; the model file,
# the backup and the guide are checked byte by byte. The cases that only the
# Linux program has (the launchers' prefixes) are listed as skipped by design.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"

STAGE_START=$SECONDS
BUILD="${Z7_WINDOWS_BUILD:-$ROOT/build-windows}"
export Z7_WINDOWS_BUILD="$BUILD"
# Kept when a scenario fails: a screenshot and the program's output per case.
ARTIFACTS="${Z7_E2E_ARTIFACTS:-$BUILD/e2e-artifacts}"
SCENARIOS=(startup missing_installation editing other_writer launcher_prefixes)
MINGW=x86_64-w64-mingw32

fail() {
    echo "=== windows-e2e: FAILED: $*" >&2
    exit 1
}

z7_install_packages g++-mingw-w64-x86-64 googletest nsis zip wine wine64

WORK="$(mktemp -d "${TMPDIR:-/tmp}/z7-windows-e2e.XXXXXX")"
cleanup() {
    rm -rf "$WORK"
}
trap cleanup EXIT

BUILD_LOG="$WORK/build-windows.log"
bash "$ROOT/scripts/build-windows" >"$BUILD_LOG" 2>&1 || {
    cat "$BUILD_LOG" >&2
    fail "scripts/build-windows failed"
}
EXE="$BUILD/z7edit.exe"
[ -s "$EXE" ] || fail "scripts/build-windows left no $EXE"

# The running game: a real Windows process named Z7.exe.
"$MINGW-g++" -std=c++20 -O2 -static -s -o "$WORK/Z7.exe" "$ROOT/tests/e2e/running_game.cpp" ||
    fail "the stand-in for the game does not build"
BUILD_TIME=$((SECONDS - STAGE_START))

# Under one X server: the prefix is booted once, then each file of scenarios
# runs on copies of it, each copy with its own warm wineserver.
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
export WORK EXE ARTIFACTS WINEDEBUG=-all
export Z7_SCENARIOS="${SCENARIOS[*]}"
LOG="$ARTIFACTS/scenarios.log"
set +e
timeout 900 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" bash -c '
    start=$SECONDS
    python3 "$ROOT/tests/e2e/z7e2e.py" --make-wine-template "$WORK/template" >/dev/null || exit 3
    echo "TEMPLATE $((SECONDS - start))"
    rc=0
    for name in $Z7_SCENARIOS; do
        start=$SECONDS
        python3 "$ROOT/tests/e2e/test_$name.py" --wine-exe "$EXE" --wine-template "$WORK/template" \
            --running-game "$WORK/Z7.exe" --source "$ROOT" --artifacts "$ARTIFACTS/$name" || rc=1
        echo "FILE $name $((SECONDS - start))"
    done
    exit $rc
' 2>&1 | tee "$LOG"
RC=${PIPESTATUS[0]}
set -e

PASSED=$(grep -c '^PASS ' "$LOG" || true)
FAILED=$(grep -c '^FAIL ' "$LOG" || true)
SKIPPED=$(grep -c '^SKIP ' "$LOG" || true)
TEMPLATE_TIME=$(sed -n 's/^TEMPLATE //p' "$LOG")
SUMMARY="$((PASSED + FAILED)) scenarios, $FAILED failed, $SKIPPED skipped by design (build ${BUILD_TIME}s, prefix ${TEMPLATE_TIME:-?}s, stage $((SECONDS - STAGE_START))s)"
if [ "$RC" -ne 0 ] || [ "$FAILED" -ne 0 ] || [ "$PASSED" -eq 0 ]; then
    fail "$SUMMARY, exit code $RC; screenshots and logs in $ARTIFACTS"
fi
rm -rf "$ARTIFACTS"
echo "=== windows-e2e: $SUMMARY under $(wine --version 2>/dev/null)"
