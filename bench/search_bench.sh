#!/bin/sh
# Full-text search against grep, side by side: for each generated data file the
# benchmark program times RunFullTextSearch per query kind, then grep -c -i -F
# runs over the same text as UTF-8 with the same words (best of 5 each).
# grep_ms is grep's whole run; grep_net leaves out starting a grep (timed on an
# empty file). kwMB/s is MB/s times the number of keywords.
#   bench/search_bench.sh [build dir] ["notes:chars ..."]
build="${1:-build}"
sizes="${2:-100:300 100:3000 1000:300 1000:3000 10000:300 10000:1000 10000:3000 50000:300}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now_us() { echo $(( $(date +%s%N) / 1000 )); }

# best of 5, in microseconds, of: grep -c -i -F -f patterns file
time_grep() {
  best=999999999
  for run in 1 2 3 4 5; do
    start=$(now_us)
    lines=$(LC_ALL=C.UTF-8 grep -c -i -F -f "$1" "$2")
    took=$(( $(now_us) - start ))
    [ "$took" -lt "$best" ] && best=$took
  done
  echo "$best $lines"
}

: > "$work/empty.txt"
echo x > "$work/x.pat"
startup=$(time_grep "$work/x.pat" "$work/empty.txt" | cut -d' ' -f1)

printf '%-11s %-12s %5s %3s %9s %8s %8s %7s %4s %-6s | %8s %8s %7s %6s\n' \
  "notes:chars" "kind" "MB" "kw" "search_ms" "MB/s" "kwMB/s" "gap_ms" "hits" "walk" \
  "grep_ms" "grep_net" "lines" "ratio"
for size in $sizes; do
  notes=${size%%:*}
  chars=${size##*:}
  "$build/wine-run.sh" "$build/bench/search_benchmark.exe" "$notes" "$chars" "$work" > "$work/out.txt" || exit 1
  grep '^RESULT' "$work/out.txt" | while read -r _ kind keywords hits walk mb speed gap pumps extent; do
    kind=${kind#kind=}; keywords=${keywords#keywords=}; hits=${hits#hits=}; walk=${walk#walk_ms=}
    mb=${mb#MB=}; speed=${speed#MB_per_s=}; gap=${gap#longest_gap_ms=}; extent=${extent#walk=}
    [ "$extent" = "whole-file" ] && extent=whole || extent=at-50
    set -- $(time_grep "$work/$kind.pat" "$work/notes.txt")
    awk -v size="$size" -v kind="$kind" -v mb="$mb" -v kw="$keywords" -v walk="$walk" -v speed="$speed" \
        -v gap="$gap" -v hits="$hits" -v extent="$extent" -v g="$1" -v lines="$2" -v s="$startup" 'BEGIN {
      printf "%-11s %-12s %5s %3s %9s %8s %8d %7s %4s %-6s | %8.2f %8.2f %7s %6.2f\n",
        size, kind, mb, kw, walk, speed, speed * kw, gap, hits, extent, g / 1000, (g - s) / 1000, lines, walk / (g / 1000) }'
  done
done
echo "(grep start-up on an empty file: $(awk -v s="$startup" 'BEGIN { printf "%.2f", s / 1000 }') ms)"
