#!/usr/bin/env bash
# The portable archive for every Linux but Debian's (the Steam Deck's SteamOS,
# Arch, Fedora, openSUSE): built by CPack from a second configuration
# (-DZ7_PORTABLE=ON, in build-portable/), checked for what it carries, and
# tried where it must run: a minimal root of another Debian release, 13
# "trixie" (a newer C library, no Qt), made by debootstrap from the mirror this
# machine's apt uses and given only the system libraries that every desktop
# has. There ldd must find every library the program needs, its menu scripts
# must work, and the end-to-end harness drives it on the host's Xvfb: the
# first start, byte for byte, a store, and the game found through the
# Flatpak launchers' files. The root is kept between runs (Z7_CLEAN_ROOT,
# default ~/.cache/z7edit/root-trixie) and made again when its recipe changes.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"
STAGE_START=$SECONDS

fail() {
    echo "=== portable-linux: FAILED: $*" >&2
    exit 1
}
say() { echo "portable-linux: $*"; }

# qt6-wayland: the archive carries Qt's Wayland plugins when the build has them.
z7_install_packages debootstrap qt6-wayland binutils file desktop-file-utils

WORK="$(mktemp -d /tmp/z7-portable.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT

BUILD="${Z7_PORTABLE_BUILD:-$ROOT/build-portable}"
z7_build "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZ7_PORTABLE=ON -DZ7_BUILD_TESTS=OFF \
    -DZ7_BUILD_BENCH=OFF -DZ7_WERROR=ON >"$WORK/build.log" 2>&1 || { cat "$WORK/build.log"; fail "the build failed"; }
