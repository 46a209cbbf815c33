#!/bin/bash
# PDF text extraction beside pdftotext, side by side, in rounds (3 unless
# told): each round extracts every PDF's text with Tavik
# (bench/pdf_text_bench.exe, timed inside the program) and then with pdftotext
# (one run each, cut off after 60 s, less the round's run time of pdftotext
# on a one-word PDF, so that both sides count the extraction alone). Times
# are medians over the rounds with their minimum and maximum; the ratio is
# Tavik's median over pdftotext's. The words of the first round are compared:
# recall is the share of pdftotext's words that Tavik also found, precision
# the share of Tavik's words that pdftotext also found (words as
# blank-separated tokens, NFKC-normalised, invisible format characters such as
# the zero-width non-joiner left out, counted as multisets). A text Tavik cut
# at its size limit, or a file it read only to its reading limit (5,000,000
# bytes: fonts written past it cannot be read), is compared with as many of
# pdftotext's first words. "split" counts Tavik's words that are a piece of a
# pdftotext word (its next word completes it), "glued" Tavik's words that are
# two of pdftotext's run together; "pairs" is the recall of neighbouring word
# pairs (reading order). bench/pdf_corpus.sh gathers a corpus from Debian's
# packages; without a folder, sample documents are made with Ghostscript,
# pdfTeX and LibreOffice. The tools are installed here when missing (never by
# the build).
#   bench/pdf_text_bench.sh [build dir] [pdf folder] [output folder] [rounds]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${4:-3}
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
now_us() { echo $(( $(date +%s%N) / 1000 )); }
time_pdftotext() {  # microseconds of one run of pdftotext, cut off after 60 s
  local start
  start=$(now_us); timeout 60 pdftotext -enc UTF-8 "$1" "$2" 2>/dev/null || true
  echo $(( $(now_us) - start ))
}
printf '%%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 4 0 R /Resources << /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >> >> endobj\n4 0 obj << /Length 36 >> stream\nBT /F1 12 Tf 20 100 Td (one) Tj ET\nendstream endobj\ntrailer << /Root 1 0 R >>\n%%%%EOF\n' > "$work/one.pdf"
: > "$work/times.txt"
for round in $(seq "$rounds"); do
  "$build/wine-run.sh" "$build/bench/pdf_text_bench.exe" "$(winpath "$pdfs")" "$(winpath "$out")" > "$work/tavik.$round.txt"
  echo "startup $round $(time_pdftotext "$work/one.pdf" "$work/one.txt")" >> "$work/times.txt"
  for pdf in "$pdfs"/*.pdf; do
    name=$(basename "$pdf" .pdf)
    echo "$name.pdf $round $(time_pdftotext "$pdf" "$work/ref/$name.txt")" >> "$work/times.txt"
  done
done
python3 - "$work" "$rounds" "$out" "$work/ref" <<'PY'
import collections, os, statistics, sys, unicodedata
work, rounds, out, ref = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
def tokens(path):
    if not os.path.exists(path): return []
    text = unicodedata.normalize("NFKC", open(path, encoding="utf-8-sig", errors="replace").read())
    return "".join(ch for ch in text if unicodedata.category(ch) != "Cf").split()
def split_and_glued(ours, theirs):
    known = set(theirs)
    split = sum(1 for a, b in zip(ours, ours[1:]) if a not in known and a + b in known)
    pairs = set(a + b for a, b in zip(theirs, theirs[1:]))
    glued = sum(1 for w in ours if w not in known and w in pairs)
    return split, glued
def spread(values):  # "median [min-max]"
    return f"{statistics.median(values):.2f} [{min(values):.2f}-{max(values):.2f}]"
ptt = collections.defaultdict(dict)
for line in open(os.path.join(work, "times.txt")):
    name, rnd, us = line.split()
    ptt[name][int(rnd)] = int(us) / 1000
tavik_ms = collections.defaultdict(list)
first = {}
for rnd in range(1, rounds + 1):
    for line in open(os.path.join(work, f"tavik.{rnd}.txt")):
        kind, name, *rest = line.split()
        if kind == "TOTAL": continue
        fields = dict(f.split("=", 1) for f in rest if "=" in f)
        tavik_ms[name].append(float(fields["ms"]))
        if rnd == 1: first[name] = (kind, rest, fields)
startup = ptt["startup"]
print(f"{rounds} rounds; pdftotext start-up (one-word PDF): {spread(list(startup.values()))} ms, taken off its times (per round)")
print(f"{'file':34} {'tavik_ms':>22} {'pdftotext_net_ms':>24} {'ratio':>6} {'words':>6} {'ref':>6} {'recall':>6} {'prec':>6} {'split':>5} {'glued':>5} {'pairs':>6}  note")
groups = collections.defaultdict(lambda: collections.defaultdict(list))
worst = []
for name, (kind, rest, fields) in sorted(first.items()):
    stem = name[:-4]
    ours, theirs = tokens(os.path.join(out, stem + ".txt")), tokens(os.path.join(ref, stem + ".txt"))
    cut, filecut = "cut" in rest, "filecut" in rest
    if cut or filecut: theirs = theirs[:len(ours)]  # the compared prefix
    common = sum((collections.Counter(ours) & collections.Counter(theirs)).values())
    recall = common / max(1, len(theirs))
    precision = common / max(1, len(ours))
    split, glued = split_and_glued(ours, theirs)
    pair = lambda t: collections.Counter(zip(t, t[1:]))
    pairs = sum((pair(ours) & pair(theirs)).values()) / max(1, len(theirs) - 1)
    net = [max(0.001, ptt[name][r] - startup[r]) for r in sorted(ptt[name])]
    ms = tavik_ms[name]
    ratio = statistics.median(ms) / statistics.median(net)
    notes = []
    if kind == "REFUSED": notes.append(fields.get("reason", ""))
    if filecut: notes.append("read to the reading limit (fonts past it unknown): prefix compared")
    elif cut: notes.append("text cut at its limit: prefix compared")
    print(f"{name[:34]:34} {spread(ms):>22} {spread(net):>24} {ratio:6.2f} {len(ours):6} {len(theirs):6} {recall:6.3f} {precision:6.3f} {split:5} {glued:5} {pairs:6.3f}  {'; '.join(notes)}")
    g = groups[name.split("_")[0] if "_" in name else "other"]
    for key, value in (("common", common), ("ref", len(theirs)), ("ours", len(ours)), ("split", split),
                       ("glued", glued), ("ratio", ratio), ("ms", statistics.median(ms)),
                       ("net", statistics.median(net))):
        g[key].append(value)
    if theirs: worst.append((min(recall, precision), name))
print()
print("per producer: words summed over its files; times: the files' medians summed, and the per-file ratios median [min-max]")
for producer, g in sorted(groups.items()):
    print(f"{producer:9} files={len(g['ms'])} recall={sum(g['common'])/max(1,sum(g['ref'])):.3f} "
          f"precision={sum(g['common'])/max(1,sum(g['ours'])):.3f} split={sum(g['split'])} glued={sum(g['glued'])} "
          f"tavik_ms={sum(g['ms']):.2f} pdftotext_net_ms={sum(g['net']):.2f} ratio={spread(g['ratio'])}")
if worst:
    low, name = min(worst)
    print(f"lowest of recall and precision over the files with text: {low:.3f} ({name})")
PY
