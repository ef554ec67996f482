# Shared by scripts/run and scripts/test: installing what is missing and building.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    clang libclang-rt-14-dev
    libcurl4-openssl-dev libssl-dev libpng-dev zlib1g-dev rapidjson-dev libcpp-httplib-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-x86-64
    libxcb1-dev qt6-base-dev qt6-base-dev-tools
    xvfb xauth trayer fonts-wqy-microhei x11-utils xdotool imagemagick curl python3
    ca-certificates
    dpkg-dev desktop-file-utils appstream lintian file
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    local package
    for package in "${PACKAGES[@]}"; do
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

# build DIR [cmake options...]; warnings are errors in every build made here.
build() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DGALEWARDEN_WERROR=ON "$@" >/dev/null
    cmake --build "$ROOT/$dir" --parallel "$(nproc)"
}
