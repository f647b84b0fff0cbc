#!/bin/sh
# Serves the bundled sample results files under the operator's two paths on 127.0.0.1, so that
# Update can be tried end to end: ./tools/serve-results.sh [PORT] (default 8049, the program's
# default ResultsServer). Stop it with Ctrl+C.
set -eu
port=${1:-8049}
here=$(cd "$(dirname "$0")/.." && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT INT TERM
mkdir -p "$root/lotto/clientfiles/lotto"
cp "$here/data/sample/lottoresults.csv" "$here/data/sample/lottoplusresults.csv" \
    "$root/lotto/clientfiles/lotto/"
# Python says "Serving HTTP on 127.0.0.1 port PORT" once it listens: Update works from then on.
echo "Starting the sample results server on http://127.0.0.1:$port ..."
cd "$root"
python3 -m http.server "$port" --bind 127.0.0.1
