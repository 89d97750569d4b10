#!/usr/bin/env bash
# The Windows packages: scripts/build-windows builds z7edit.exe, the ZIP and
# the installer; this checks the program file and the ZIP, then installs,
# checks and removes the program silently under Wine in a throwaway prefix.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"

STAGE_START=$SECONDS
BUILD="${Z7_WINDOWS_BUILD:-$ROOT/build-windows}"
export Z7_WINDOWS_BUILD="$BUILD"
MINGW=x86_64-w64-mingw32

fail() {
    echo "=== windows-packages: FAILED: $*" >&2
    exit 1
}

z7_install_packages g++-mingw-w64-x86-64 googletest nsis zip unzip wine wine64

BUILD_LOG="$(mktemp "${TMPDIR:-/tmp}/z7-build-windows.XXXXXX")"
bash "$ROOT/scripts/build-windows" | tee "$BUILD_LOG" || fail "scripts/build-windows failed"
BUILD_TIME=$((SECONDS - STAGE_START))
VERSION="$(sed -n 's/^project(Z7Edit VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
ZIP="$BUILD/z7edit-$VERSION-win64.zip"
SETUP="$BUILD/z7edit-$VERSION-setup.exe"
EXE="$BUILD/package/files/z7edit.exe"
rm -f "$BUILD_LOG"
for f in "$ZIP" "$SETUP" "$EXE"; do
    [ -s "$f" ] || fail "scripts/build-windows left no $f"
done

# --- the program file ---------------------------------------------------------
# build-windows checked machine, imports and size; checked here again, since
# the packages are what a user gets.
HEADERS="$("$MINGW-objdump" -p "$EXE")"
grep -q 'file format pei-x86-64' <<<"$HEADERS" || fail "z7edit.exe is not an x86-64 program"
if grep -i 'DLL Name:' <<<"$HEADERS" | grep -qiE 'lib(stdc|gcc|winpthread)|qt6'; then
    fail "z7edit.exe imports a runtime DLL: $(grep 'DLL Name:' <<<"$HEADERS" | tr -s ' ' | tr '\n' ' ')"
fi
[ "$(stat -c %s "$EXE")" -le $((3 * 1024 * 1024)) ] || fail "z7edit.exe is larger than 3 MB"

# Every resource the program asks for, with its language, as the resource
# compiler lists them ("LANGUAGE 7, 1" is German, "0, 0" neutral, "9, 1"
# US English).
LISTED="$("$MINGW-windres" -i "$EXE" -O rc 2>/dev/null | awk '
    /^LANGUAGE / { language = $2 $3; next }
    /^("[A-Z0-9_]+"|[0-9]+) ("[A-Z0-9_]+"|[0-9]+|VERSIONINFO)/ { print language, $1, $2 }')"
expected=()
for text in NEWMODELL DE_MODELL NODETREE NODEINDEX NODESTATUSINDEX NODEEXTENDEDINDEX; do
    expected+=("7,1 \"$text\" \"RT_RCDATA\"")
done
expected+=('0,0 "PDF" "RT_RCDATA"' '7,1 "TTF" "Z7"' '7,1 "TTF" "ZOLT"')
PICTURES="$(sed -n 's/.*BuildingPictureCount = \([0-9]*\);.*/\1/p' "$ROOT/resources/picture_list.h")"
[ -n "$PICTURES" ] || fail "no BuildingPictureCount in resources/picture_list.h"
for picture in LOGO START NOSELECT MARKER; do
    expected+=("0,0 \"$picture\" \"DIB\"")
done
for picture in $(seq -f 'BUILDING%03g' 0 $((PICTURES - 1))); do
    expected+=("0,0 \"$picture\" \"PNG\"")
done
expected+=('9,1 "MAINICON" 14' '9,1 1 VERSIONINFO' '7,1 1 24' '9,1 1 24')
for line in "${expected[@]}"; do
    grep -qxF "$line" <<<"$LISTED" || fail "z7edit.exe lacks the resource $line"
done
# The texts must not land under the predefined raw-data type (10) instead.
! grep -q ' 10$' <<<"$LISTED" || fail "z7edit.exe has resources under the numeric raw-data type"

