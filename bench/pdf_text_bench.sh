#!/bin/bash
# PDF text extraction beside pdftotext, side by side: each PDF's text is
# extracted by Tavik (bench/pdf_text_bench.exe, timed inside the program) and by
# pdftotext (best of 3 runs, less the run time of pdftotext on a one-word PDF),
# and the words are compared: recall is the share of pdftotext's words that
# Tavik also found, precision the share of Tavik's words that pdftotext also
# found (words as blank-separated tokens, NFKC-normalised, counted as multisets).
# Without a folder, sample documents are made with Ghostscript, pdfTeX and
# LibreOffice. The tools are installed here when missing (never by the build).
#   bench/pdf_text_bench.sh [build dir] [pdf folder] [output folder]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=${3:-$work/out}
mkdir -p "$out" "$work/ref"

. "$(dirname "$0")/bench_tools.sh"
tools=(pdftotext:poppler-utils)
[ -z "${2:-}" ] && tools+=(ps2pdf:ghostscript pdflatex:texlive-latex-base soffice:libreoffice-writer-nogui)
install_missing_tools "${tools[@]}"
if [ -n "${2:-}" ]; then
  pdfs=$(cd "$2" && pwd)
else
  pdfs=$work/pdf
  mkdir -p "$pdfs" "$work/src"
  python3 "$(dirname "$0")/pdf_text_samples.py" "$work/src"
  (cd "$work/src"
   for ps in *.ps; do ps2pdf "$ps" "$pdfs/gs_${ps%.ps}.pdf"; done
   for tex in *.tex; do
     pdflatex -interaction=batchmode "$tex" >/dev/null 2>&1 || true
     [ -f "${tex%.tex}.pdf" ] && mv "${tex%.tex}.pdf" "$pdfs/tex_${tex%.tex}.pdf"
   done
   soffice --headless --convert-to pdf --outdir "$work/lo" ./*.html >/dev/null 2>&1 || true
   for pdf in "$work"/lo/*.pdf; do [ -f "$pdf" ] && mv "$pdf" "$pdfs/lo_$(basename "$pdf")"; done)
fi

winpath() { echo "Z:$1" | tr '/' '\\'; }
"$build/wine-run.sh" "$build/bench/pdf_text_bench.exe" "$(winpath "$pdfs")" "$(winpath "$out")" > "$work/tavik.txt"

now_us() { echo $(( $(date +%s%N) / 1000 )); }
best_us() {  # best of 3 runs of pdftotext
  best=999999999
  for run in 1 2 3; do
    start=$(now_us); pdftotext -enc UTF-8 "$1" "$2" 2>/dev/null || true; took=$(( $(now_us) - start ))
    [ "$took" -lt "$best" ] && best=$took
  done
  echo "$best"
}
printf '%%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 4 0 R /Resources << /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >> >> endobj\n4 0 obj << /Length 36 >> stream\nBT /F1 12 Tf 20 100 Td (one) Tj ET\nendstream endobj\ntrailer << /Root 1 0 R >>\n%%%%EOF\n' > "$work/one.pdf"
startup=$(best_us "$work/one.pdf" "$work/one.txt")
: > "$work/times.txt"
for pdf in "$pdfs"/*.pdf; do
  name=$(basename "$pdf" .pdf)
  echo "$name.pdf $(best_us "$pdf" "$work/ref/$name.txt")" >> "$work/times.txt"
done
python3 - "$work/tavik.txt" "$work/times.txt" "$out" "$work/ref" "$startup" <<'PY'
import collections, os, sys, unicodedata
tavik, times, out, ref, startup = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5])
def words(path):
    if not os.path.exists(path): return collections.Counter()
    text = open(path, encoding="utf-8-sig", errors="replace").read()
    return collections.Counter(unicodedata.normalize("NFKC", text).split())
ref_us = dict(line.split() for line in open(times))
rows, groups = [], collections.defaultdict(lambda: [0, 0, 0, 0.0, 0.0])
print(f"pdftotext start-up (one-word PDF): {startup/1000:.2f} ms, taken off its times")
print(f"{'file':28} {'tavik_ms':>9} {'ptt_ms':>8} {'ptt_net':>8} {'ratio':>6} {'words':>7} {'ref':>7} {'recall':>6} {'prec':>6}  note")
for line in open(tavik):
    kind, name, *rest = line.split()
    if kind == "TOTAL": continue
    fields = dict(f.split("=", 1) for f in rest if "=" in f)
    ms = float(fields["ms"])
    stem = name[:-4]
    ours, theirs = words(os.path.join(out, stem + ".txt")), words(os.path.join(ref, stem + ".txt"))
    common = sum((ours & theirs).values())
    recall = common / max(1, sum(theirs.values()))
    precision = common / max(1, sum(ours.values()))
    ptt = int(ref_us.get(name, 0)) / 1000
    net = max(0.001, ptt - startup / 1000)
    note = fields.get("reason", "") if kind == "REFUSED" else ("cut at 50,000 bytes" if "cut" in rest else "")
    print(f"{name[:28]:28} {ms:9.2f} {ptt:8.2f} {net:8.2f} {ms/net:6.2f} {sum(ours.values()):7} {sum(theirs.values()):7} {recall:6.3f} {precision:6.3f}  {note}")
    g = groups[name.split("_")[0] if "_" in name else "other"]
    g[0] += 1; g[1] += common; g[2] += sum(theirs.values()); g[3] += ms; g[4] += net
    g.append(sum(ours.values()))
print()
for producer, g in sorted(groups.items()):
    ours_total = sum(g[5:])
    print(f"{producer:6} files={g[0]} recall={g[1]/max(1,g[2]):.3f} precision={g[1]/max(1,ours_total):.3f} "
          f"tavik_ms={g[3]:.2f} pdftotext_net_ms={g[4]:.2f} ratio={g[3]/max(0.001,g[4]):.2f}")
PY
