# Shared by run.sh and test.sh: installs what the build needs when it is missing and
# builds the project. Sourced, not run.
set -euo pipefail

LUMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs the Debian packages named that are not installed yet.
lumora_need() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -q
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

LUMORA_BUILD_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev qt6-qpa-plugins
    fonts-liberation2 fonts-dejavu-core fontconfig
)

# Configures and builds into the given folder; further arguments go to CMake.
lumora_build() {
    local build=$1
    shift
    cmake -S "$LUMORA_ROOT" -B "$build" -G Ninja "$@"
    cmake --build "$build" --parallel "$(nproc)"
}
