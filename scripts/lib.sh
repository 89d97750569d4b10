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

# What the main build draws for z7edit.rc (relative to its resources/generated):
# the pictures, the bitmaps and the icon, the guide and the two fonts.
Z7_WINDOWS_GENERATED_FILES=(z7edit.ico guide/PDF fonts/Z7/TTF fonts/ZOLT/TTF
    bitmaps/logo.dib bitmaps/start.dib bitmaps/noselect.dib bitmaps/marker.dib)
