#!/bin/sh
# The note store against the machine's limit, side by side in one run: for
# data files of 1,000, 10,000 and 50,000 generated notes, notestore_bench
# times load and index and a save in place after one edit; the "limit"
# program (plain C, no Wine) reads the same file into new memory and counts
# its note marks (and, as "warm", into memory it has read into before, which
# a program loading the file once never has),
# and writes, flushes, links and renames the same bytes; notestore_bench does
# the same two jobs through Wine's Win32 calls (the floor of any Win32
# program here). Every figure is the best of five. Prints each figure and its
# ratio to the limit and to the Win32 floor.
#   bench/notestore_bench.sh [build dir]
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/wine-run.sh" "$build/bench/notestore_bench.exe" generate "Z:$work" > /dev/null || exit 1
printf '%-6s %8s %9s %6s %7s %6s %9s %6s | %8s %10s %6s %9s %6s\n' notes load_ms readscan x warm x win32read x \
  save_ms writeflush x win32write x
for n in 1000 10000 50000; do
  file="$work/notes_$n.tavik"
  out=$("$build/wine-run.sh" "$build/bench/notestore_bench.exe" run "Z:$file" "Z:$work/copy.tavik") || exit 1
  load=$(echo "$out" | sed -n 's/.*load and index *\([0-9.]*\) ms.*/\1/p')
  save=$(echo "$out" | sed -n 's/.*save in place, 1 edit *\([0-9.]*\) ms.*/\1/p')
  wread=$(echo "$out" | sed -n 's/.*win32 read-scan *\([0-9.]*\) ms.*/\1/p')
  wwrite=$(echo "$out" | sed -n 's/.*win32 write-replace *\([0-9.]*\) ms.*/\1/p')
  limit=$("$build/bench/limit" read-scan "$file" 5)
  scan=$(echo "$limit" | sed 's/read_scan_ms=\([^ ]*\).*/\1/')
  warm=$(echo "$limit" | sed 's/.*warm_ms=\([^ ]*\).*/\1/')
  # The saved copy holds the bytes of the save just timed.
  cp "$work/copy.tavik" "$work/limit.tavik"
  write=$("$build/bench/limit" write-replace "$work/limit.tavik" 5 | sed 's/write_replace_ms=\([^ ]*\).*/\1/')
  awk -v n="$n" -v l="$load" -v r="$scan" -v m="$warm" -v s="$save" -v w="$write" -v wr="$wread" -v ww="$wwrite" \
    'BEGIN { printf "%-6s %8.1f %9.2f %6.2f %7.2f %6.2f %9.2f %6.2f | %8.1f %10.2f %6.2f %9.2f %6.2f\n",
             n, l, r, l / r, m, l / m, wr, l / wr, s, w, s / w, ww, s / ww }'
done
