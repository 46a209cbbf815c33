#!/bin/bash
# PDF text extraction beside pdftotext, side by side: each PDF's text is
# extracted by Tavik (bench/pdf_text_bench.exe, timed inside the program) and by
# pdftotext (the median of 3 runs, each cut off after 60 s, less the median
# run time of pdftotext on a one-word PDF, so that both sides count the
# extraction alone), and the words are compared: recall is the share of
# pdftotext's words that Tavik also found, precision the share of Tavik's words
# that pdftotext also found (words as blank-separated tokens, NFKC-normalised,
# counted as multisets). A text Tavik cut at its limit is compared with as
# many of pdftotext's first words. "split" counts Tavik's words that are a
# piece of a pdftotext word (its next word completes it), "glued" Tavik's
# words that are two of pdftotext's run together; "pairs" is the recall of
# neighbouring word pairs (reading order). bench/pdf_corpus.sh gathers a
# corpus from Debian's packages; without a folder, sample documents are made
# with Ghostscript, pdfTeX and LibreOffice. The tools are installed here when
# missing (never by the build).
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
median_us() {  # the median of 3 runs of pdftotext, each cut off after 60 s
  local runs=()
  for run in 1 2 3; do
    start=$(now_us); timeout 60 pdftotext -enc UTF-8 "$1" "$2" 2>/dev/null || true
    runs+=($(( $(now_us) - start )))
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n 2p
}
printf '%%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 4 0 R /Resources << /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >> >> endobj\n4 0 obj << /Length 36 >> stream\nBT /F1 12 Tf 20 100 Td (one) Tj ET\nendstream endobj\ntrailer << /Root 1 0 R >>\n%%%%EOF\n' > "$work/one.pdf"
startup=$(median_us "$work/one.pdf" "$work/one.txt")
: > "$work/times.txt"
for pdf in "$pdfs"/*.pdf; do
  name=$(basename "$pdf" .pdf)
  echo "$name.pdf $(median_us "$pdf" "$work/ref/$name.txt")" >> "$work/times.txt"
done
python3 - "$work/tavik.txt" "$work/times.txt" "$out" "$work/ref" "$startup" <<'PY'
import collections, os, sys, unicodedata
tavik, times, out, ref, startup = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5])
def tokens(path):
    if not os.path.exists(path): return []
    text = open(path, encoding="utf-8-sig", errors="replace").read()
    return unicodedata.normalize("NFKC", text).split()
def split_and_glued(ours, theirs):
    known = set(theirs)
    split = sum(1 for a, b in zip(ours, ours[1:]) if a not in known and a + b in known)
    pairs = set(a + b for a, b in zip(theirs, theirs[1:]))
    glued = sum(1 for w in ours if w not in known and w in pairs)
    return split, glued
ref_us = dict(line.split() for line in open(times))
groups = collections.defaultdict(lambda: collections.Counter())
print(f"pdftotext start-up (one-word PDF): {startup/1000:.2f} ms, taken off its times")
print(f"{'file':34} {'tavik_ms':>9} {'ptt_net':>8} {'ratio':>6} {'words':>7} {'ref':>7} {'recall':>6} {'prec':>6} {'split':>5} {'glued':>5} {'pairs':>6}  note")
for line in open(tavik):
    kind, name, *rest = line.split()
    if kind == "TOTAL": continue
    fields = dict(f.split("=", 1) for f in rest if "=" in f)
    ms = float(fields["ms"])
    stem = name[:-4]
    ours, theirs = tokens(os.path.join(out, stem + ".txt")), tokens(os.path.join(ref, stem + ".txt"))
    cut = "cut" in rest
    if cut: theirs = theirs[:len(ours)]  # the compared prefix
    common = sum((collections.Counter(ours) & collections.Counter(theirs)).values())
    recall = common / max(1, len(theirs))
    precision = common / max(1, len(ours))
    split, glued = split_and_glued(ours, theirs)
    pair = lambda t: collections.Counter(zip(t, t[1:]))
    pairs = sum((pair(ours) & pair(theirs)).values()) / max(1, len(theirs) - 1)
    net = max(0.001, int(ref_us.get(name, 0)) / 1000 - startup / 1000)
    note = fields.get("reason", "") if kind == "REFUSED" else ("cut at the limit: prefix compared" if cut else "")
    print(f"{name[:34]:34} {ms:9.2f} {net:8.2f} {ms/net:6.2f} {len(ours):7} {len(theirs):7} {recall:6.3f} {precision:6.3f} {split:5} {glued:5} {pairs:6.3f}  {note}")
    g = groups[name.split("_")[0] if "_" in name else "other"]
    g.update(files=1, common=common, ref=len(theirs), ours=len(ours), split=split, glued=glued,
             ms=ms, net=net)
print()
for producer, g in sorted(groups.items()):
    print(f"{producer:9} files={g['files']} recall={g['common']/max(1,g['ref']):.3f} "
          f"precision={g['common']/max(1,g['ours']):.3f} split={g['split']} glued={g['glued']} "
          f"tavik_ms={g['ms']:.2f} pdftotext_net_ms={g['net']:.2f} ratio={g['ms']/max(0.001,g['net']):.3f}")
PY
