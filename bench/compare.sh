#!/usr/bin/env bash
# Whole-process comparisons on a big synthetic history: drawsage-cli against what a pandas
# user would write and against a bare SQLite count of the balls.
#
#   bench/compare.sh [-n RUNS] [-d DRAWS] [-b BASELINE_BUILD_DIR] BUILD_DIR PEER_SCRIPT
#
# BUILD_DIR holds src/drawsage-cli, src/drawsage and bench/count_balls. PEER_SCRIPT is the
# pandas script (peer_pandas.py), run with Debian's python3 and python3-pandas. With -b, the
# programs of an older build run beside the current ones on the same data, so that one run
# gives the before and after figures. Every pair runs alternately, RUNS times (default 5), so that a
# busy machine slows both sides alike; the medians and their ratios are printed.
set -euo pipefail

runs=5
draws=100000
baseline=""
while getopts "n:d:b:" option; do
    case $option in
    n) runs=$OPTARG ;;
    d) draws=$OPTARG ;;
    b) baseline=$(realpath "$OPTARG") ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -ne 2 ]; then
    echo "usage: $0 [-n RUNS] [-d DRAWS] [-b BASELINE_BUILD_DIR] BUILD_DIR PEER_SCRIPT" >&2
    exit 2
fi
build=$(realpath "$1")
peer=$(realpath "$2")
cli=$build/src/drawsage-cli
floor=$build/bench/count_balls
python=/usr/bin/python3
for program in "$cli" "$build/src/drawsage" "$floor" "$python" /usr/bin/time \
    ${baseline:+"$baseline/src/drawsage-cli" "$baseline/src/drawsage"}; do
    [ -x "$program" ] || { echo "$0: $program is missing" >&2; exit 1; }
done
"$python" -c "import pandas" 2>/dev/null || { echo "$0: python3-pandas is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A fresh installation of its own: the user's settings and data are never touched.
export DRAWSAGE_CONFIG=$work/drawsage.ini XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
export XDG_CACHE_HOME=$work/cache QT_QPA_PLATFORM=offscreen
mkdir -p "$work/times"

echo "Writing $draws draws..." >&2
"$python" "$(dirname "$0")/make_big.py" "$draws" "$work/big.csv"
"$cli" import "$work/big.csv" 2>&1 >/dev/null | tail -n 1 >&2
table=$(find "$work/data" -name NL00A1.DB | head -n 1)

# measure NAME COMMAND...: appends "milliseconds peak-kilobytes" of one run to times/NAME.
# With READY_REPORT=1 the time is the one the program reports ("ready after N ms"): the
# desktop program counts from its start to its filled pages, without the closing down after.
measure()
{
    local name=$1
    shift
    local start end milliseconds output=/dev/null
    [ "${READY_REPORT:-0}" = 1 ] && output=$work/stdout
    start=$EPOCHREALTIME
    /usr/bin/time -f "%M" -o "$work/peak" "$@" >"$output" 2>"$work/stderr" || {
        echo "$0: failed: $*" >&2
        cat "$work/stderr" >&2
        exit 1
    }
    end=$EPOCHREALTIME
    milliseconds=$(((${end/./} - ${start/./}) / 1000))
    if [ "$output" != /dev/null ]; then
        milliseconds=$(sed -n 's/.*ready after \([0-9]*\) ms.*/\1/p' "$output")
        [ -n "$milliseconds" ] || { echo "$0: no ready report from $*" >&2; exit 1; }
    fi
    echo "$milliseconds $(tail -n 1 "$work/peak")" >>"$work/times/$name"
}

# median NAME COLUMN: the median of one column (1: milliseconds, 2: peak kilobytes).
median()
{
    sort -n -k "$2" "$work/times/$1" | awk -v c="$2" '{ v[NR] = $c }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Each variant of the programs in turn: the baseline first when there is one.
variants=(now)
[ -n "$baseline" ] && variants=(before now)
program()
{
    [ "$1" = before ] && echo "$baseline/src/$2" || echo "$build/src/$2"
}

for ((run = 1; run <= runs; ++run)); do
    echo "Run $run of $runs..." >&2
    for variant in "${variants[@]}"; do
        measure "report-$variant" "$(program "$variant" drawsage-cli)" report
        measure peer "$python" "$peer" "$work/big.csv"
    done
    for variant in "${variants[@]}"; do
        measure "frequencies-$variant" "$(program "$variant" drawsage-cli)" frequencies
        measure floor "$floor" "$table"
    done
    for variant in "${variants[@]}"; do
        measure "history-$variant" "$(program "$variant" drawsage-cli)" history
        measure "news-$variant" "$(program "$variant" drawsage-cli)" news
        # The desktop program ends by itself once every page is filled.
        DRAWSAGE_STARTUP_TIMING=1 READY_REPORT=1 measure "start-$variant" "$(program "$variant" drawsage)"
    done
done

ratio()
{
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'
}

echo
echo "$draws draws, medians of $runs runs"
printf "%-34s" "operation"
for variant in "${variants[@]}"; do printf "%16s" "$variant"; done
echo
row()
{
    printf "%-34s" "$1"
    shift
    for value in "$@"; do printf "%16s" "$value"; done
    echo
}
peer_ms=$(median peer 1)
floor_ms=$(median floor 1)
cells=()
for variant in "${variants[@]}"; do
    cells+=("$(ratio "$peer_ms" "$(median "report-$variant" 1)")x")
done
row "report: times faster than pandas" "${cells[@]}"
cells=()
for variant in "${variants[@]}"; do
    cells+=("$(ratio "$(median "frequencies-$variant" 1)" "$floor_ms")x")
done
row "frequencies: times the SQLite floor" "${cells[@]}"
cells=()
for variant in "${variants[@]}"; do cells+=("$(median "history-$variant" 1) ms"); done
row "history, whole process" "${cells[@]}"
cells=()
for variant in "${variants[@]}"; do
    cells+=("$(awk -v k="$(median "news-$variant" 2)" 'BEGIN { printf "%.0f MB", k / 1024 }')")
done
row "news, peak memory" "${cells[@]}"
cells=()
for variant in "${variants[@]}"; do cells+=("$(median "start-$variant" 1) ms"); done
row "desktop, start to filled pages" "${cells[@]}"
echo
cells=()
for variant in "${variants[@]}"; do cells+=("$(median "report-$variant" 1) ms"); done
row "report" "${cells[@]}"
cells=()
for variant in "${variants[@]}"; do cells+=("$(median "frequencies-$variant" 1) ms"); done
row "frequencies" "${cells[@]}"
echo "pandas peer: $peer_ms ms; SQLite floor: $floor_ms ms"