(cd "$BUILD" && cpack >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log"; fail "cpack failed"; }
VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")"
TOP="z7edit-$VERSION-linux-x86_64"
ARCHIVE="$BUILD/$TOP.tar.gz"
[ -s "$ARCHIVE" ] || fail "cpack left no $ARCHIVE"
BUILD_TIME=$((SECONDS - STAGE_START))

# --- The archive, as it is unpacked on the host ---------------------------
tar -tzf "$ARCHIVE" | grep -v "^$TOP/" && fail "entries outside the folder $TOP/"
tar -C "$WORK" -xzf "$ARCHIVE"
APP="$WORK/$TOP"
expected=(z7edit qt.conf LIESMICH.txt menueeintrag-anlegen.sh menueeintrag-entfernen.sh
    share/applications/z7edit.desktop share/metainfo/de.tellmar.z7edit.metainfo.xml
    share/man/man1/z7edit.1.gz doc/copyright doc/OFL.txt doc/changelog.gz
    doc/libraries/packages.txt plugins/platforms/libqxcb.so
    plugins/platforms/libqwayland-generic.so plugins/wayland-shell-integration/libxdg-shell.so)
for size in 16 24 32 48 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/z7edit.png")
done
for f in "${expected[@]}"; do
    [ -s "$APP/$f" ] || fail "missing or empty: $f"
done
for f in z7edit menueeintrag-anlegen.sh menueeintrag-entfernen.sh; do
    [ -x "$APP/$f" ] || fail "$f is not executable"
done
grep -q "$VERSION" "$APP/LIESMICH.txt" || fail "LIESMICH.txt does not name version $VERSION"

file -b "$APP/z7edit" | grep -q "^ELF 64-bit LSB pie executable, x86-64" || fail "not an x86-64 program"
file -b "$APP/z7edit" | grep -q ", stripped" || fail "the program is not stripped"
# An RPATH (the loader applies it to every library of the process), not a RUNPATH.
dynamic="$(readelf -d "$APP/z7edit")"
rpath="$(sed -n 's/.*(RPATH) *Library rpath: \[\(.*\)\]$/\1/p' <<<"$dynamic")"
[ "$rpath" = "\$ORIGIN/lib" ] || fail "the program's RPATH is not \$ORIGIN/lib: $(grep -E 'RPATH|RUNPATH' <<<"$dynamic")"
grep -q '(RUNPATH)' <<<"$dynamic" && fail "the program has a RUNPATH"

# What the system gives; nothing of it may travel, everything else must.
SYSTEM='^(ld-linux|lib(c|m|dl|pthread|rt|resolv|util)\.so|libstdc\+\+\.so|libgcc_s\.so|libX11(-xcb)?\.so|libxcb\.so|lib(GL|GLX|OpenGL|EGL|GLdispatch)\.so|libwayland-client\.so|libfontconfig\.so|libfreetype\.so|lib(glib|gobject|gio|gmodule|gthread)-2\.0\.so|libdbus-1\.so)'
bundled="$(cd "$APP/lib" && ls)"
grep -E "$SYSTEM" <<<"$bundled" && fail "system libraries travel with the program"
for lib in libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6 libQt6XcbQpa.so.6 libQt6DBus.so.6 \
    libQt6WaylandClient.so.6 libxcb-icccm.so.4 libxcb-image.so.0 libxcb-keysyms.so.1 \
    libxcb-render-util.so.0 libxkbcommon.so.0 libxkbcommon-x11.so.0 libyaml-cpp.so.0.7; do
    grep -qx "$lib" <<<"$bundled" || fail "$lib does not travel with the program"
done
# Closed: every library that the program, a library beside it or a plugin
# names is beside it or the system's.
mapfile -t objects < <(cd "$APP" && find z7edit lib plugins -type f | sort)
for object in "${objects[@]}"; do
    for needed in $(readelf -d "$APP/$object" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        [ -e "$APP/lib/$needed" ] || grep -qE "$SYSTEM" <<<"$needed" ||
            fail "$object needs $needed, which neither travels nor is the system's"
    done
done
# Each library and plugin with the package it comes from and its licence.
for object in "${objects[@]}"; do
    [ "$object" = z7edit ] && continue
    package="$(awk -v f="$object" '$1 == f { print $2 }' "$APP/doc/libraries/packages.txt")"
    [ -n "$package" ] || fail "doc/libraries/packages.txt does not name $object"
    [ -s "$APP/doc/libraries/$package.copyright" ] || fail "no licence of $package for $object"
done
newest() { (cd "$APP" && objdump -T "${objects[@]}") | grep -o "$1_[0-9.]*" | sort -uV | tail -n 1; }
GLIBC="$(newest GLIBC)"
GLIBCXX="$(newest GLIBCXX)"
libraries=$(find "$APP/lib" -type f | wc -l)
say "$(basename "$ARCHIVE"): $(du -k "$ARCHIVE" | cut -f1) KiB, unpacked $(du -sk "$APP" | cut -f1) KiB; $libraries libraries and $(find "$APP/plugins" -type f | wc -l) plugins travel; needs $GLIBC and $GLIBCXX"
say "libraries: $(cd "$APP/lib" && find . -type f -printf '%f\n' | sort | tr '\n' ' ')"
say "plugins: $(cd "$APP/plugins" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ')"
desktop-file-validate "$APP/share/applications/z7edit.desktop"
CHECK_TIME=$((SECONDS - STAGE_START - BUILD_TIME))

# --- The clean root --------------------------------------------------------
SUITE=trixie
# What every desktop has, as named in cmake/Z7Portable.cmake; apt adds what
# they depend on (Mesa behind OpenGL and EGL, a font behind fontconfig).
ROOT_PACKAGES=(libx11-6 libx11-xcb1 libxcb1 libgl1 libglx0 libopengl0 libegl1 libwayland-client0
    libfontconfig1 libfreetype6 libglib2.0-0t64 libdbus-1-3)

# The mirror that this machine's apt uses for its own release.
debian_mirror() {
    local codename uri
    codename="$(sed -n 's/^VERSION_CODENAME=//p' /etc/os-release)"
    uri="$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v RS= -v suite="$codename" '
        { uris = ""; suites = ""
          n = split($0, lines, "\n")
          for (i = 1; i <= n; i++) {
              if (lines[i] ~ /^URIs:/) uris = substr(lines[i], 6)
              if (lines[i] ~ /^Suites:/) suites = " " substr(lines[i], 8) " "
          }
          if (index(suites, " " suite " ")) { split(uris, u, " "); print u[1]; exit } }')"
    if [ -z "$uri" ]; then
        uri="$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | awk -v suite="$codename" '
            $1 == "deb" { for (i = 2; i < NF; i++) if ($i !~ /^\[/ && $(i + 1) == suite) { print $i; exit } }')"
    fi
    echo "${uri:-http://deb.debian.org/debian}"
}
MIRROR="$(debian_mirror)"

ROOTFS="${Z7_CLEAN_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/z7edit/root-$SUITE}"
RECIPE="$SUITE $MIRROR ${ROOT_PACKAGES[*]}"
mkdir -p "$(dirname "$ROOTFS")"
exec 9>"$ROOTFS.lock"
flock 9
ROOT_START=$SECONDS
if [ "$(cat "$ROOTFS/.z7edit-root" 2>/dev/null)" = "$RECIPE" ]; then
    ROOT_MADE="kept"
else
    say "making the root $ROOTFS ($SUITE from $MIRROR)"
    rm -rf "$ROOTFS" "$ROOTFS.new"
    debootstrap --variant=minbase --keyring=/usr/share/keyrings/debian-archive-keyring.gpg \
        "$SUITE" "$ROOTFS.new" "$MIRROR" >"$WORK/debootstrap.log" 2>&1 ||
        { tail -n 30 "$WORK/debootstrap.log"; fail "debootstrap failed"; }
    # shellcheck disable=SC2016 # the inner shell expands them
    unshare --mount --propagation private sh -eu -c '
        mount -t proc proc "$0/proc"
        export DEBIAN_FRONTEND=noninteractive
        chroot "$0" apt-get -qq update
        chroot "$0" apt-get install -y -qq --no-install-recommends "$@"
        chroot "$0" apt-get clean
    ' "$ROOTFS.new" "${ROOT_PACKAGES[@]}" >"$WORK/apt.log" 2>&1 ||
        { tail -n 30 "$WORK/apt.log"; fail "the system libraries do not install in the root"; }
    echo "$RECIPE" >"$ROOTFS.new/.z7edit-root"
    mv "$ROOTFS.new" "$ROOTFS"
    ROOT_MADE="made"
fi
ROOT_TIME=$((SECONDS - ROOT_START))
[ -z "$(find "$ROOTFS/usr" -name 'libQt6*' -print -quit)" ] || fail "the root has Qt"
say "root $ROOT_MADE in ${ROOT_TIME}s: $(sed -n 's/^PRETTY_NAME="\(.*\)"$/\1/p' "$ROOTFS/etc/os-release"), $(chroot "$ROOTFS" ldd --version | head -n 1 | sed 's/^ldd //'), $(chroot "$ROOTFS" dpkg-query -W | wc -l) packages"

# Unpacked where a Steam Deck's player would: a folder with a space in its name.
FOLDER="/home/deck/Downloads/Z7 Edit"
rm -rf "$ROOTFS/home/deck"
mkdir -p "$ROOTFS$FOLDER"
tar -C "$ROOTFS$FOLDER" -xzf "$ARCHIVE"
PROGRAM="$FOLDER/$TOP/z7edit"

echo "--- ldd $PROGRAM (in the root)"
chroot "$ROOTFS" ldd "$PROGRAM" | tee "$WORK/ldd.txt"
grep -q "not found" "$WORK/ldd.txt" && fail "libraries missing in the root"
grep -q "=> $FOLDER/$TOP/lib/libQt6Core.so.6 " "$WORK/ldd.txt" || fail "Qt is not taken from beside the program"
# A plugin finds its libraries through the program's RPATH, which the loader
# applies to every library it loads for the program: LD_LIBRARY_PATH stands in.
for plugin in "$ROOTFS$FOLDER/$TOP"/plugins/*/*.so; do
    plugin="${plugin#"$ROOTFS"}"
    chroot "$ROOTFS" env LD_LIBRARY_PATH="$FOLDER/$TOP/lib" ldd "$plugin" >"$WORK/plugin.txt"
    grep -q "not found" "$WORK/plugin.txt" && { cat "$WORK/plugin.txt"; fail "$plugin lacks libraries in the root"; }
done
say "ldd: nothing missing for the program and its $(find "$ROOTFS$FOLDER/$TOP/plugins" -type f | wc -l) plugins"

# The menu scripts, as the player runs them: the entry starts the program in
# its folder, wherever that is, and goes again with everything it brought.
chroot "$ROOTFS" env -i HOME=/home/deck PATH=/usr/bin:/bin "$FOLDER/$TOP/menueeintrag-anlegen.sh"
entry="$ROOTFS/home/deck/.local/share/applications/z7edit.desktop"
[ -s "$entry" ] || fail "menueeintrag-anlegen.sh wrote no $entry"
desktop-file-validate "$entry"
grep -qxF "Exec=\"$PROGRAM\"" "$entry" || fail "the menu entry starts $(grep '^Exec=' "$entry")"
grep -qxF "TryExec=$PROGRAM" "$entry" || fail "the menu entry tries $(grep '^TryExec=' "$entry")"
for size in 16 24 32 48 256; do
    cmp -s "$APP/share/icons/hicolor/${size}x${size}/apps/z7edit.png" \
        "$ROOTFS/home/deck/.local/share/icons/hicolor/${size}x${size}/apps/z7edit.png" ||
        fail "icon ${size}x${size} not in ~/.local/share/icons"
done
chroot "$ROOTFS" env -i HOME=/home/deck PATH=/usr/bin:/bin "$FOLDER/$TOP/menueeintrag-entfernen.sh"
left="$(find "$ROOTFS/home/deck/.local" -type f)"
[ -z "$left" ] || fail "menueeintrag-entfernen.sh left $left"

# --- The program in the root, on the host's Xvfb ---------------------------
ARTIFACTS="${Z7_E2E_ARTIFACTS:-$BUILD/e2e-artifacts}"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
export Z7_ROOT="$ROOTFS" Z7_ROOT_PROGRAM="$PROGRAM" ARTIFACTS
export Z7_E2E_GUIDE="$BUILD/resources/generated/guide/PDF"
LOG="$ARTIFACTS/scenarios.log"
E2E_START=$SECONDS
set +e
# xvfb-run's cookie lies in a folder of /tmp, which the root shares.
# shellcheck disable=SC2016 # the inner shell expands them
export Z7_SCENARIOS="portable_linux $(z7_e2e_scenarios | tr '\n' ' ')"
timeout 600 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" bash -c '
    rc=0
    for name in $Z7_SCENARIOS; do
        python3 "$ROOT/tests/e2e/test_$name.py" --z7edit "$ROOT/tests/e2e/z7edit_in_root.sh" \
            --source "$ROOT" --artifacts "$ARTIFACTS/$name" || rc=1
    done
    exit $rc
' 2>&1 | tee "$LOG"
RC=${PIPESTATUS[0]}
set -e
E2E_TIME=$((SECONDS - E2E_START))
PASSED=$(grep -c '^PASS ' "$LOG" || true)
FAILED=$(grep -c '^FAIL ' "$LOG" || true)
rm -rf "$ROOTFS/home/deck"
SUMMARY="$PASSED scenarios passed, $FAILED failed in the $SUITE root (build ${BUILD_TIME}s, checks ${CHECK_TIME}s, root ${ROOT_MADE} ${ROOT_TIME}s, scenarios ${E2E_TIME}s, stage $((SECONDS - STAGE_START))s)"
if [ "$RC" -ne 0 ] || [ "$FAILED" -ne 0 ] || [ "$PASSED" -eq 0 ]; then
    fail "$SUMMARY, exit code $RC; screenshots and logs in $ARTIFACTS"
fi
rm -rf "$ARTIFACTS"
echo "=== portable-linux: $SUMMARY; the archive: $ARCHIVE"
