#!/bin/bash
# Full-text search beside ripgrep and grep, like for like. Each round, in
# turn: one fresh process opens the data file with the note store and times
# each query kind's search once, warm (the same query searched once before,
# untimed); then for each kind `rg -c -i -F` and `grep -c -i -F` run once
# as whole processes over the same text as UTF-8 (warm in the file cache),
# and rg once over an empty file: its start-up, which an in-process search
# does not pay, measured and shown beside it. The text is generated English
# words, so every letter occurs in its usual share (no rare byte for a
# prefilter to lean on); the absent word is made of common letters.
# Every time is the median of the rounds with its minimum and maximum. rg_x
# is ours over rg's search alone: the medians' difference of rg on the text
# and rg on an empty file (a per-round difference is lost in the start-up's
# spread on a busy machine); whole_x is ours over the whole rg run, round by
# round; grep_x the same as rg_x for grep; mem_x ours over the plain C count
# of one UTF-16 unit over the file held in memory, round by round.
#   bench/search_bench.sh [build dir] ["notes:chars ..."] [rounds]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
sizes="${2:-1000:300 10000:1000 50000:400}"
rounds=${3:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/bench_tools.sh"
install_missing_tools rg:ripgrep grep:grep
: > "$work/empty.txt"

# One whole run of a program, in milliseconds (no shell in between).
once() { "$build/bench/limit" time 1 "$@" | sed 's/time_ms=\([^ ]*\).*/\1/'; }

printf '%-11s %-12s %5s %4s | %-19s | %-19s | %-19s | %6s | %-17s | %6s | %-17s\n' "notes:chars" kind MB hits \
  "ours_ms med min max" "rg_ms med min max" "rg_start_ms" rg_x "whole_x med min max" grep_x "mem_x med min max"
for size in $sizes; do
  notes=${size%%:*}
  chars=${size##*:}
  dir="$work/$notes-$chars"  # a folder of its own: the store also reads the side files beside the file
  mkdir -p "$dir"
  "$build/wine-run.sh" "$build/bench/search_benchmark.exe" --generate "$notes" "$chars" "Z:$dir" > /dev/null || exit 1
  : > "$dir/samples.txt"
  for round in $(seq "$rounds"); do
    "$build/wine-run.sh" "$build/bench/search_benchmark.exe" --round "Z:$dir" | tr -d '\r' | grep '^SAMPLE' \
      > "$dir/round.txt" || exit 1
    memory=$("$build/bench/limit" mem-scan "$dir/notes.tavik" 1 | sed 's/mem_scan_ms=\([^ ]*\).*/\1/')
    while read -r _ kindfield msfield hitsfield _ mbfield; do
      kind=${kindfield#kind=}
      rg=$(LC_ALL=C.UTF-8 once rg -c -i -F -f "$dir/$kind.pat" "$dir/notes.txt")
      start=$(LC_ALL=C.UTF-8 once rg -c -i -F -f "$dir/$kind.pat" "$work/empty.txt")
      grep=$(LC_ALL=C.UTF-8 once grep -c -i -F -f "$dir/$kind.pat" "$dir/notes.txt")
      grepstart=$(LC_ALL=C.UTF-8 once grep -c -i -F -f "$dir/$kind.pat" "$work/empty.txt")
      echo "$kind ${msfield#ms=} $rg $start $grep $grepstart $memory ${hitsfield#hits=} ${mbfield#MB=}" >> "$dir/samples.txt"
    done < "$dir/round.txt"
  done
  for kind in $(awk '{ print $1 }' "$dir/samples.txt" | awk '!seen[$0]++'); do
    rows=$(awk -v k="$kind" '$1 == k' "$dir/samples.txt")
    ours=$(echo "$rows" | awk '{ print $2 }' | summarize)
    rg=$(echo "$rows" | awk '{ print $3 }' | summarize)
    rgstart=$(echo "$rows" | awk '{ print $4 }' | summarize)
    grep=$(echo "$rows" | awk '{ print $5 }' | summarize)
    grepstart=$(echo "$rows" | awk '{ print $6 }' | summarize)
    wholex=$(echo "$rows" | awk '{ print $2 / $3 }' | summarize)
    memx=$(echo "$rows" | awk '{ print $2 / ($7 > 0.01 ? $7 : 0.01) }' | summarize)
    # The tool's own search: the medians' difference (at least 0.01 ms).
    rgx=$(echo "$ours $rg $rgstart" | awk '{ n = $4 - $7; printf "%.2f", $1 / (n > 0.01 ? n : 0.01) }')
    grepx=$(echo "$ours $grep $grepstart" | awk '{ n = $4 - $7; printf "%.2f", $1 / (n > 0.01 ? n : 0.01) }')
    set -- $(echo "$rows" | head -1)
    printf '%-11s %-12s %5s %4s | %-19s | %-19s | %-19s | %6s | %-17s | %6s | %-17s\n' "$size" "$kind" "$9" "$8" \
      "$ours" "$rg" "$rgstart" "$rgx" "$wholex" "$grepx" "$memx"
  done
done
echo "(medians of $rounds interleaved rounds with min and max; rg_start_ms is rg over an empty file)"
