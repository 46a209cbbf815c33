#!/bin/bash
# Gathers the page corpus of the web cleaning benchmark into a folder: HTML
# documentation that Debian packages ship, by generator (Sphinx, DocBook,
# Texinfo, Doxygen, gtk-doc, LaTeX2HTML, groff, hand-written) and pages made
# here from manual pages by man2html, each named <generator>_<name>.html. The
# packages are downloaded, never installed; man2html is installed when missing.
#   bench/web_corpus.sh <folder>
set -euo pipefail
folder=$(mkdir -p "$1" && cd "$1" && pwd)
. "$(dirname "$0")/bench_tools.sh"
install_missing_tools man2html:man2html-base
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# package  path inside it  generator
files=(
  "python-jinja2-doc usr/share/doc/python-jinja2-doc/html/intro.html sphinx"
  "python-jinja2-doc usr/share/doc/python-jinja2-doc/html/templates.html sphinx"
  "python-jinja2-doc usr/share/doc/python-jinja2-doc/html/faq.html sphinx"
  "python-babel-doc usr/share/doc/python-babel-doc/html/dates.html sphinx"
  "python-babel-doc usr/share/doc/python-babel-doc/html/api/numbers.html sphinx"
  "ghostscript-doc usr/share/doc/ghostscript/html/Use.html sphinx"
  "debian-reference-en usr/share/debian-reference/ch01.en.html docbook"
  "debian-reference-en usr/share/debian-reference/index.en.html docbook"
  "libpam-doc usr/share/doc/libpam-doc/html/sag-overview.html docbook"
  "libpam-doc usr/share/doc/libpam-doc/html/Linux-PAM_SAG.html docbook"
  "r-doc-html usr/share/R/doc/manual/R-intro.html texinfo"
  "r-doc-html usr/share/R/doc/manual/R-FAQ.html texinfo"
  "bash-doc usr/share/doc/bash-doc/bashref.html texinfo"
  "libjsoncpp-doc usr/share/doc/libjsoncpp-doc/class_json_1_1_value.html doxygen"
  "libjsoncpp-doc usr/share/doc/libjsoncpp-doc/namespace_json.html doxygen"
  "libjsoncpp-doc usr/share/doc/libjsoncpp-doc/index.html doxygen"
  "libatk1.0-doc usr/share/gtk-doc/html/atk/AtkObject.html gtkdoc"
  "libatk1.0-doc usr/share/gtk-doc/html/atk/index.html gtkdoc"
  "libnotify-doc usr/share/gtk-doc/html/libnotify/libnotify-notify.html gtkdoc"
  "gnuplot-doc usr/share/doc/gnuplot/htmldocs/figures.html latex2html"
  "gnuplot-doc usr/share/doc/gnuplot/htmldocs/node134.html latex2html"
  "gnuplot-doc usr/share/doc/gnuplot/htmldocs/node31.html latex2html"
  "groff usr/share/doc/groff-base/examples/webpage.html groff"
  "groff usr/share/doc/groff-base/html/pic.html groff"
  "groff usr/share/doc/groff-base/html/pic-4.html groff"
  "bash-doc usr/share/doc/bash-doc/examples/INDEX.html hand"
  "libnotify-doc usr/share/doc/libnotify/spec/notification-spec.html hand"
)
unpack_debian_packages "$work" "${files[@]}"
for entry in "${files[@]}"; do
  read -r package path generator <<<"$entry"
  # A page compressed by the package is read unpacked.
  for found in "$work/x/$path" "$work/x/$path.gz"; do
    [ -f "$found" ] || continue
    stem=$(basename "$path" .html)
    zcat -f "$found" > "$folder/${generator}_${stem%.en}.html"
    break
  done
done
for page in ls grep tar find; do
  source=$(man -w "$page" 2>/dev/null || true)
  [ -n "$source" ] || continue
  zcat -f "$source" | man2html -r 2>/dev/null | sed '1,/^$/d' > "$folder/man2html_$page.html" || true
done
ls "$folder"
