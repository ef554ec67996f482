# Shared by scripts/run, scripts/test and scripts/package: installing what is missing, building,
# and timing the steps.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# What building and running the programs needs, the virtual screen of the no-display demo
# included.
RUN_PACKAGES=(
    build-essential cmake ninja-build pkg-config ca-certificates
    libcurl4-openssl-dev libssl-dev libpng-dev zlib1g-dev rapidjson-dev libcpp-httplib-dev
    libxcb1-dev libcanberra-dev libsqlite3-dev qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
    xvfb xauth trayer fonts-wqy-microhei x11-utils xdotool imagemagick curl
)
# What making and checking the Debian package adds.
PACKAGE_PACKAGES=(
    "${RUN_PACKAGES[@]}"
    dpkg-dev desktop-file-utils appstream lintian file
)
# What the tests, the other compilers and the fuzz targets add.
TEST_PACKAGES=(
    "${PACKAGE_PACKAGES[@]}"
    git python3 python3-dbus python3-gi mold openbox dbus-daemon weston xwayland qt6-wayland
    clang libclang-rt-14-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-x86-64
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# ensure_packages PACKAGE...: installs those not installed yet.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
            "${missing[@]}"
    fi
}

# configure DIR [cmake options...]; warnings are errors in every build made here.
configure() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DGALEWARDEN_WERROR=ON -DGALEWARDEN_EXTRA_WARNINGS=ON "$@" >/dev/null
}

# build DIR [cmake options...]: configures and builds everything of DIR.
build() {
    configure "$@"
    cmake --build "$ROOT/$1" --parallel "$(nproc)"
}

# The linker flags that make a build link with mold, which links the test executables several
# times faster than the default linker. A build with linker flags of its own for executables
# adds MOLD to them and takes MOLD_LIBRARY_LINKING.
MOLD=-fuse-ld=mold
MOLD_LIBRARY_LINKING=(-DCMAKE_SHARED_LINKER_FLAGS="$MOLD" -DCMAKE_MODULE_LINKER_FLAGS="$MOLD")
MOLD_LINKING=(-DCMAKE_EXE_LINKER_FLAGS="$MOLD" "${MOLD_LIBRARY_LINKING[@]}")

# debian_build_options [COMPILE_FLAGS [LINK_FLAGS]]: sets DEBIAN_BUILD_OPTIONS to the cmake
# options of the package's build: Release, with the flags Debian builds its own packages with
# (stack protector, fortified functions, read-only relocations bound at start) and the flags
# given. Debian's -g is dropped: the package's debug information would only be stripped.
debian_build_options() {
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    local cppflags cflags cxxflags ldflags
    cppflags="$(dpkg-buildflags --get CPPFLAGS)"
    cflags="$(dpkg-buildflags --get CFLAGS | sed 's/\(^\| \)-g\( \|$\)/ /') $cppflags ${1:-}"
    cxxflags="$(dpkg-buildflags --get CXXFLAGS | sed 's/\(^\| \)-g\( \|$\)/ /') $cppflags ${1:-}"
    ldflags="$(dpkg-buildflags --get LDFLAGS) ${2:-}"
    DEBIAN_BUILD_OPTIONS=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS="$cflags"
        -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags")
}

# seconds_since START: whole seconds since START, a value of $SECONDS.
seconds_since() {
    echo $((SECONDS - $1))
}
