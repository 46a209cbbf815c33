#!/bin/bash
# Web page cleaning beside w3m -dump: the cleaner's notes scored against
# w3m's text (word recall within the capture's limit, headings kept as note
# headings, links kept, reserved characters) and the time of both, the median
# of interleaved runs with min and max (w3m's start-up on an empty page taken
# off). Without a folder, sample pages are made (articles, a home page of
# teasers, a forum thread, a large page); bench/web_corpus.sh gathers real
# documentation pages. w3m is installed here when missing (never by the build).
#   bench/web_clean_bench.sh [build dir] [page folder] [rounds] [output folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
rounds=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=${4:-$work/out}
mkdir -p "$out" "$work/ref"
. "$here/bench_tools.sh"
install_missing_tools w3m:w3m
if [ -n "${2:-}" ]; then
  pages=$(cd "$2" && pwd)
else
  pages=$work/pages
  python3 "$here/web_clean_samples.py" "$pages"
fi
winpath() { echo "Z:$1" | tr '/' '\\'; }
now_us() { echo $(( $(date +%s%N) / 1000 )); }
echo "<html><body></body></html>" > "$work/empty.html"
: > "$work/tavik.times"; : > "$work/w3m.times"
for round in $(seq "$rounds"); do
  "$build/wine-run.sh" "$build/bench/web_clean_bench.exe" "$(winpath "$pages")" "$(winpath "$out")" |
    awk '/^PAGE/ { sub("ms=", "", $3); print $2, $3 }' >> "$work/tavik.times"
  empty=999999999
  for run in 1 2 3; do
    start=$(now_us); w3m -dump -T text/html -O UTF-8 < "$work/empty.html" > /dev/null 2>&1 || true
    took=$(( $(now_us) - start )); [ "$took" -lt "$empty" ] && empty=$took
  done
  for page in "$pages"/*.htm*; do
    name=$(basename "$page")
    start=$(now_us)
    w3m -dump -T text/html -O UTF-8 < "$page" > "$work/ref/$name.w3m" 2>/dev/null || true
    took=$(( $(now_us) - start - empty ))
    [ "$took" -gt 0 ] || took=1
    echo "$name $(echo "$took/1000" | bc -l)" >> "$work/w3m.times"
  done
done
python3 "$here/web_clean_score.py" "$pages" "$out" "$work/ref" "$work/tavik.times" "$work/w3m.times"
