#!/bin/bash
# Start-up time of the program: from launch until the first note is shown
# (the frame is visible with the note's title), for data files of 1,000,
# 10,000 and 50,000 generated notes, on a virtual display. Prints the figures.
# Usage: bench/startup_bench.sh [build-dir] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
runs=${2:-5}
wine=/usr/lib/wine/wine64
work="$build/bench-startup"
mkdir -p "$work"

xvfb_pid=""; app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
. "$here/scripts/xvfb.sh"
start_xvfb 200 249

"$here/scripts/wineprefix.sh" "$build/wineprefix-bench" x11
export WINEPREFIX="$build/wineprefix-bench" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The generator writes notes_1000, notes_10000 and notes_50000.tavik.
[ -f "$work/notes_10000.tavik" ] || $wine "$build/bench/notestore_bench.exe.so" generate "$($wine winepath -w "$work")" >/dev/null

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

for size in 1000 10000 50000; do
  file="$work/notes_$size.tavik"
  [ -f "$file" ] || continue
  times=()
  for run in $(seq "$runs"); do
    cp "$file" "$work/run.tavik"
    run_path=$($wine winepath -w "$work/run.tavik" 2>/dev/null)
    start=$(now_ms)
    $wine "$build/shell/tavik.exe.so" "$run_path" </dev/null >/dev/null 2>&1 &
    app=$!
    shown=""
    while [ -z "$shown" ]; do
      shown=$(xdotool search --onlyvisible --name '^Tavik - ' 2>/dev/null | head -1 || true)
      [ $(( $(now_ms) - start )) -gt 60000 ] && { echo "no note shown after 60 s" >&2; exit 1; }
    done
    end=$(now_ms)
    times+=($((end - start)))
    xdotool windowfocus --sync "$shown" 2>/dev/null || true
    xdotool key alt+F4
    for _ in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    kill "$app" 2>/dev/null || true
    app=""
  done
  sorted=$(printf '%s\n' "${times[@]}" | sort -n)
  median=$(echo "$sorted" | sed -n "$(( (runs + 1) / 2 ))p")
  echo "start-up to first note, $size notes: median ${median} ms (runs: ${times[*]})"
done
/usr/lib/wine/wineserver -k 2>/dev/null || true