# --- the ZIP ------------------------------------------------------------------
WORK="$(mktemp -d "${TMPDIR:-/tmp}/z7-windows-packages.XXXXXX")"
cleanup() {
    [ -z "${WINEPREFIX:-}" ] || wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WORK"
}
trap cleanup EXIT

CONTENT="$(unzip -Z1 "$ZIP" | tr '\n' ' ')"
[ "$CONTENT" = "COPYRIGHT.txt LIESMICH.txt OFL.txt z7edit.exe " ] ||
    fail "the ZIP holds \"$CONTENT\" instead of COPYRIGHT.txt LIESMICH.txt OFL.txt z7edit.exe"
unzip -q "$ZIP" -d "$WORK/zip"
cmp -s "$WORK/zip/z7edit.exe" "$EXE" || fail "the ZIP's z7edit.exe is not the program just built"
for txt in LIESMICH.txt COPYRIGHT.txt OFL.txt; do
    [ "$(grep -c $'\r$' "$WORK/zip/$txt")" -eq "$(wc -l <"$WORK/zip/$txt")" ] ||
        fail "$txt in the ZIP has lines without CR LF"
done
for phrase in "z7_model.bak" "Tellmar Modell Dateien.pdf" "Administrator" "Z7 Edit $VERSION"; do
    grep -qF "$phrase" "$WORK/zip/LIESMICH.txt" || fail "LIESMICH.txt does not mention \"$phrase\""
done
! grep -q '@VERSION@' "$WORK/zip/LIESMICH.txt" || fail "LIESMICH.txt still holds @VERSION@"
grep -q 'SIL Open Font License' "$WORK/zip/OFL.txt" || fail "OFL.txt is not the font licence"

# --- the installer under Wine ---------------------------------------------------
# A throwaway prefix and home folder, made by the one recipe, in which the
# game is registered; no display: a silent install shows no window.
WINE_START=$SECONDS
z7_wine_prefix "$WORK/prefix" "$WORK/home" || fail "the Wine prefix could not be made"
export WINEPREFIX="$WORK/prefix" HOME="$WORK/home" WINEARCH=win64
export WINEDEBUG=-all DISPLAY='' WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Wine under a time limit, without the warnings of a Wine that has no 32-bit half.
quiet_wine() {
    timeout 120 wine "$@" 2> >(grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' \
        -e 'apt-get install wine32' -e '^execute ' >&2)
}
# The Uninstall key as "name value" lines, or nothing when it is missing.
uninstall_entry() {
    quiet_wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Z7Edit' 2>/dev/null |
        tr -d '\r' | awk '$2 ~ /^REG_/ { name = $1; $1 = ""; $2 = ""; sub(/^ +/, ""); print name, $0 }'
}

INSTALL_DIR="$WINEPREFIX/drive_c/Program Files/Z7 Edit"
LINK="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Z7 Edit.lnk"
cp "$SETUP" "$WORK/setup.exe"
quiet_wine "$WORK/setup.exe" /S || fail "the silent install failed (exit code $?)"
timeout 120 wineserver -w || fail "the installer did not end"

for f in z7edit.exe LIESMICH.txt COPYRIGHT.txt OFL.txt Uninstall.exe; do
    [ -f "$INSTALL_DIR/$f" ] || fail "the installer left no $f in C:\\Program Files\\Z7 Edit"
done
cmp -s "$INSTALL_DIR/z7edit.exe" "$EXE" || fail "the installed z7edit.exe is not the program just built"
[ -f "$LINK" ] || fail "the installer made no Start-menu entry \"Z7 Edit\""
ENTRY="$(uninstall_entry)"
want=(
    'DisplayName Z7 Edit'
    "DisplayVersion $VERSION"
    'Publisher Die Entwickler von Z7 Edit'
    'DisplayIcon C:\Program Files\Z7 Edit\z7edit.exe,0'
    'UninstallString "C:\Program Files\Z7 Edit\Uninstall.exe"'
    'QuietUninstallString "C:\Program Files\Z7 Edit\Uninstall.exe" /S'
)
for line in "${want[@]}"; do
    grep -qxF "$line" <<<"$ENTRY" || fail "the uninstall entry lacks \"$line\"; it holds: $ENTRY"
done

# --- the installed program finds the game -----------------------------------------
# The installed program, started as from the Start menu, on the game the
# prefix registers as its 32-bit installer does, under Xvfb: its window opens,
# the game's own model file becomes the backup, the default model takes its
# place, and Beenden ends it.
GAME="$WINEPREFIX/drive_c/Spiele/Z7"
mkdir -p "$GAME"
: >"$GAME/z7.exe"
cp "$ROOT/resources/texts/NewModell" "$GAME/z7_model.txt"
# The session starts again on the display.
wineserver -k >/dev/null 2>&1 || true
timeout 60 wineserver -w || true
# Exit codes: 0 the window came and Beenden ended the program with 0;
# 3 it ended before its window, 4 no window in 60 s, 5 it did not end,
# anything else the program's own exit code.
set +e
timeout 180 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" bash -c '
    wine "C:\\Program Files\\Z7 Edit\\z7edit.exe" >"$1" 2>&1 &
    pid=$!
    wid=
    for _ in $(seq 600); do
        wid=$(xdotool search --onlyvisible --name "^Z7 Edit\$" 2>/dev/null | head -n 1)
        [ -n "$wid" ] && break
        kill -0 "$pid" 2>/dev/null || exit 3
        sleep 0.1
    done
    [ -n "$wid" ] || exit 4
    # Beenden at 741,579 of the 901 x 601 client area, inside the frame
    # that Wine draws: equal borders left, right and below, the caption above.
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    border=$(((WIDTH - 901) / 2))
    sleep 1
    xdotool mousemove --window "$wid" $((741 + border)) $((579 + HEIGHT - 601 - border)) click 1
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; exit $?; }
        sleep 0.1
    done
    exit 5
