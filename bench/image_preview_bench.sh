#!/bin/bash
# Runs the image preview benchmark on a virtual display (the X11 driver, as
# the user sees it) and takes a screenshot of the preview it leaves shown.
# Usage: bench/image_preview_bench.sh [build-dir] [screenshot.png] [large]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
shot=${2:-$build/image_preview_bench.png}
export WINEPREFIX="$build/wineprefix-preview-bench" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""; bench=""; log=$(mktemp)
cleanup() {
  [ -n "$bench" ] && kill "$bench" 2>/dev/null || true
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$log"
}
trap cleanup EXIT
. "$here/scripts/xvfb.sh"
start_xvfb 260 269
"$here/scripts/wineprefix.sh" "$WINEPREFIX" x11
/usr/lib/wine/wine64 "$build/bench/bench_image_preview.exe.so" hold ${3:-} </dev/null >"$log" 2>&1 &
bench=$!
for _ in $(seq 600); do grep -q "holding the preview" "$log" && break; kill -0 "$bench" 2>/dev/null || break; sleep 0.1; done
grep -q "holding the preview" "$log" || { cat "$log"; echo "the benchmark ended before showing the preview" >&2; exit 1; }
frame=$(xdotool search --onlyvisible --name '^Tavik' 2>/dev/null | head -1 || true)
xwininfo -root -children | grep -i tavik || true
if [ -n "$frame" ]; then import -window "$frame" "$shot"; else import -window root "$shot"; fi
wait "$bench" || true
bench=""
grep -v "holding the preview" "$log"
echo "screenshot: $shot"
