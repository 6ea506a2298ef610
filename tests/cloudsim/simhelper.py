"""Starting and stopping the simulator for a test, and talking to it raw."""
import json
import os
import selectors
import shutil
import socket
import subprocess
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
TOOL = os.path.normpath(os.path.join(HERE, "..", "..", "tools", "cloudsim.py"))
PYTHON = "/usr/bin/python3"
START_SECONDS = 10


class Simulator:
    """One running simulator over a fresh temporary root."""

    def __init__(self, *extra, seed=True):
        self.dir = tempfile.mkdtemp(prefix="cloudsim-test-")
        self.root = os.path.join(self.dir, "root")
        self.log = os.path.join(self.dir, "requests.jsonl")
        self.capture = os.path.join(self.dir, "capture")
        self.control = os.path.join(self.dir, "control.json")
        self.set_faults([])
        args = [PYTHON, TOOL, "--root", self.root, "--log", self.log,
                "--capture-dir", self.capture, "--control", self.control] + list(extra)
        if seed:
            args.append("--seed")
        self.proc = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.ports = self._read_ports()

    def _read_ports(self):
        """The port lines up to READY, waiting at most START_SECONDS."""
        ports, pending = {}, b""
        deadline = time.monotonic() + START_SECONDS
        selector = selectors.DefaultSelector()
        selector.register(self.proc.stdout, selectors.EVENT_READ)
        while time.monotonic() < deadline:
            if not selector.select(timeout=deadline - time.monotonic()):
                break
            chunk = os.read(self.proc.stdout.fileno(), 4096)
            if not chunk:
                break
            pending += chunk
            while b"\n" in pending:
                line, _, pending = pending.partition(b"\n")
                if line.strip() == b"READY":
                    return ports
                name, _, port = line.decode().strip().partition(" ")
                ports[name] = int(port)
        self.proc.kill()
        error = self.proc.stderr.read().decode()
        self.stop()
        raise RuntimeError("simulator did not start: " + error)

    @property
    def port(self):
        return self.ports["PORT"]

    def set_faults(self, rules):
        temp = self.control + ".tmp"
        with open(temp, "w", encoding="utf-8") as out:
            json.dump({"faults": rules}, out)
        os.replace(temp, self.control)

    def requests(self):
        """The request log so far, one dict per request."""
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8") as log:
            return [json.loads(line) for line in log]

    def capture_bytes(self, entry):
        with open(os.path.join(self.capture, entry["capture"]), "rb") as raw:
            return raw.read()

    def host_path(self, *parts):
        return os.path.join(self.root, *parts)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(timeout=5)
        self.proc.stdout.close()
        self.proc.stderr.close()
        shutil.rmtree(self.dir, ignore_errors=True)


def exchange(port, request, timeout=10, tls_context=None):
    """Send raw request bytes, read until the server closes; (head, body)."""
    sock = socket.create_connection(("127.0.0.1", port), timeout=timeout)
    if tls_context is not None:
        sock = tls_context.wrap_socket(sock, server_hostname="localhost")
    with sock:
        sock.sendall(request)
        data = b""
        while True:
            chunk = sock.recv(65536)
            if not chunk:
                break
            data += chunk
    head, _, body = data.partition(b"\r\n\r\n")
    return head.decode("latin-1"), body


def get(port, target, version="HTTP/1.0", timeout=10):
    """A GET as the client sends it: HTTP/1.0, no percent-encoding."""
    request = ("GET %s %s\r\nHost: 127.0.0.1\r\nAccept: text/html\r\n"
               "Content-Type:Text/Plain\r\n\r\n" % (target, version)).encode("latin-1")
    return exchange(port, request, timeout)


def status_of(head):
    return int(head.split(" ", 2)[1])


def upload_body(boundary, folder, name, data):
    """The upload form exactly as the client builds it."""
    return (b"--" + boundary + b"\r\n"
            + b"Content-Disposition: form-data; name=\"folder\"\r\n\r\n"
            + folder.encode() + b"\r\n--" + boundary + b"\r\n"
            + b"Content-Disposition: form-data; name=\"filename\"\r\n\r\n\r\n"
            + b"--" + boundary + b"\r\n"
            + b"Content-Disposition: form-data; name=\"datafile\"; filename=\""
            + name.encode() + b"\"\r\nContent-Type: application/octet-stream\r\n\r\n"
            + data + b"\r\n--" + boundary + b"--\r\n")


def post_upload(port, folder, name, data, boundary=b"-" * 27 + b"12345678901234567890"):
    body = upload_body(boundary, folder, name, data)
    request = (b"POST /kwsync/putFile.pyc HTTP/1.0\r\nHost: 127.0.0.1\r\n"
               b"Content-Type: multipart/form-data; boundary=" + boundary + b"\r\n"
               b"Content-Length: " + str(len(body)).encode() + b"\r\n\r\n" + body)
    return exchange(port, request), request


class SimulatorCase(unittest.TestCase):
    """A test class sharing one simulator; faults are cleared before each test."""

    extra_args = ()

    @classmethod
    def setUpClass(cls):
        cls.sim = Simulator(*cls.extra_args)

    @classmethod
    def tearDownClass(cls):
        cls.sim.stop()

    def setUp(self):
        self.sim.set_faults([])
