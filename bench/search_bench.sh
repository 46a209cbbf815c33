#!/bin/sh
# Full-text search against ripgrep and grep, side by side: for each generated
# data file the benchmark program times RunFullTextSearch per query kind (over
# the buffer in memory, and over the same file opened by the note store), then
# rg -c -i -F and grep -c -i -F run over the same text as UTF-8 with the same
# words, and the "limit" program counts one UTF-16 unit over the data file in
# memory (best of 5 each).
# walk_ms leaves out the store's re-reading of the mirror files (reload_ms);
# rg_ms and grep_ms are whole runs; kwMB/s is MB/s times the number of
# keywords; rg_x is walk_ms / rg_ms, mem_x walk_ms / mem_scan_ms.
#   bench/search_bench.sh [build dir] ["notes:chars ..."]
build="${1:-build}"
sizes="${2:-1000:300 10000:300 10000:1000 50000:300}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The comparison's tools come from the distribution, installed here when missing.
command -v rg >/dev/null 2>&1 || apt-get install -y ripgrep >/dev/null 2>&1 || { echo "ripgrep missing" >&2; exit 1; }

# best of 5, in milliseconds: <tool> -c -i -F -f patterns file
time_tool() {
  LC_ALL=C.UTF-8 "$build/bench/limit" time 5 "$1" -c -i -F -f "$2" "$3" | sed 's/time_ms=//'
}

printf '%-11s %-6s %-12s %5s %2s %8s %9s %7s %8s %7s %4s %-5s | %7s %5s | %7s %5s | %7s %5s\n' \
  "notes:chars" "source" "kind" "MB" "kw" "walk_ms" "reload_ms" "MB/s" "kwMB/s" "gap_ms" "hits" "walk" \
  "rg_ms" "rg_x" "grep_ms" "grep_x" "mem_ms" "mem_x"
for size in $sizes; do
  notes=${size%%:*}
  chars=${size##*:}
  dir="$work/$notes-$chars"  # a folder of its own: the store also reads the side files beside the file
  mkdir -p "$dir"
  "$build/wine-run.sh" "$build/bench/search_benchmark.exe" "$notes" "$chars" "$dir" > "$dir/out.txt" || exit 1
  grep '^STORE' "$dir/out.txt" | sed "s/^/$size: /"
  memory=$("$build/bench/limit" mem-scan "$dir/notes.tavik" 5 | sed 's/mem_scan_ms=\([^ ]*\).*/\1/')
  grep '^RESULT' "$dir/out.txt" | while read -r line; do
    kind=$(echo "$line" | sed 's/.* kind=\([^ ]*\).*/\1/')
    set -- $(time_tool rg "$dir/$kind.pat" "$dir/notes.txt") 0 $(time_tool grep "$dir/$kind.pat" "$dir/notes.txt")
    echo "$line" | awk -v size="$size" -v r="$1" -v g="$3" -v m="$memory" '{
      for (i = 2; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
      extent = v["walk"] == "whole-file" ? "whole" : "at-50"
      printf "%-11s %-6s %-12s %5s %2s %8s %9s %7s %8d %7s %4s %-5s | %7.2f %5.2f | %7.2f %5.2f | %7.2f %5.1f\n",
        size, v["source"], v["kind"], v["MB"], v["keywords"], v["walk_ms"], v["reload_ms"], v["MB_per_s"],
        v["MB_per_s"] * v["keywords"], v["longest_gap_ms"], v["hits"], extent,
        r, v["walk_ms"] / r, g, v["walk_ms"] / g, m, v["walk_ms"] / m }'
  done
done
