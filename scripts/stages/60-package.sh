#!/usr/bin/env bash
# The Debian package: built with CPack from the main build tree, unpacked into
# a temporary root and checked there, its desktop entry and AppStream data
# validated, and the .deb linted.
set -euo pipefail
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
export ROOT
source "$ROOT/scripts/lib.sh"
start=$SECONDS
z7_install_packages appstream desktop-file-utils lintian dpkg-dev binutils file

build="${Z7_PACKAGE_BUILD:-$ROOT/build}"
# A no-op after the main stage, which builds the same tree.
z7_build "$build" -DZ7_WERROR=ON

work="$(mktemp -d /tmp/z7-package.XXXXXX)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log") ||
    { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/out/z7edit_*.deb)"
root="$work/root"
dpkg -x "$deb" "$root"

fail() { echo "package: $*" >&2; exit 1; }

# Every file where a desktop looks for it.
expected=(
    usr/bin/z7edit
    usr/share/applications/z7edit.desktop
    usr/share/metainfo/de.tellmar.z7edit.metainfo.xml
    usr/share/doc/z7edit/copyright
    usr/share/doc/z7edit/changelog.gz
    usr/share/doc/z7edit/OFL.txt
    usr/share/man/man1/z7edit.1.gz
    usr/share/lintian/overrides/z7edit
)
for size in 16 24 32 48 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/z7edit.png")
done
for f in "${expected[@]}"; do
    [ -s "$root/$f" ] || fail "missing or empty: /$f"
done
unexpected="$(cd "$root" && find . -type f | sed 's|^\./||' | sort | comm -13 <(printf '%s\n' "${expected[@]}" | sort) -)"
[ -z "$unexpected" ] || fail "files nobody asked for: $unexpected"

# Each icon is a PNG of the size its folder names.
for size in 16 24 32 48 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/z7edit.png"
    file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "icon ${size}x${size}: $(file -b "$png")"
done

# The program: a stripped x86-64 ELF that links the three Qt libraries and
# yaml-cpp (for the game files of Lutris).
bin="$root/usr/bin/z7edit"
[ -x "$bin" ] || fail "/usr/bin/z7edit is not executable"
file -b "$bin" | grep -q "^ELF 64-bit LSB pie executable, x86-64" || fail "not an x86-64 program: $(file -b "$bin")"
file -b "$bin" | grep -q ", stripped" || fail "not stripped: $(file -b "$bin")"
needed="$(readelf -d "$bin" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')"
for lib in libQt6Widgets.so.6 libQt6Gui.so.6 libQt6Core.so.6 libyaml-cpp.so.0.7; do
    grep -qx "$lib" <<<"$needed" || fail "$lib not among the needed libraries: $needed"
done

# The package names what the program needs at run time.
depends="$(dpkg-deb -f "$deb" Depends)"
for pkg in libqt6widgets6 libqt6gui6 libqt6core6 libyaml-cpp0.7 qt6-qpa-plugins fonts-crosextra-carlito; do
    grep -Eq "(^|, )$pkg( |,|$)" <<<"$depends" || fail "Depends lacks $pkg: $depends"
done

desktop-file-validate "$root/usr/share/applications/z7edit.desktop" 2>&1 | tee "$work/desktop.log"
appstreamcli validate --no-net "$root/usr/share/metainfo/de.tellmar.z7edit.metainfo.xml" | tee "$work/appstream.log"

# Errors fail the stage; warnings and notes are shown.
lintian --fail-on error --display-info "$deb" | tee "$work/lintian.log"

tags() { grep -c "^$1:" "$work/lintian.log" || true; }
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB, $(find "$root" -type f | wc -l) files"
echo "package: Depends: $depends"
echo "package: lintian $(tags E) errors, $(tags W) warnings, $(tags I) info; desktop-file-validate $(grep -c . "$work/desktop.log" || true) hints; appstreamcli: $(tail -n 1 "$work/appstream.log")"
echo "package: done in $((SECONDS - start)) s"
