#!/bin/bash
# Builds the program and starts it on a sample data file.
# With no $DISPLAY it runs on a virtual display, takes a screenshot into
# <build>/screenshot.png and closes the program again (Alt+F4).
# Usage: scripts/run.sh [build-dir] [data-file]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
mkdir -p "$build"; build=$(cd "$build" && pwd)
# The program alone still starts when some other target of the tree does not build.
"$here/scripts/setup.sh" "$build" || cmake --build "$build" --target tavik -j"$(nproc)"

xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  . "$here/scripts/xvfb.sh"
  start_xvfb 91 140
fi

prefix="$build/wineprefix-x11"
"$here/scripts/wineprefix.sh" "$prefix" x11
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# A sample data file of our own, copied once so that the user's edits stay.
data=${2:-$build/sample/sample.tavik}
if [ ! -f "$data" ]; then
  mkdir -p "$(dirname "$data")"
  cp "$here/resources/examples.tavik" "$data"
fi
windows_path=$(/usr/lib/wine/wine64 winepath -w "$data" 2>/dev/null)

if [ "$headless" = 0 ]; then
  exec /usr/lib/wine/wine64 "$build/shell/tavik.exe.so" "$windows_path"
fi

/usr/lib/wine/wine64 "$build/shell/tavik.exe.so" "$windows_path" </dev/null >/dev/null 2>&1 &
app=$!
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Tavik' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "The program's window did not show." >&2
  kill "$app" 2>/dev/null || true
  exit 1
fi
sleep 2  # let the first note and the status line paint
import -window root "$build/screenshot.png"
echo "Screenshot: $build/screenshot.png"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key alt+F4
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
  echo "The program did not close on Alt+F4." >&2
  kill "$app" 2>/dev/null || true
  exit 1
fi
wait "$app" || true
/usr/lib/wine/wineserver -k 2>/dev/null || true
