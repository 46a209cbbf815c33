#!/usr/bin/env python3
# The translation service of the look-up test, on 127.0.0.1 and a free port
# (written to the given file once it listens). It answers the translate path:
# q=hund gives "dog", q=katze a reply without its key, q=maus a reply cut
# before its "}", q=schnecke nothing within the test's time-out; q=dog gives
# "Hund".
import os, sys, time
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import urllib.parse
from test_server import QuietHandler, serve

REPLIES = {
    "dog": b'{"responseData": {"translatedText":"Hund"}, "responseStatus": 200}',
    "hund": b'{"responseData": {"translatedText":"dog"}, "responseStatus": 200}',
    "das haus": b'{"responseData": {"translatedText":"the \\u0022house\\u0022"}, "responseStatus": 200}',
    "katze": b'{"responseData": {"text":"cat"}, "responseStatus": 200}',
    "maus": b'{"responseData": {"translatedText":"mouse"',
}

class Handler(QuietHandler):
    def do_GET(self):
        url = urllib.parse.urlparse(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path != "/ajax/services/language/translate" or query.get("v") != ["1.0"]:
            self.send_error(404)
            return
        q = query.get("q", [""])[0]
        if q == "schnecke":
            time.sleep(6)
            return
        body = REPLIES.get(q, b'{"responseData": {"translatedText":"' + q.encode() + b'"}}')
        if query.get("langpair") not in (["de|en"], ["en|de"]):
            body = b'{"error": "langpair"}'
        self.send_body(body, "application/json")

serve(Handler, sys.argv[1])
