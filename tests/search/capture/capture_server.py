#!/usr/bin/env python3
# The web server of the capture test, on 127.0.0.1 and a free port, which it
# writes to the given file once it listens: /article.html is a page with
# links, /missing answers 404, /slow never answers within the test's time-out.
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

class Handler(QuietHandler):
    def do_GET(self):
        if self.path == "/article.html":
            self.send_body(ARTICLE, "text/html; charset=utf-8")
        elif self.path == "/slow":
            time.sleep(8)
        else:
            self.send_error(404)

serve(Handler, sys.argv[1])
