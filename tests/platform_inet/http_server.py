"""A small HTTP server for the Internet client tests.

Usage: http_server.py [CERTFILE KEYFILE]
With a certificate and key it speaks HTTPS. Listens on 127.0.0.1 and a free port, prints the port on the first line of
standard output and runs until it is terminated. Paths:
  /bytes?size=N    N bytes, byte i being i % 251, sent in pieces
  /echo            the request line, the headers and the body, as text
  /stall           promises 1000 bytes, sends 10, then goes quiet
  /moved           a 302 reply pointing at /echo
  /empty           closes the connection without a reply
"""
import ssl
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlparse

PATTERN = bytes(i % 251 for i in range(251 * 1024))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        self.route()

    def do_POST(self):
        self.route()

    def route(self):
        url = urlparse(self.path)
        if url.path == "/bytes":
            self.send_bytes(int(parse_qs(url.query)["size"][0]))
        elif url.path == "/echo":
            self.send_echo()
        elif url.path == "/stall":
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.wfile.write(b"x" * 10)
            self.wfile.flush()
            time.sleep(30)
        elif url.path == "/empty":
            self.close_connection = True
        elif url.path == "/moved":
            self.send_response(302)
            self.send_header("Location", "/echo")
            self.send_header("Content-Length", "5")
            self.end_headers()
            self.wfile.write(b"moved")
        else:
            self.send_error(404)

    def send_bytes(self, size):
        self.send_response(200)
        self.send_header("Content-Length", str(size))
        self.end_headers()
        sent = 0
        while sent < size:
            piece = PATTERN[: min(len(PATTERN), size - sent)]
            self.wfile.write(piece)
            sent += len(piece)

    def send_echo(self):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length) if length else b""
        text = self.requestline.encode() + b"\n" + bytes(self.headers) + body
        self.send_response(200)
        self.send_header("Content-Length", str(len(text)))
        self.end_headers()
        self.wfile.write(text)


def main():
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if len(sys.argv) == 3:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(sys.argv[1], sys.argv[2])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
