#!/usr/bin/env bash
# The station as an operator installs it: the package of this build folder declares Qt 6
# and libjpeg among its dependencies; unpacked where the operator cannot write and started
# by an unprivileged operator with an empty home, it makes its folders under
# ~/.local/share/orvix, keeps a saved configuration and a saved picture there, and writes
# nothing beside the program. The operator's clicks go to a headless X server (Xvfb) on
# the screen size whose button places are fixed; exit status 77 is a skip.
#
#   installed-station.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "the station is started as another user, which needs root"
operator=$(getent passwd 65534 | cut -d: -f1) || true
[ -n "$operator" ] || skip "no unprivileged user 65534 on this machine"
for tool in runuser Xvfb xdotool dpkg-deb cpack desktop-file-validate; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"

(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$build"/orvix_*_amd64.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in libqt6core6 libqt6widgets6 libqt6printsupport6 libjpeg62-turbo fonts-liberation; do
  grep -q "\b$dep\b" <<<"$depends" || fail "Depends does not name $dep"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/orvix.desktop" >/dev/null || fail "desktop entry"
home="$work/home" runtime="$work/runtime"
mkdir -m 700 "$home" "$runtime"
chown "$operator" "$home" "$runtime"
runuser -u "$operator" -- test -w "$root/usr/bin" && fail "the operator can write the program folder"
find "$root" -printf '%p %s %T@\n' | sort >"$work/before"

# A free display number for the X server.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -ac -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"

runuser -u "$operator" -- env -i HOME="$home" XDG_RUNTIME_DIR="$runtime" DISPLAY=":$display" \
  LANG=C.UTF-8 PATH=/usr/bin:/bin "$root/usr/bin/orvix" >"$work/orvix.log" 2>&1 &
station=$!
pids+=($station)

data="$home/.local/share/orvix"
session="$data/Pictures/$(date +%Y/%m)/Session-$(date +%y-%m-%d)"
for _ in $(seq 100); do [ -d "$session" ] && break; sleep 0.1; done
[ -d "$session" ] || { cat "$work/orvix.log"; fail "no picture folder $session"; }
[ "$(stat -c %a "$data")" = 700 ] || fail "$data is not private to the operator"

click() { xdotool mousemove "$1" "$2" click 1; sleep 1; }
sleep 4                      # the start step and its missing-configuration warning
xdotool key Return; sleep 1  # ... answered
click 1196 678               # "Nastawy..."
click 744 421                # "Zapisz nastawy"
click 893 421                # "Zamknij"
click 1196 714               # "Zapisz jako...": the save dialog
xdotool type --delay 50 probe; sleep 0.5
xdotool key Return; sleep 2

[ "$(stat -c %s "$data/conf300.dat" 2>/dev/null)" = 4112 ] || fail "no 257-record conf300.dat in $data"
[ -s "$session/probe.bmp" ] || { ls -laR "$data"; fail "no picture saved in $session"; }
find "$root" -printf '%p %s %T@\n' | sort >"$work/after"
diff "$work/before" "$work/after" || fail "the station wrote beside the program"
kill -0 "$station" 2>/dev/null || fail "the station ended"
echo "installed station: folders, settings and picture in $data"
