#!/bin/bash
# The note store beside plain C on the same files, like for like: for data
# files of 1,000, 10,000 and 50,000 generated notes, each round (the order
# of the two sides swapped every round) starts a fresh Wine process that
# loads and indexes the file once (its first load: new memory, as a user's
# start-up has), and a fresh plain C process ("limit") that reads the same
# file into new memory and counts its note marks. Saving: one more process
# per round saves in place after one edit (the median of its saves), beside
# the plain C write, flush, link and rename of the same bytes. The Win32
# floor (the same read or write through Wine's calls, in the store's
# process) is shown too. Every figure is the median of the rounds with its
# minimum and maximum; load_x and save_x are ours over plain C per round.
#   bench/notestore_bench.sh [build dir] [rounds]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
rounds=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/bench_tools.sh"
"$build/wine-run.sh" "$build/bench/notestore_bench.exe" generate "Z:$work" > /dev/null || exit 1
field() { tr -d '\r' | sed -n "s/.*$1 *\([0-9.]*\).*/\1/p" | head -1; }
printf '%-6s | %-20s %-20s %-17s | %-20s %-20s %-17s | %s\n' notes "load_ms med min max" "readscan_ms" \
  "load_x med min max" "save_ms" "writeflush_ms" "save_x med min max" "win32 read, write; peak MB"
for n in 1000 10000 50000; do
  file="$work/notes_$n.tavik"
  : > "$work/rows.txt"
  for round in $(seq "$rounds"); do
    load=""; scan=""
    for side in $( [ $((round % 2)) = 1 ] && echo ours limit || echo limit ours ); do
      if [ "$side" = ours ]; then
        first=$("$build/wine-run.sh" "$build/bench/notestore_bench.exe" first "Z:$file") || exit 1
        load=$(echo "$first" | field first_load_ms=)
        peak=$(echo "$first" | field peak_MB=)
        out=$("$build/wine-run.sh" "$build/bench/notestore_bench.exe" run "Z:$file" "Z:$work/copy.tavik") || exit 1
        save=$(echo "$out" | field 'save in place, 1 edit')
        wread=$(echo "$out" | field 'win32 read-scan')
        wwrite=$(echo "$out" | field 'win32 write-replace')
      else
        scan=$("$build/bench/limit" read-scan "$file" 1 | sed 's/read_scan_ms=\([^ ]*\).*/\1/')
        # The saved copy holds the bytes of the save just timed (or the file itself before the first).
        [ -f "$work/copy.tavik" ] && cp "$work/copy.tavik" "$work/limit.tavik" || cp "$file" "$work/limit.tavik"
        write=$("$build/bench/limit" write-replace "$work/limit.tavik" 1 | sed 's/write_replace_ms=\([^ ]*\).*/\1/')
      fi
    done
    echo "$load $scan $save $write $wread $wwrite $peak" >> "$work/rows.txt"
  done
  col() { awk -v c="$1" '{ print $c }' "$work/rows.txt" | summarize; }
  loadx=$(awk '{ print $1 / $2 }' "$work/rows.txt" | summarize)
  savex=$(awk '{ print $3 / $4 }' "$work/rows.txt" | summarize)
  printf '%-6s | %-20s %-20s %-17s | %-20s %-20s %-17s | %s, %s; %s\n' "$n" "$(col 1)" "$(col 2)" "$loadx" \
    "$(col 3)" "$(col 4)" "$savex" "$(col 5 | cut -d' ' -f1)" "$(col 6 | cut -d' ' -f1)" "$(col 7 | cut -d' ' -f1)"
done
echo "(medians of $rounds interleaved rounds with min and max)"
