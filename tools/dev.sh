#!/usr/bin/env bash
# Sets up a Debian 12 machine for Drawsage, builds it, and either starts it or runs the tests.
#   tools/dev.sh start   build and start Drawsage on its sample database
#   tools/dev.sh test    build and run the whole test suite
#   tools/dev.sh install [PACKAGE...]  only install what is missing of tools/packages.txt
#                                      and of the packages named
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${DRAWSAGE_BUILD_DIR:-$here/build}"

mapfile -t packages < <(grep -v -e '^#' -e '^[[:space:]]*$' "$here/tools/packages.txt")

# Installs the listed packages, and any named as arguments, that are missing.
install_missing() {
    local missing=()
    for package in "${packages[@]}" "$@"; do
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

# Configures quietly, but shows CMake's output when it fails. Extra CMake options (CI turns
# warnings into errors) come from $DRAWSAGE_CMAKE_OPTIONS.
configure() {
    local log
    log=$(mktemp)
    # shellcheck disable=SC2086 # the options are meant to split into words
    if ! cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        ${DRAWSAGE_CMAKE_OPTIONS:-} >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "CMake could not configure the build (output above)." >&2
        exit 1
    fi
    rm -f "$log"
}

# Builds the named targets, or everything.
compile() {
    configure
    cmake --build "$build" -j"$(nproc)" ${1:+--target "$@"}
}

case "${1:-}" in
start)
    install_missing
    compile drawsage drawsage-cli drawsage-print
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
install)
    shift
    install_missing "$@"
    ;;
test)
    install_missing
    compile
    cd "$build"
    exec ctest --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 start|test|install" >&2
    exit 2
    ;;
esac
