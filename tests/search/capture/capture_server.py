#!/usr/bin/env python3
# The web server of the capture test, on 127.0.0.1 and a free port, which it
# writes to the given file once it listens: /article.html is a page with
# links, /missing answers 404, /slow never answers within the test's time-out;
# /cp1252.html, /latin2.html and /utf16.html are pages in other encodings
# (named by the HTTP header, by a meta tag, by a byte-order mark).
import os, sys, time
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from test_server import QuietHandler, serve

PARAGRAPH = ("The notebook keeps every note in one file and links notes to pages, files and pictures alike. " * 4)
ARTICLE = ("<html><head><title>Bean guide</title></head><body>"
           "<div class='menu'><a href='/'>Home</a> <a href='/shop'>Shop</a></div>"
           "<div class='story'><h1>Growing beans</h1><p>" + PARAGRAPH +
           " Buy seeds in the <a href='/seeds/list.html'>Seed shop</a> or read the"
           " <a href='https://example.org/beans/guide'>bean guide</a>.</p><p>" + PARAGRAPH + "</p></div>"
           "</body></html>").encode("utf-8")

def Page(title, text):
    return ("<html><head>%s<title>" + title + "</title></head><body><p>" + text + "</p></body></html>")

CP1252 = Page("Caf\u00e9", "\u201cQuoted\u201d caf\u00e9 for \u20ac5 " + PARAGRAPH) % ""
LATIN2 = Page("Zupa", "Zupa \u017curek z \u0105 i \u015b " + PARAGRAPH) % "<meta charset='iso-8859-2'>"
UTF16 = Page("Gr\u00fc\u00dfe", "Gr\u00fc\u00dfe aus K\u00f6ln " + PARAGRAPH) % ""

class Handler(QuietHandler):
    def do_GET(self):
        if self.path == "/article.html":
            self.send_body(ARTICLE, "text/html; charset=utf-8")
        elif self.path == "/cp1252.html":
            self.send_body(CP1252.encode("cp1252"), "text/html; charset=windows-1252")
        elif self.path == "/latin2.html":
            self.send_body(LATIN2.encode("iso-8859-2"), "text/html")
        elif self.path == "/utf16.html":
            self.send_body(b"\xff\xfe" + UTF16.encode("utf-16-le"), "text/html")
        elif self.path == "/slow":
            time.sleep(8)
        else:
            self.send_error(404)

serve(Handler, sys.argv[1])
