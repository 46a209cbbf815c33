#!/bin/bash
# Gathers the PDF corpus of the text benchmark into a folder: manuals that
# Debian's documentation packages ship (pdfTeX from several projects,
# ReportLab, Ghostscript; TeX Live's documentation in Cyrillic, Greek, Chinese,
# Japanese and Korean from pdfTeX, LuaTeX, XeTeX, dvipdfmx and Ghostscript)
# and pages made here from manual pages by groff
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
  # Other scripts: Cyrillic, Greek (monotonic and polytonic), Chinese, Japanese, Korean
  "texlive-lang-cyrillic usr/share/doc/texlive-doc/texlive/texlive-ru/texlive-ru.pdf pdftex"
  "texlive-lang-cyrillic usr/share/doc/texlive-doc/texlive/texlive-sr/texlive-sr.pdf luatex"
  "texlive-lang-cyrillic usr/share/doc/texlive-doc/latex/churchslavonic/churchslavonic-ru.pdf xetex"
  "texlive-lang-cyrillic usr/share/doc/texlive-doc/latex/pst-eucl-translation-bg/pst-eucl-docBG.pdf gs"
  "texlive-lang-greek usr/share/doc/texlive-doc/generic/elhyphen/modern.pdf pdftex"
  "texlive-lang-greek usr/share/doc/texlive-doc/latex/greektonoi/greektonoi.pdf dvipdfmx"
  "texlive-lang-greek usr/share/doc/texlive-doc/generic/babel-greek/test-greeknumeral.pdf xetex"
  "texlive-lang-chinese usr/share/doc/texlive-doc/texlive/texlive-zh-cn/texlive-zh-cn.pdf xetex"
  "texlive-lang-japanese usr/share/doc/texlive-doc/texlive/texlive-ja/texlive-ja.pdf dvipdfmx"
  "texlive-lang-japanese usr/share/doc/texlive-doc/luatex/luatexja/luatexja-ruby.pdf luatex"
  "texlive-lang-japanese usr/share/doc/texlive-doc/ptex/ptex-manual/eptex_resume.pdf gs"
  "texlive-lang-korean usr/share/doc/texlive-doc/latex/lshort-korean/lshort-ko.pdf dvipdfmx"
  "debian-reference-ja usr/share/debian-reference/debian-reference.ja.pdf dvipdfmx"
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
