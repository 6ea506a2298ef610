"""The HTTP(S) listener: one thread per connection, requests answered in turn,
each one logged (and captured raw when asked) before its reply goes out."""
import json
import os
import socket
import ssl
import threading
import time

import cloudsim_service as service
from cloudsim_faults import first
from cloudsim_send import send_reply
from cloudsim_wire import BadRequest, Connection

IDLE_SECONDS = 120


class RequestRecorder:
    """The JSON-lines request log and the raw capture folder."""

    def __init__(self, log_path=None, capture_dir=None):
        self.log_path = log_path
        self.capture_dir = capture_dir
        self.lock = threading.Lock()
        self.count = 0
        if capture_dir:
            os.makedirs(capture_dir, exist_ok=True)

    def record(self, entry, raw):
        with self.lock:
            self.count += 1
            entry["seq"] = self.count
            if self.capture_dir:
                name = "%04d.req" % self.count
                with open(os.path.join(self.capture_dir, name), "wb") as out:
                    out.write(raw)
                entry["capture"] = name
            if self.log_path:
                with open(self.log_path, "a", encoding="utf-8") as log:
                    log.write(json.dumps(entry) + "\n")


def answer(config, request, scheme):
    """The reply to one request, and its log entry."""
    kind = service.kind_of(request.path)
    form = None
    if kind == "putFile":
        boundary = service.multipart.boundary_of(request.header("Content-Type"))
        form = service.multipart.parse_form(request.body, boundary) if boundary else []
    target = service.target_of(kind, request.query, form) if kind else request.path
    rules = config.faults.select(kind or "other", target)
    note = {"time": time.time(), "scheme": scheme, "method": request.method,
            "target": request.target, "path": request.path, "query": request.query,
            "version": request.version, "headers": request.headers,
            "body_size": len(request.body), "kind": kind,
            "faults": [rule["fault"] for rule in rules]}
    reply = _reply_for(config, request, kind, rules, note)
    note["status"] = reply.status
    note["reply_length"] = reply.length
    return reply, rules, note


def _reply_for(config, request, kind, rules, note):
    failing = first(rules, "status")
    if failing:
        code = int(failing.get("code", 500))
        return service.html_reply(code, failing.get("reason", "Internal Server Error"),
                                  failing.get("body", "The server failed."))
    moved = first(rules, "redirect")
    if moved:
        reply = service.html_reply(int(moved.get("code", 302)), "Found", "Moved")
        reply.headers.append(("Location", moved.get("location", "http://other.invalid/")))
        return reply
    if first(rules, "empty_body"):
        return service.Reply(b"")
    if kind is None:
        return service.html_reply(404, "Not Found", "No such page.")
    wanted = "POST" if kind == "putFile" else "GET"
    if request.method != wanted:
        return service.html_reply(405, "Method Not Allowed", "Use " + wanted + ".")
    if kind == "listFolder":
        return service.list_folder(config, request.query, rules, note)
    if kind == "getFile":
        return service.get_file(config, request.query, rules, note)
    if kind == "putFile":
        return service.put_file(config, request.body, request.header("Content-Type"),
                                rules, note)
    if kind == "delFile":
        return service.del_file(config, request.query, note)
    return service.server_date_time(config)


def serve_connection(config, sock, scheme):
    sock.settimeout(IDLE_SECONDS)
    try:
        if scheme == "https":
            sock = config.tls.wrap_socket(sock, server_side=True)
        connection = Connection(sock)
        while not config.stopping.is_set():
            request = connection.read_request()
            if request is None:
                break
            reply, rules, note = answer(config, request, scheme)
            config.recorder.record(note, request.raw)
            if not send_reply(sock, reply, rules, request.keep_alive(), config.stopping):
                break
    except BadRequest as error:
        _refuse(sock, str(error))
    except (OSError, EOFError, ssl.SSLError):
        pass
    finally:
        try:
            sock.close()
        except OSError:
            pass


def _refuse(sock, why):
    body = ("<html><body><h1>400 Bad Request</h1><p>%s</p></body></html>" % why).encode()
    head = ("HTTP/1.1 400 Bad Request\r\nContent-Type: text/html\r\n"
            "Content-Length: %d\r\nConnection: close\r\n\r\n" % len(body)).encode()
    try:
        sock.sendall(head + body)
    except OSError:
        pass


def listen(port):
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", port))
    server.listen(64)
    return server


def start_acceptor(config, server, scheme):
    """Accept connections on server in a background thread."""
    def loop():
        while not config.stopping.is_set():
            try:
                sock, _ = server.accept()
            except OSError:
                return
            threading.Thread(target=serve_connection, args=(config, sock, scheme),
                             daemon=True).start()
    thread = threading.Thread(target=loop, daemon=True)
    thread.start()
    return thread


def tls_context(cert, key):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context
