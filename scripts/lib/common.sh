# Shared by the scripts: where things are, and installing what a fresh Debian 12 lacks.

TESSMARK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# Build and test jobs: TESSMARK_JOBS from the environment, else one per core.
TESSMARK_JOBS="${TESSMARK_JOBS:-$(nproc 2>/dev/null || echo 2)}"

# Debian packages the build and the tests need. Qt 6 Widgets and Svg for the interface (its
# CMake package also needs the GL headers, which qt6-base-dev brings); DejaVu so offscreen tests
# have a font; Xvfb, xauth and python3-xlib for the smoke test of the real window.
TESSMARK_PACKAGES=(
    g++ cmake ninja-build pkg-config
    libsqlite3-dev libudev-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format
    qt6-base-dev qt6-svg-dev fonts-dejavu-core
    xvfb xauth python3 python3-xlib
)

tessmark_install_packages() {
    local missing=()
    local package
    for package in "${TESSMARK_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# configure <build dir> <cmake arguments...>
tessmark_configure() {
    local dir="$1"
    shift
    cmake -S "$TESSMARK_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
}

# The one Release build, of the program and the benchmarks: scripts/test builds all of it,
# scripts/run the program and scripts/bench the benchmarks, each reusing what another made.
TESSMARK_RELEASE_DIR="$TESSMARK_ROOT/build/bench"
tessmark_configure_release() {
    tessmark_configure "$TESSMARK_RELEASE_DIR" -DCMAKE_BUILD_TYPE=Release -DTESSMARK_BUILD_TESTS=OFF \
        -DTESSMARK_BUILD_BENCH=ON
}
