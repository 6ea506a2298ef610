"""HTTP on the wire: reading requests as they arrive and writing replies,
with the transport faults (cuts, resets, stalls, trickles, endless bodies).

Written by hand rather than on http.server so that the raw request bytes can
be kept and a reply can be broken at any byte.
"""
import socket
import struct
import time
import urllib.parse

HEAD_LIMIT = 64 * 1024
BODY_LIMIT = 256 * 1024 * 1024
BLOCK = 64 * 1024


class BadRequest(Exception):
    pass


class Request:
    def __init__(self, method, target, version, headers):
        self.method = method
        self.target = target
        self.version = version
        self.headers = headers
        self.body = b""
        self.raw = b""
        path, _, self.raw_query = target.partition("?")
        self.path = urllib.parse.unquote(path)
        self.query = decode_query(self.raw_query)

    def header(self, name, default=""):
        for key, value in self.headers:
            if key.lower() == name.lower():
                return value
        return default

    def keep_alive(self):
        token = self.header("Connection").lower()
        if self.version == "HTTP/1.0":
            return token == "keep-alive"
        return token != "close"


def decode_query(raw_query):
    """Query values with %XX decoded ("+" stays a plus: the client never
    encodes, and "+" is a legal character of a file name)."""
    values = {}
    for item in raw_query.split("&"):
        if not item:
            continue
        key, _, value = item.partition("=")
        values[_unquote(key)] = _unquote(value)
    return values


def _unquote(text):
    raw = urllib.parse.unquote_to_bytes(text)
    try:
        return raw.decode("utf-8")
    except UnicodeDecodeError:
        return raw.decode("cp1252", errors="replace")


class Connection:
    """A client connection with its unread bytes."""

    def __init__(self, sock):
        self.sock = sock
        self.buf = b""

    def _fill(self):
        data = self.sock.recv(BLOCK)
        if not data:
            raise EOFError
        self.buf += data

    def _take(self, count):
        while len(self.buf) < count:
            self._fill()
        data, self.buf = self.buf[:count], self.buf[count:]
        return data

    def _take_line(self):
        while b"\r\n" not in self.buf:
            if len(self.buf) > HEAD_LIMIT:
                raise BadRequest("line too long")
            self._fill()
        line, _, self.buf = self.buf.partition(b"\r\n")
        return line + b"\r\n"

    def read_request(self):
        """The next request, or None when the client closed the connection."""
        try:
            while b"\r\n\r\n" not in self.buf:
                if len(self.buf) > HEAD_LIMIT:
                    raise BadRequest("header too long")
                self._fill()
        except EOFError:
            if self.buf.strip():
                raise BadRequest("connection closed inside the header")
            return None
        head, _, self.buf = self.buf.partition(b"\r\n\r\n")
        request = parse_head(head.decode("latin-1"))
        raw_body, request.body = self._read_body(request)
        request.raw = head + b"\r\n\r\n" + raw_body
        return request

    def _read_body(self, request):
        if request.version == "HTTP/1.1" and request.header("Expect").lower() == "100-continue":
            self.sock.sendall(b"HTTP/1.1 100 Continue\r\n\r\n")
        if "chunked" in request.header("Transfer-Encoding").lower():
            return self._read_chunked()
        length = request.header("Content-Length", "0").strip() or "0"
        if not length.isdigit() or int(length) > BODY_LIMIT:
            raise BadRequest("bad Content-Length")
        data = self._take(int(length))
        return data, data

    def _read_chunked(self):
        raw, body = b"", b""
        while True:
            line = self._take_line()
            raw += line
            size = int(line.split(b";")[0].strip() or b"0", 16)
            if size == 0:
                while True:
                    trailer = self._take_line()
                    raw += trailer
                    if trailer == b"\r\n":
                        return raw, body
            chunk = self._take(size + 2)
            raw += chunk
            body += chunk[:-2]
            if len(body) > BODY_LIMIT:
                raise BadRequest("body too long")


def parse_head(head):
    """Request line and headers. The target may hold blanks: the client
    sends folder names as they stand, so only the first and the last word
    of the request line are taken as method and version."""
    lines = head.split("\r\n")
    words = lines[0].split(" ")
    if len(words) < 3 or not words[-1].startswith("HTTP/1."):
        raise BadRequest("bad request line: %r" % lines[0])
    headers = []
    for line in lines[1:]:
        key, sep, value = line.partition(":")
        if not sep:
            raise BadRequest("bad header line: %r" % line)
        headers.append((key.strip(), value.strip()))
    return Request(words[0], " ".join(words[1:-1]), words[-1], headers)


def reset(sock):
    """Abort the connection with a TCP reset."""
    try:
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    except OSError:
        pass
    sock.close()


def status_head(reply, length, keep_alive, length_texts=None):
    """The status line and headers; length_texts, when given, are sent as
    Content-Length values as they stand (malformed ones included)."""
    lines = ["HTTP/1.1 %d %s" % (reply.status, reply.reason),
             "Server: cloudsim",
             "Date: " + time.strftime("%a, %d %b %Y %H:%M:%S GMT", time.gmtime())]
    lines += ["%s: %s" % header for header in reply.headers]
    if length is not None:
        lines.append("Content-Length: %d" % length)
    lines += ["Content-Length: " + text for text in length_texts or ()]
    lines.append("Connection: " + ("keep-alive" if keep_alive else "close"))
    return ("\r\n".join(lines) + "\r\n\r\n").encode("latin-1")
