#!/bin/bash
# Gathers the PDF corpus of the text benchmark into a folder: manuals that
# Debian's documentation packages ship (pdfTeX from several projects,
# ReportLab, Ghostscript) and pages made here from manual pages by groff
# (its own PDF writer) and by Ghostscript (groff's PostScript through ps2pdf),
# each named <producer>_<name>.pdf. The packages are downloaded, never
# installed; the tools are installed when missing.
#   bench/pdf_corpus.sh <folder>
set -euo pipefail
folder=$(mkdir -p "$1" && cd "$1" && pwd)
. "$(dirname "$0")/bench_tools.sh"
install_missing_tools gropdf:groff ps2pdf:ghostscript
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# package  path inside it  producer
files=(
  "r-doc-pdf usr/share/R/doc/manual/R-intro.pdf pdftex"
  "r-doc-pdf usr/share/R/doc/manual/R-FAQ.pdf pdftex"
  "gnuplot-doc usr/share/doc/gnuplot/gnuplot.pdf pdftex"
  "octave-doc usr/share/doc/octave/refcard-a4.pdf pdftex"
  "octave-doc usr/share/doc/octave/liboctave.pdf pdftex"
  "pari-doc usr/share/pari/doc/tutorial.pdf pdftex"
  "pari-doc usr/share/pari/doc/refcard.pdf pdftex"
  "asymptote-doc usr/share/doc/asymptote/asymptote.pdf pdftex"
  "asymptote-doc usr/share/doc/asymptote/CAD.pdf pdftex"
  "ghostscript-doc usr/share/doc/ghostscript/GS9_Color_Management.pdf pdftex"
  "python-reportlab-doc usr/share/doc/python-reportlab-doc/reportlab-userguide.pdf reportlab"
  "libtasn1-doc usr/share/doc/libtasn1-doc/libtasn1.pdf pdftex"
  "shared-mime-info usr/share/doc/shared-mime-info/shared-mime-info-spec.pdf pdftex"
)
unpack_debian_packages "$work" "${files[@]}"
for entry in "${files[@]}"; do
  read -r package path producer <<<"$entry"
  [ -f "$work/x/$path" ] && cp "$work/x/$path" "$folder/${producer}_$(basename "$path")"
done
for page in ls grep tar find bash; do
  source=$(man -w "$page" 2>/dev/null || true)
  [ -n "$source" ] || continue
  zcat -f "$source" | groff -man -Tpdf > "$folder/groff_$page.pdf" 2>/dev/null || true
  zcat -f "$source" | groff -man -Tps 2>/dev/null | ps2pdf - "$folder/gs_$page.pdf" 2>/dev/null || true
done
ls "$folder"
