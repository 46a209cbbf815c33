# The scaffolding of the tests' web servers: serves a handler class on
# 127.0.0.1 and a free port, written to the given file once it listens. A
# server left behind by a test that was killed stops by itself.
import http.server
import threading

LIFETIME_SECONDS = 900


class QuietHandler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def send_body(self, body, content_type):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def serve(handler, port_file):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    with open(port_file, "w") as f:
        f.write(str(server.server_address[1]))
    stop = threading.Timer(LIFETIME_SECONDS, server.shutdown)
    stop.daemon = True
    stop.start()
    server.serve_forever()
