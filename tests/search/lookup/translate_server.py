#!/usr/bin/env python3
# The translation service of the look-up test, on 127.0.0.1 and a free port
# (written to the given file once it listens). It answers the translate path:
# q=hund gives "dog", q=katze a reply without its key, q=maus a reply cut
# before its "}", q=schnecke nothing within the test's time-out.
import http.server, sys, time, urllib.parse

REPLIES = {
    "hund": b'{"responseData": {"translatedText":"dog"}, "responseStatus": 200}',
    "das haus": b'{"responseData": {"translatedText":"the \\u0022house\\u0022"}, "responseStatus": 200}',
    "katze": b'{"responseData": {"text":"cat"}, "responseStatus": 200}',
    "maus": b'{"responseData": {"translatedText":"mouse"',
}

class Handler(http.server.BaseHTTPRequestHandler):
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
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass

server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
with open(sys.argv[1], "w") as f:
    f.write(str(server.server_address[1]))
server.serve_forever()
