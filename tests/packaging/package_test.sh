#!/usr/bin/env bash
# Builds the Debian package from this build, unpacks it into a scratch root with dpkg -x and
# starts the programs from there: they must run with the shipped files alone.
#   package_test.sh BUILD_DIR       (exit 77: skipped, no dpkg-deb here)
set -euo pipefail
build=$1
command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null || exit 77
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Depends):'
# Dependencies come from dpkg-shlibdeps: the Qt and SQLite libraries the programs link.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || { echo "no Qt dependency found" >&2; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q 'libsqlite3-0' || { echo "no SQLite dependency found" >&2; exit 1; }

root="$work/root"
dpkg -x "$deb" "$root"
for file in usr/bin/system usr/bin/unitsim usr/share/conference-console/System/Menu/menu_e.ini \
    usr/share/applications/conference-console.desktop usr/share/icons/hicolor/48x48/apps/conference-console.png \
    usr/share/icons/hicolor/scalable/apps/conference-console.svg usr/share/man/man1/system.1.gz \
    usr/share/man/man1/unitsim.1.gz usr/share/metainfo/org.conference_console.ConferenceConsole.metainfo.xml; do
    [ -e "$root/$file" ] || { echo "missing from the package: /$file" >&2; exit 1; }
done

# No display: the options that open no window must work anyway.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/system" --version)
[[ $version == "system "[0-9]* ]] || { echo "system --version said: $version" >&2; exit 1; }
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/unitsim" --help | grep -q -- '--units' ||
    { echo "unitsim --help lacks --units" >&2; exit 1; }

# A first start fills the program folder in the data home from the installed share tree.
data="$work/data"
mkdir -m 700 "$work/run"
XDG_DATA_HOME=$data XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen "$root/usr/bin/system" >"$work/system.log" 2>&1 &
pid=$!
for _ in $(seq 1 100); do
    [ -f "$data/conference-console/System/Menu/menu_e.ini" ] && break
    sleep 0.1
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[ -f "$data/conference-console/System/Menu/menu_e.ini" ] ||
    { cat "$work/system.log"; echo "the program folder was not filled" >&2; exit 1; }
echo "ok: $(basename "$deb")"
