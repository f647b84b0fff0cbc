#!/usr/bin/env bash
# Checks Drawsage as a desktop program: validates the desktop entry and the AppStream metainfo,
# makes the .deb, unpacks it into a scratch root and starts the unpacked drawsage-cli on a fresh
# home, where its first start must install the sample data from the package's share/drawsage,
# and prints a ticket with it; then the unpacked desktop program, offscreen.
#   tools/check-install.sh [BUILD-FOLDER]   (default build; built already)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-${DRAWSAGE_BUILD_DIR:-$here/build}}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

rm -f "$build"/drawsage_*.deb
(cd "$build" && cpack -G DEB >"$scratch/cpack.log" 2>&1) || {
    cat "$scratch/cpack.log" >&2
    fail "cpack could not make the .deb (output above)"
}
deb=$(ls "$build"/drawsage_*.deb)
echo "check-install: made $(basename "$deb")"
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The plugins Qt loads at run time are invisible to dpkg-shlibdeps: their packages must be named.
for plugin in sqldrivers/libqsqlite.so iconengines/libqsvgicon.so; do
    owner=$(dpkg -S "*/qt6/plugins/$plugin" | head -1 | cut -d: -f1)
    [[ ", $depends," == *", $owner "* || ", $depends," == *", $owner,"* ]] ||
        fail "the package does not depend on $owner, which holds the Qt plugin $plugin"
done
dpkg -x "$deb" "$scratch/root"
usr="$scratch/root/usr"

desktop-file-validate "$usr"/share/applications/*.desktop
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml
for icon in scalable/apps/com.kestrix.Drawsage.svg 48x48/apps/com.kestrix.Drawsage.png \
    256x256/apps/com.kestrix.Drawsage.png; do
    [ -s "$usr/share/icons/hicolor/$icon" ] || fail "the package lacks the icon $icon"
done

# Every dependency the package names must be one Debian has.
apt-get install --simulate --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1 || {
    cat "$scratch/apt.log" >&2
    fail "the package's dependencies cannot be installed (output above)"
}

# A fresh home, no settings: the first start installs from the package's share/drawsage.
home="$scratch/home"
mkdir -p "$home"
cli() {
    env -i HOME="$home" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 "$usr/bin/drawsage-cli" "$@"
}
cli --version
draws=$(cli draws | wc -l)
expected=$(($(wc -l <"$usr/share/drawsage/lottoresults.csv") - 1))
[ "$draws" -eq "$expected" ] ||
    fail "the installed drawsage-cli shows $draws draws, the packaged sample has $expected"
data="$home/.local/share/Kestrix/Drawsage"
for folder in Templates Filters; do
    [ -n "$(ls -A "$data/$folder")" ] || fail "the first start left $data/$folder empty"
done
cli report >/dev/null
echo "check-install: the unpacked drawsage-cli installed and read $draws sample draws"
# print runs the page printer, which drawsage-cli finds from its own folder, not from /usr.
cli generate --seed 1 --count 3 --save "$scratch/ticket.dtk" >/dev/null 2>&1
cli print "$scratch/ticket.dtk" --pdf "$scratch/ticket.pdf"
[ "$(head -c 5 "$scratch/ticket.pdf" 2>/dev/null)" = "%PDF-" ] ||
    fail "the unpacked drawsage-cli print wrote no PDF"
echo "check-install: the unpacked drawsage-cli printed a ticket"
# The desktop program too, without a display: it fills its pages, says so and ends.
env -i HOME="$home" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    DRAWSAGE_STARTUP_TIMING=1 timeout 120 "$usr/bin/drawsage" 2>/dev/null | grep -q "ready after" ||
    fail "the unpacked drawsage did not start"
echo "check-install: the unpacked drawsage started"
