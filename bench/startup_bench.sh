#!/bin/bash
# Start-up time of the program: from launch until the first note is shown
# (the frame is visible with the note's title), for data files of 1,000,
# 10,000 and 50,000 generated notes, on a virtual display; and, measured the
# same way in the same run, the smallest Winelib program showing a window
# (bench_minimal_window), and the same with a rich edit showing a line (the
# floor of any program whose window holds an editor). Prints each median and
# what the program adds to each.
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

# median_start <window title pattern> <program> [arguments]: the median of
# $runs launches until a visible window with that title appears.
median_start() {
  local pattern=$1 times=() run start end shown sorted
  shift
  for run in $(seq "$runs"); do
    [ -n "${data:-}" ] && cp "$data" "$work/run.tavik"
    start=$(now_ms)
    $wine "$@" </dev/null >/dev/null 2>&1 &
    app=$!
    shown=""
    while [ -z "$shown" ]; do
      shown=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
      [ $(( $(now_ms) - start )) -gt 60000 ] && { echo "no window after 60 s" >&2; exit 1; }
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
  echo "$sorted" | sed -n "$(( (runs + 1) / 2 ))p"
}

data=""
base=$(median_start '^Tavik - minimal$' "$build/bench/bench_minimal_window.exe.so")
echo "smallest Winelib window: median ${base} ms"
editor=$(median_start '^Tavik - minimal editor$' "$build/bench/bench_minimal_window.exe.so" editor)
echo "smallest Winelib window with a rich edit: median ${editor} ms"
for size in 1000 10000 50000; do
  data="$work/notes_$size.tavik"
  [ -f "$data" ] || continue
  run_path=$($wine winepath -w "$work/run.tavik" 2>/dev/null)
  median=$(median_start '^Tavik - ' "$build/shell/tavik.exe.so" "$run_path")
  echo "start-up to first note, $size notes: median ${median} ms, $((median - base)) ms more than the smallest window," \
    "$((median - editor)) ms more than the window with a rich edit"
done
/usr/lib/wine/wineserver -k 2>/dev/null || true
