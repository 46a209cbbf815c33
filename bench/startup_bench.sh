#!/bin/bash
# Start-up of the program beside the smallest Winelib programs, like for like:
# every launch is timed from outside the same way, from the launch until a
# visible window with the expected title appears ("shown") and until the
# process has gone quiet after that ("idle": the work it posts to itself after
# showing the window counts; see launch_until_idle.py). The comparisons are
# the smallest Winelib program showing a window (bench_minimal_window) and the
# same with a rich edit showing a line (the floor of any program whose window
# holds an editor). Each round launches each of them and the program on data
# files of 1,000, 10,000 and 50,000 generated notes, in an order that turns
# with the round, so that drift on a busy machine falls on every side alike.
# Prints medians with min and max over the rounds, what the program adds
# over the rich-edit window per round (its idle minus the window's idle), and
# each launch's peak resident memory once idle, beside the data file's size.
# Usage: bench/startup_bench.sh [build-dir] [rounds]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
rounds=${2:-7}
wine=/usr/lib/wine/wine64
work=$(mktemp -d)

xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
. "$here/scripts/xvfb.sh"
. "$here/bench/bench_tools.sh"
start_xvfb 270 289

"$here/scripts/wineprefix.sh" "$build/wineprefix-bench" x11
export WINEPREFIX="$build/wineprefix-bench" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The generator writes notes_1000, notes_10000 and notes_50000.tavik.
$wine "$build/bench/notestore_bench.exe.so" generate "$($wine winepath -w "$work")" >/dev/null
run_path=$($wine winepath -w "$work/run.tavik" 2>/dev/null)

# launch <name>: one timed launch, appended to $work/<name>.txt as "shown idle peak".
launch() {
  local name=$1 out
  case $name in
    window) out=$(python3 "$here/bench/launch_until_idle.py" '^Tavik - minimal$' $wine "$build/bench/bench_minimal_window.exe.so") ;;
    editor) out=$(python3 "$here/bench/launch_until_idle.py" '^Tavik - minimal editor$' $wine "$build/bench/bench_minimal_window.exe.so" editor) ;;
    *) cp "$work/notes_$name.tavik" "$work/run.tavik"
       out=$(python3 "$here/bench/launch_until_idle.py" '^Tavik - ' $wine "$build/shell/tavik.exe.so" "$run_path") ;;
  esac
  echo "$out" | sed 's/shown_ms=\([0-9]*\) idle_ms=\([0-9]*\) peak_mb=\([0-9.]*\)/\1 \2 \3/' >> "$work/$name.txt"
}

kinds=(window editor 1000 10000 50000)
for round in $(seq "$rounds"); do
  for i in "${!kinds[@]}"; do
    launch "${kinds[$(( (i + round) % ${#kinds[@]} ))]}"
  done
done
/usr/lib/wine/wineserver -k 2>/dev/null || true

printf '%-28s | %-20s | %-20s | %-22s | %s\n' launch "shown_ms med min max" "idle_ms med min max" \
  "over rich edit, per round" "peak_MB med min max"
for name in "${kinds[@]}"; do
  case $name in
    window) label="smallest Winelib window" ;;
    editor) label="window with a rich edit" ;;
    *) label="Tavik, $name notes, $(( $(stat -c %s "$work/notes_$name.tavik") / 1000000 )) MB" ;;
  esac
  added=$(paste -d' ' "$work/$name.txt" "$work/editor.txt" | awk '{ print $2 - $5 }' | summarize)
  printf '%-28s | %-20s | %-20s | %-22s | %s\n' "$label" "$(awk '{ print $1 }' "$work/$name.txt" | summarize)" \
    "$(awk '{ print $2 }' "$work/$name.txt" | summarize)" "$added" "$(awk '{ print $3 }' "$work/$name.txt" | summarize)"
done
echo "(medians of $rounds interleaved rounds with min and max; the machine's load shows in the spread)"