' _ "$WORK/installed-run.log"
RUN=$?
set -e
case $RUN in
0) ;;
3) fail "the installed z7edit.exe ended before its window opened: $(grep -v -e 'wine32' -e 'multiarch' -e 'dpkg --add' -e '^execute ' "$WORK/installed-run.log" | tail -n 5)" ;;
4) fail "the installed z7edit.exe opened no window \"Z7 Edit\" within 60 s" ;;
5) fail "the installed z7edit.exe did not end after a click on Beenden" ;;
*) fail "the installed z7edit.exe ended with exit code $RUN" ;;
esac
cmp -s "$GAME/z7_model.bak" "$ROOT/resources/texts/NewModell" ||
    fail "the installed program did not move the game's model file to z7_model.bak"
DEFAULT_MODEL="$WORK/default-model"
{ cat "$ROOT/resources/texts/DE_Modell"; printf '\r\n'; } >"$DEFAULT_MODEL"
[ "$(stat -c %s "$DEFAULT_MODEL")" -eq 6652 ] || fail "DE_Modell plus CR LF is not 6652 bytes"
cmp -s "$GAME/z7_model.txt" "$DEFAULT_MODEL" ||
    fail "the installed program did not install the default model (z7_model.txt has $(stat -c %s "$GAME/z7_model.txt") bytes)"
wineserver -k >/dev/null 2>&1 || true
timeout 60 wineserver -w || true
echo "=== windows-packages: the installed program opened its window, made z7_model.bak and the default model, and ended with Beenden"

# --- the uninstaller ---------------------------------------------------------------
# NSIS's uninstaller copies itself to the temporary folder and starts the
# copy; wineserver -w waits for it.
quiet_wine "C:\\Program Files\\Z7 Edit\\Uninstall.exe" /S ||
    fail "the silent uninstall failed (exit code $?)"
timeout 120 wineserver -w || fail "the uninstaller did not end"
[ ! -e "$INSTALL_DIR" ] || fail "the uninstaller left $(ls "$INSTALL_DIR" | tr '\n' ' ')in C:\\Program Files\\Z7 Edit"
[ ! -e "$LINK" ] || fail "the uninstaller left the Start-menu entry"
[ -z "$(uninstall_entry)" ] || fail "the uninstaller left the uninstall entry"
WINE_TIME=$((SECONDS - WINE_START))

echo "=== windows-packages: z7edit.exe $(stat -c %s "$EXE") bytes, $(basename "$ZIP") $(stat -c %s "$ZIP")" \
    "bytes, $(basename "$SETUP") $(stat -c %s "$SETUP") bytes; installed, checked and removed under" \
    "$(wine --version 2>/dev/null) (build ${BUILD_TIME}s, Wine ${WINE_TIME}s, stage $((SECONDS - STAGE_START))s)"
