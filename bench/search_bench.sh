#!/bin/sh
# Full-text search against grep, side by side: for each generated data file the
# benchmark program times RunFullTextSearch per query kind (over the buffer in
# memory, and over the same file opened by the note store), then grep -c -i -F
# runs over the same text as UTF-8 with the same words (best of 5 each).
# walk_ms leaves out the store's re-reading of the mirror files (reload_ms);
# grep_ms is grep's whole run, grep_net without starting a grep (timed on an
# empty file); kwMB/s is MB/s times the number of keywords; ratio is
# walk_ms / grep_ms.
#   bench/search_bench.sh [build dir] ["notes:chars ..."]
build="${1:-build}"
sizes="${2:-100:300 100:3000 1000:300 1000:3000 10000:300 10000:1000 10000:3000 50000:300}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now_us() { echo $(( $(date +%s%N) / 1000 )); }

# best of 5, in microseconds, and the count: grep -c -i -F -f patterns file
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

printf '%-11s %-6s %-12s %5s %2s %8s %9s %7s %8s %7s %4s %-5s | %7s %8s %6s %5s\n' \
  "notes:chars" "source" "kind" "MB" "kw" "walk_ms" "reload_ms" "MB/s" "kwMB/s" "gap_ms" "hits" "walk" \
  "grep_ms" "grep_net" "lines" "ratio"
for size in $sizes; do
  notes=${size%%:*}
  chars=${size##*:}
  dir="$work/$notes-$chars"  # a folder of its own: the store also reads the side files beside the file
  mkdir -p "$dir"
  "$build/wine-run.sh" "$build/bench/search_benchmark.exe" "$notes" "$chars" "$dir" > "$dir/out.txt" || exit 1
  grep '^STORE' "$dir/out.txt" | sed "s/^/$size: /"
  grep '^RESULT' "$dir/out.txt" | while read -r line; do
    kind=$(echo "$line" | sed 's/.* kind=\([^ ]*\).*/\1/')
    set -- $(time_grep "$dir/$kind.pat" "$dir/notes.txt")
    echo "$line" | awk -v size="$size" -v g="$1" -v lines="$2" -v s="$startup" '{
      for (i = 2; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
      extent = v["walk"] == "whole-file" ? "whole" : "at-50"
      printf "%-11s %-6s %-12s %5s %2s %8s %9s %7s %8d %7s %4s %-5s | %7.2f %8.2f %6s %5.2f\n",
        size, v["source"], v["kind"], v["MB"], v["keywords"], v["walk_ms"], v["reload_ms"], v["MB_per_s"],
        v["MB_per_s"] * v["keywords"], v["longest_gap_ms"], v["hits"], extent,
        g / 1000, (g > s ? g - s : 0) / 1000, lines, v["walk_ms"] / (g / 1000) }'
  done
done
echo "(grep start-up on an empty file: $(awk -v s="$startup" 'BEGIN { printf "%.2f", s / 1000 }') ms)"
