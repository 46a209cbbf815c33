#!/usr/bin/env python3
# Writes the sample documents of the PDF benchmark into a folder: PostScript
# for Ghostscript (lines shown whole, and words placed one by one), LaTeX for
# pdfTeX and HTML for LibreOffice, each a few pages of seeded pseudo-English
# with headings, accented words and a table.
#   pdf_text_samples.py <folder>
import os, random, sys

WORDS = ("time person year way day thing man world life hand part child eye woman place work week case point "
         "government company number group problem fact be have do say get make go know take see come think look "
         "want give use find tell ask seem feel try leave call good new first last long great little own other old "
         "right big high different small large next early young important few public bad same able to of in for "
         "on with at by from up about into over after beneath under above the and a that I it not he as you this "
         "but his they her she or an will my one all would there their what so out if who which go me when can "
         "like no just him people your some could them than then now only its also back two how our well even "
         "because any these most us notebook linking preview extraction library document paragraph sentence").split()
ACCENTED = ["café", "naïve", "résumé", "Zürich", "façade", "jalapeño", "déjà", "Ångström", "coöperate", "über"]

def sentence(rng):
    n = rng.randint(6, 16)
    words = [rng.choice(WORDS) for _ in range(n)]
    if rng.random() < 0.3:
        words[rng.randrange(n)] = rng.choice(ACCENTED)
    words[0] = words[0].capitalize()
    return " ".join(words) + rng.choice([".", ".", ".", "?", "!"])

def paragraphs(rng, count):
    return [" ".join(sentence(rng) for _ in range(rng.randint(3, 7))) for _ in range(count)]

def ps_escape(text):
    out = []
    for ch in text:
        if ch in "()\\": out.append("\\" + ch)
        elif ord(ch) > 126: out.append("\\%03o" % ord(ch))
        else: out.append(ch)
    return "".join(out)

def wrap(text, width):
    lines, line = [], ""
    for word in text.split():
        if line and len(line) + 1 + len(word) > width:
            lines.append(line); line = word
        else:
            line = (line + " " + word) if line else word
    if line: lines.append(line)
    return lines

def write_ps(path, rng, pages, word_by_word):
    head = ("%!PS-Adobe-3.0\n/Times-Roman findfont dup length dict begin {1 index /FID ne {def} {pop pop} ifelse} forall "
            "/Encoding ISOLatin1Encoding def currentdict end /TR exch definefont pop\n"
            "/Helvetica-Bold findfont 16 scalefont /HB exch def\n")
    body = []
    for page in range(pages):
        body.append("HB setfont 72 740 moveto (Chapter %d %s) show\n" % (page + 1, ps_escape(rng.choice(WORDS))))
        body.append("/TR findfont 11 scalefont setfont\n")
        y = 710
        for para in paragraphs(rng, 6):
            for line in wrap(para, 80):
                if word_by_word:
                    x = 72
                    for word in line.split():
                        body.append("%d %d moveto (%s) show\n" % (x, y, ps_escape(word)))
                        x += int(len(word) * 5.5 + 4)
                else:
                    body.append("72 %d moveto (%s) show\n" % (y, ps_escape(line)))
                y -= 14
            y -= 8
            if y < 80: break
        body.append("showpage\n")
    open(path, "w", encoding="latin-1").write(head + "".join(body))

TEX_ACCENTS = {"é": "\\'e", "ï": '\\"i', "ü": '\\"u', "ç": "\\c{c}", "ñ": "\\~n", "à": "\\`a", "Å": "\\AA{}",
               "ö": '\\"o', "Ü": '\\"U'}

def tex_escape(text):
    return "".join(TEX_ACCENTS.get(ch, ch) for ch in text)

def write_tex(path, rng, sections):
    out = ["\\documentclass{article}\n\\begin{document}\n"]
    for s in range(sections):
        out.append("\\section{%s %s}\n" % (rng.choice(WORDS).capitalize(), rng.choice(WORDS)))
        for para in paragraphs(rng, 5):
            out.append(tex_escape(para) + "\n\n")
        out.append("\\begin{itemize}\n" + "".join("\\item %s\n" % tex_escape(sentence(rng)) for _ in range(3)) +
                   "\\end{itemize}\n")
    out.append("\\end{document}\n")
    open(path, "w", encoding="ascii").write("".join(out))

def write_html(path, rng, sections):
    out = ["<html><head><meta charset='utf-8'><title>Sample</title></head><body>"]
    for s in range(sections):
        out.append("<h1>%s %s</h1>" % (rng.choice(WORDS).capitalize(), rng.choice(WORDS)))
        for para in paragraphs(rng, 4):
            out.append("<p>%s</p>" % para)
        out.append("<ul>" + "".join("<li>%s</li>" % sentence(rng) for _ in range(3)) + "</ul>")
        out.append("<table border='1'>" + "".join(
            "<tr>" + "".join("<td>%s</td>" % rng.choice(WORDS) for _ in range(4)) + "</tr>" for _ in range(3)) +
            "</table>")
        out.append("<p><b>%s</b> %s <i>%s</i></p>" % (sentence(rng), sentence(rng), sentence(rng)))
    out.append("</body></html>")
    open(path, "w", encoding="utf-8").write("".join(out))

folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)
rng = random.Random(19)
for i, pages in enumerate([1, 4, 12]):
    write_ps(os.path.join(folder, "lines%d.ps" % i), rng, pages, False)
    write_ps(os.path.join(folder, "words%d.ps" % i), rng, pages, True)
    write_tex(os.path.join(folder, "article%d.tex" % i), rng, [1, 4, 12][i])
    write_html(os.path.join(folder, "page%d.html" % i), rng, [1, 4, 12][i])
