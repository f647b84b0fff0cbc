#!/usr/bin/env bash
# Sets up a Debian 12 machine for Drawsage, builds it, and either starts it or runs the tests.
#   tools/dev.sh start   build and start Drawsage on its sample database
#   tools/dev.sh test    build and run the whole test suite
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${DRAWSAGE_BUILD_DIR:-$here/build}"

packages=(cmake ninja-build g++ ccache pkg-config qt6-base-dev qt6-charts-dev qt6-svg-dev
          libqt6sql6-sqlite libsqlite3-dev libgl-dev libbenchmark-dev xvfb xauth fonts-dejavu-core)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Builds the named targets, or everything.
compile() {
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j2 ${1:+--target "$@"}
}

case "${1:-}" in
start)
    install_missing
    compile drawsage drawsage-cli
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        if command -v xvfb-run >/dev/null; then
            echo "No display found: starting Drawsage on a virtual display (xvfb-run)."
            exec xvfb-run -a "$build/src/drawsage"
        fi
        echo "No display found and xvfb-run is not installed: Drawsage needs a display." >&2
        exit 1
    fi
    exec "$build/src/drawsage"
    ;;
test)
    install_missing
    compile
    cd "$build"
    exec ctest --output-on-failure -j2
    ;;
*)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac
