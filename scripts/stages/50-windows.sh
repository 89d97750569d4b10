#!/usr/bin/env bash
# The Windows side: the platform layer's Windows backend, z7edit's Windows
# resources and the Win32 skin of the window, cross-built with MinGW-w64
# (winbuild/) and tested under Wine in a fresh prefix that holds the game's App
# Paths entry, written the way a 32-bit installer writes it.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"

STAGE_START=$SECONDS
BUILD="$ROOT/build-mingw"
MAIN_BUILD="${Z7_MAIN_BUILD:-$ROOT/build}"
GENERATED="$MAIN_BUILD/resources/generated"
REGISTERED='C:\Spiele\Z7'

fail() {
    echo "=== windows: FAILED: $*" >&2
    exit 1
}

z7_install_packages g++-mingw-w64-x86-64 googletest wine wine64

# Drawn by the main build's tools; the earlier stage has usually made them
# already, and then this only checks that nothing is out of date.
cmake -S "$ROOT" -B "$MAIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZ7_WERROR=ON >/dev/null
cmake --build "$MAIN_BUILD" --target "${Z7_WINDOWS_GENERATED_FILES[@]/#/resources/generated/}" >/dev/null

# The manifests must be well-formed XML, or the loader refuses the program.
python3 - "$ROOT"/resources/windows/*.manifest <<'EOF' || fail "a manifest is not well-formed XML"
import sys, xml.dom.minidom
for name in sys.argv[1:]:
    xml.dom.minidom.parse(name)
EOF

# Builds the backend, its tests and the program that carries z7edit.rc
# (compiled by x86_64-w64-mingw32-windres).
BUILD_START=$SECONDS
cmake -S "$ROOT/winbuild" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZ7_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake" \
    -DZ7_GENERATED_DIR="$GENERATED" >/dev/null
cmake --build "$BUILD" --parallel "$(nproc)"
BUILD_TIME=$((SECONDS - BUILD_START))

# A throwaway prefix and home folder: Wine links the prefix's Documents
# folder into $HOME, and nothing of the tests may land in a real one.
WORK="$(mktemp -d "${TMPDIR:-/tmp}/z7-windows.XXXXXX")"
export WINEPREFIX="$WORK/prefix" HOME="$WORK/home" WINEARCH=win64
export WINEDEBUG=-all DISPLAY= WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$HOME"
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WORK"
}
trap cleanup EXIT

PREFIX_START=$SECONDS
timeout 300 wineboot -i >/dev/null 2>&1 || fail "wineboot could not create the prefix"
# A new prefix goes on settling in the background; a command started meanwhile
# can fail to launch, so wait for it and try again.
timeout 120 wineserver -w || true
registered=
for attempt in 1 2 3; do
    if timeout 60 wine reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\z7.exe' \
        /v Path /d "$REGISTERED" /reg:32 /f >/dev/null 2>&1; then
        registered=yes
        break
    fi
    timeout 120 wineserver -w || true
done
[ -n "$registered" ] || fail "wine reg add failed"
timeout 120 wineserver -w || fail "wineserver did not settle"
PREFIX_TIME=$((SECONDS - PREFIX_START))

# The counts of a GoogleTest XML report: tests, failures, errors, skipped.
count_report() {
    python3 - "$1" <<'EOF'
import sys, xml.etree.ElementTree as tree
root = tree.parse(sys.argv[1]).getroot()
cases = root.findall(".//testcase")
skipped = sum(1 for c in cases if c.find("skipped") is not None or c.get("result") == "skipped")
print(root.get("tests"), root.get("failures"), root.get("errors") or 0, skipped)
EOF
}
wine_noise() {
    grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' \
        -e 'apt-get install wine32' -e '^execute ' -e 'X connection to .* broken' >&2
}

TEST_START=$SECONDS
REPORT="$WORK/report.xml"
set +e
Z7_REGISTERED_PATH="$REGISTERED" timeout 300 \
    wine "$BUILD/platform_win_tests.exe" --gtest_output="xml:Z:${REPORT//\//\\}" \
    2> >(wine_noise)
RC=$?
set -e
TEST_TIME=$((SECONDS - TEST_START))

[ -f "$REPORT" ] || fail "the test program left no report (exit code $RC)"
read -r TESTS FAILURES ERRORS SKIPPED < <(count_report "$REPORT")
SUMMARY="$TESTS tests, $FAILURES failed, $SKIPPED skipped (build ${BUILD_TIME}s, prefix ${PREFIX_TIME}s, tests ${TEST_TIME}s, stage $((SECONDS - STAGE_START))s)"
if [ "$RC" -ne 0 ] || [ "$FAILURES" -ne 0 ] || [ "$ERRORS" -ne 0 ] || [ "$SKIPPED" -ne 0 ]; then
    fail "$SUMMARY, exit code $RC"
fi
echo "=== windows: $SUMMARY under $(wine --version 2>/dev/null)"

# The Win32 skin's tests open real windows: on Xvfb, with Wine drawing the
# frames itself (without a window manager every closing box would stall 2 s)
# and with the Tahoma and Marlett that Debian's Wine does not find by itself.
# The Wine session ends before each run, so that the new one starts on the
# display and with the resolution set.
timeout 120 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >/dev/null 2>&1 || fail "wine reg add (Managed) failed"
cp /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/" || fail "the fonts for the window tests are missing"

# Twice: at 96 dpi, where the window's pixels are the table's, and at 144 dpi,
# where every position, size and font must be scaled and the logic must still
# see the table's numbers. Each time the skin's own tests and the window
# contract's cases, which every window must pass alike.
ui_tests() {
    local dpi=$1 program=$2 what=$3 report="$WORK/ui_report_$2_$1.xml" rc start=$SECONDS
    timeout 120 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1 || fail "wine reg add (LogPixels) failed"
    wineserver -k >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
    set +e
    Z7_EXPECTED_DPI=$dpi timeout 300 xvfb-run -a -s "-screen 0 1600x1200x24" \
        wine "$BUILD/$program.exe" --gtest_output="xml:Z:${report//\//\\}" \
        2> >(wine_noise)
    rc=$?
    set -e
    [ -f "$report" ] || fail "the $what at $dpi dpi left no report (exit code $rc)"
    local tests failures errors skipped
    read -r tests failures errors skipped < <(count_report "$report")
    local summary="$tests $what at $dpi dpi, $failures failed, $skipped skipped (tests $((SECONDS - start))s, stage $((SECONDS - STAGE_START))s)"
    if [ "$rc" -ne 0 ] || [ "$failures" -ne 0 ] || [ "$errors" -ne 0 ] || [ "$skipped" -ne 0 ]; then
        fail "$summary, exit code $rc"
    fi
    echo "=== windows: $summary"
}
for dpi in 96 144; do
    ui_tests $dpi ui_win32_tests "window tests"
    ui_tests $dpi contract_win32_tests "window contract cases"
done
