# Shared by scripts/test, scripts/demo and the stages.
# Packages the build, the tests and the demo need (Debian 12).
Z7_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    # the game files of Lutris, where the editor looks for the game's prefix
    libyaml-cpp-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool x11-utils imagemagick
    python3 python3-fonttools fonts-ebgaramond-extra fonts-levien-typoscript
    poppler-utils
    # scripts/check-format
    clang-format
    # a real Wine prefix for the platform tests; Carlito stands in for Calibri
    wine wine64 fonts-crosextra-carlito
)

z7_install_packages() {
    local missing=()
    for p in "${Z7_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "installing: ${missing[*]}"
        if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
        $SUDO apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
}

# Configures and builds the tree into $1 (default build), extra cmake args after.
z7_build() {
    local dir="${1:-$ROOT/build}"; shift || true
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

# What the Linux build draws for z7edit.rc (relative to its resources/generated):
# the pictures, the bitmaps and the icon, the guide and the two fonts.
Z7_WINDOWS_GENERATED_FILES=(z7edit.ico guide/PDF fonts/Z7/TTF fonts/ZOLT/TTF
    bitmaps/logo.dib bitmaps/start.dib bitmaps/noselect.dib bitmaps/marker.dib)

# Configures the Windows program's build: the one project, cross-built with
# MinGW-w64 into $1 (default build-windows), as it ships (Release, stripped),
# after the Linux build ($Z7_MAIN_BUILD, default build) has drawn what
# z7edit.rc carries. Build it with cmake --build, test it with ctest.
z7_configure_windows() {
    local dir="${1:-$ROOT/build-windows}" main="${Z7_MAIN_BUILD:-$ROOT/build}"
    # Configured as the test stages configure it, so that their build stays valid.
    cmake -S "$ROOT" -B "$main" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZ7_WERROR=ON >/dev/null
    cmake --build "$main" --parallel "$(nproc)" \
        --target "${Z7_WINDOWS_GENERATED_FILES[@]/#/resources/generated/}" >/dev/null
    local launcher=()
    if command -v ccache >/dev/null; then
        export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    # -static comes from the toolchain file, -s strips every program.
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZ7_WERROR=ON \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake" \
        -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s \
        -DZ7_GENERATED_DIR="$main/resources/generated" "${launcher[@]}" >/dev/null
}

# Wine's complaints of a 64-bit-only Wine, which say nothing about the program.
z7_wine_noise() {
    grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' \
        -e 'apt-get install wine32' -e '^execute ' -e 'X connection to .* broken' >&2
}

# The one recipe of a Wine prefix for the Windows program, used by its tests
# (scripts/wine-test), the stages, the e2e harness and the start-up benchmark
# (both through tests/e2e/wine_prefix.py):
#   z7_wine_prefix PREFIX HOME
# Booted by Wine, with the game registered at C:\Spiele\Z7 the way its 32-bit
# installer registers it (App Paths), Wine drawing the window frames itself
# (Xvfb has no window manager, and every closing window would wait 2 s for
# one), and the Tahoma and Marlett that Debian's Wine does not find by itself.
# HOME is a throwaway folder: Wine links the prefix's Documents into it.
z7_wine_prefix() (
    export WINEPREFIX="$1" HOME="$2" WINEARCH=win64 WINEDEBUG=-all DISPLAY=
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    mkdir -p "$HOME"
    timeout 300 wineboot -i >/dev/null 2>&1 || { echo "wineboot could not create $WINEPREFIX" >&2; exit 1; }
    # A new prefix goes on settling in the background; a command started
    # meanwhile can fail to launch, so wait for it and try again.
    timeout 120 wineserver -w || true
    for attempt in 1 2 3; do
        timeout 60 wine reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\z7.exe' \
            /v Path /d 'C:\Spiele\Z7' /reg:32 /f >/dev/null 2>&1 && break
        [ "$attempt" -lt 3 ] || { echo "wine reg add (App Paths) failed" >&2; exit 1; }
        timeout 120 wineserver -w || true
    done
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        >/dev/null 2>&1 || { echo "wine reg add (Managed) failed" >&2; exit 1; }
    cp /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/" || exit 1
    # Ended, the server writes the registry out.
    wineserver -k >/dev/null 2>&1 || true
    timeout 120 wineserver -w || true
)

# The end-to-end scenarios that both programs run, one name a line.
z7_e2e_scenarios() {
    grep -E '^[a-z_]+$' "$ROOT/tests/e2e/scenarios.txt"
}
