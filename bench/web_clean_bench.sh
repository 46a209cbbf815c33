#!/bin/bash
# Web page cleaning beside html2text and w3m -dump, side by side: for each
# saved page Tavik's cleaning time (inside the program) and note text size,
# and the same tools' time (best of 3 runs, less their run time on an empty
# page) and output size. Without a folder, sample pages are made (articles,
# a home page of teasers, a forum thread, a large page). html2text and w3m are
# installed here when missing (never by the build).
#   bench/web_clean_bench.sh [build dir] [page folder] [output folder]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=${3:-$work/out}
mkdir -p "$out" "$work/ref"
. "$(dirname "$0")/bench_tools.sh"
install_missing_tools html2text:html2text w3m:w3m
if [ -n "${2:-}" ]; then
  pages=$(cd "$2" && pwd)
else
  pages=$work/pages
  python3 "$(dirname "$0")/web_clean_samples.py" "$pages"
fi
winpath() { echo "Z:$1" | tr '/' '\\'; }
"$build/wine-run.sh" "$build/bench/web_clean_bench.exe" "$(winpath "$pages")" "$(winpath "$out")" > "$work/tavik.txt"

now_us() { echo $(( $(date +%s%N) / 1000 )); }
best_us() {  # best of 3 runs of a command writing to $2
  best=999999999
  for run in 1 2 3; do
    start=$(now_us); "${@:3}" < "$1" > "$2" 2>/dev/null || true; took=$(( $(now_us) - start ))
    [ "$took" -lt "$best" ] && best=$took
  done
  echo "$best"
}
echo "<html><body></body></html>" > "$work/empty.html"
h_start=$(best_us "$work/empty.html" /dev/null html2text -utf8)
w_start=$(best_us "$work/empty.html" /dev/null w3m -dump -T text/html -O UTF-8)
printf 'start-up taken off: html2text %.2f ms, w3m %.2f ms\n' "$(echo "$h_start/1000" | bc -l)" "$(echo "$w_start/1000" | bc -l)"
printf '%-18s %9s %8s %8s %6s | %9s %9s %9s | %8s %8s %8s\n' page page_KB tavik_ms h2t_ms w3m_ms tavik_KB h2t_KB w3m_KB ratio_h ratio_w links
grep '^PAGE' "$work/tavik.txt" | while read -r _ name rest; do
  declare -A f=()
  for kv in $rest; do f[${kv%%=*}]=${kv#*=}; done
  h=$(best_us "$pages/$name" "$work/ref/$name.h2t" html2text -utf8)
  w=$(best_us "$pages/$name" "$work/ref/$name.w3m" w3m -dump -T text/html -O UTF-8)
  hn=$(( h > h_start ? h - h_start : 1 )); wn=$(( w > w_start ? w - w_start : 1 ))
  awk -v n="$name" -v pb="${f[page_bytes]}" -v ms="${f[ms]}" -v hn="$hn" -v wn="$wn" -v tb="${f[text_bytes]}" \
      -v hb="$(stat -c %s "$work/ref/$name.h2t")" -v wb="$(stat -c %s "$work/ref/$name.w3m")" -v links="${f[links]}" \
      'BEGIN { printf "%-18s %9.1f %8.2f %8.2f %6.2f | %9.1f %9.1f %9.1f | %8.2f %8.2f %8s\n",
               n, pb/1024, ms, hn/1000, wn/1000, tb/1024, hb/1024, wb/1024, ms/(hn/1000), ms/(wn/1000), links }'
done
