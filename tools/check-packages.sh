#!/usr/bin/env bash
# Fails when the build reads a CMake file from a Debian package that tools/packages.txt does not
# install, neither itself nor through a hard dependency of a listed package. A machine that
# happens to have the package already would otherwise hide the gap until a fresh machine fails.
#   tools/check-packages.sh [package-list]   (default tools/packages.txt)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
list="${1:-$here/tools/packages.txt}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A traced configure in a scratch folder records every CMake file it reads: package config
# files, the files they include, and the find modules behind them.
if ! cmake -S "$here" -B "$scratch/build" -G Ninja --trace --trace-format=json-v1 \
    --trace-redirect="$scratch/trace.json" >"$scratch/configure.log" 2>&1; then
    cat "$scratch/configure.log" >&2
    echo "check-packages: CMake could not configure the build (output above)." >&2
    exit 1
fi
grep -o '"file":"[^"]*"' "$scratch/trace.json" | sed 's/^"file":"//; s/"$//' | sort -u |
    grep -v -e "^$here/" -e "^$scratch/" >"$scratch/read"
# Find modules (SQLite3) leave no config file of their own package behind: their results do.
sed -n 's/^SQLite3_LIBRARY:FILEPATH=//p' "$scratch/build/CMakeCache.txt" >>"$scratch/read"
sort -u "$scratch/read" >"$scratch/files"

# The owner of each file, asked in one call: dpkg -S prints "pkg[:arch][, pkg...]: path".
declare -A owners=()
while IFS= read -r line; do
    case "$line" in
    "diversion "*) continue ;;
    esac
    file=${line#*: }
    IFS=',' read -ra names <<<"${line%%: /*}"
    for name in "${names[@]}"; do
        name=${name# }
        owners["${name%%:*}"]="$file"
    done
    echo "$file" >>"$scratch/owned"
done < <(xargs dpkg -S <"$scratch/files" 2>/dev/null || true)
touch "$scratch/owned"
while IFS= read -r file; do
    echo "check-packages: $file belongs to no Debian package" >&2
    owners["(no package)"]="$file"
done < <(comm -23 "$scratch/files" <(sort -u "$scratch/owned"))

# Everything the list installs: the listed packages and their hard dependencies, recursively.
mapfile -t listed < <(grep -v -e '^#' -e '^[[:space:]]*$' "$list")
declare -A installed=()
while IFS= read -r name; do
    name=${name#<}
    name=${name%>}
    installed["${name%%:*}"]=1
done < <(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${listed[@]}" | grep -v '^ ')

status=0
for name in "${!owners[@]}"; do
    if [ -z "${installed[$name]:-}" ]; then
        echo "check-packages: the build reads ${owners[$name]} from package '$name'," \
            "which $(basename "$list") does not install" >&2
        status=1
    fi
done
[ $status -eq 0 ] && echo "check-packages: every package the build reads is installed by $(basename "$list")"
exit $status
