#!/usr/bin/env python3
# Writes the sample pages of the web cleaning benchmark into a folder:
# articles with a menu, side bar and comments, a home page of teasers, a
# forum thread, an entity-heavy page and a large page, from seeded pseudo-English.
#   web_clean_samples.py <folder>
import os, random, sys

WORDS = ("note page link file picture search garden bean season water soil seed harvest weather village market "
         "river bridge story letter morning evening friend family school music light window table paper "
         "the a of and to in is it that for on with as by at from this be are was were will would can").split()

def sentence(rng):
    words = [rng.choice(WORDS) for _ in range(rng.randint(8, 18))]
    return " ".join(words).capitalize() + "."

def para(rng, n):
    return "<p>" + " ".join(sentence(rng) for _ in range(n)) + "</p>\n"

def menu(rng):
    return "<div class='menu'><ul>" + "".join("<li><a href='/%s'>%s</a></li>" % (w, w.title())
                                              for w in rng.sample(WORDS, 10)) + "</ul></div>\n"

def article(rng, paragraphs):
    out = ["<html><head><title>%s</title><style>body{font:12px}</style><script>var a=1;</script></head><body>"
           % sentence(rng)[:40], menu(rng), "<div class='story'><h1>%s</h1>" % sentence(rng)[:50]]
    for i in range(paragraphs):
        out.append(para(rng, rng.randint(3, 7)))
        if i % 4 == 3:
            out.append("<h2>%s</h2>" % sentence(rng)[:30])
            out.append("<p>See <a href='../more/%d.html'>more %s</a> and <a href='https://example.net/%d'>the source</a>.</p>"
                       % (i, rng.choice(WORDS), i))
    out.append("</div><div class='side'>" + "".join("<a href='/t/%d'>%s</a><br>" % (i, rng.choice(WORDS)) for i in range(20)))
    out.append("</div><div class='comments'>" + "".join(para(rng, 1) for _ in range(5)) + "</div></body></html>")
    return "".join(out)

def home(rng):
    out = ["<html><head><title>Home</title></head><body>", menu(rng)]
    for i in range(30):
        out.append("<div class='teaser'><h3><a href='/story/%d'>%s</a></h3><p>%s</p></div>" % (i, sentence(rng)[:40], sentence(rng)))
    return "".join(out) + "</body></html>"

def forum(rng):
    out = ["<html><head><title>Thread</title></head><body><table>"]
    for i in range(60):
        out.append("<tr><td class='user'><a href='/user/%d'>user%d</a></td><td>%s</td></tr>" % (i, i, " ".join(sentence(rng) for _ in range(rng.randint(1, 4)))))
    return "".join(out) + "</table></body></html>"

def entities(rng):
    body = "".join("<p>%s &eacute;&amp;&lt;&#8364;&#128512;&nbsp;&mdash; %s</p>" % (sentence(rng), sentence(rng)) for _ in range(80))
    return "<html><head><title>Entities &amp; more</title></head><body><h1>Entities</h1>%s</body></html>" % body

folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)
rng = random.Random(23)
pages = {"article_short": article(rng, 4), "article_long": article(rng, 40), "home": home(rng),
         "forum": forum(rng), "entities": entities(rng), "large": article(rng, 1500)}
for name, html in pages.items():
    with open(os.path.join(folder, name + ".html"), "w", encoding="utf-8") as f:
        f.write(html)
