"""Fault switches: set through the control file while the simulator runs."""
import socket
import time
import unittest

from simhelper import SimulatorCase, exchange, get, post_upload, status_of

BIN = "/FTP/ASP/CLIENT/BIN/"
EXE = BIN + "VLSECR.EXE"
EXE_SIZE = 200 * 1024 + 17


def get_file(port, path=EXE, timeout=10):
    return get(port, "/kwsync/getFile.pyc?fullpath=" + path, timeout=timeout)


def listing(port, folder=BIN):
    return get(port, "/kwsync/listFolder.pyc?folder=%s&displaymode=plain" % folder)[1]


class BrokenDownloadTest(SimulatorCase):
    def test_cut_announces_full_length_but_sends_fewer_bytes(self):
        self.sim.set_faults([{"fault": "cut", "op": "getFile", "after": 1000}])
        head, body = get_file(self.sim.port)
        self.assertIn("Content-Length: %d" % EXE_SIZE, head)
        self.assertEqual(len(body), 1000)

    def test_size_delta_sends_another_count_consistently(self):
        for delta in (5, -7):
            with self.subTest(delta=delta):
                self.sim.set_faults([{"fault": "size_delta", "delta": delta}])
                head, body = get_file(self.sim.port)
                self.assertEqual(len(body), EXE_SIZE + delta)
                self.assertIn("Content-Length: %d" % (EXE_SIZE + delta), head)

    def test_reset_before_and_during_the_reply(self):
        for rule, least in (({"fault": "reset"}, 0), ({"fault": "reset", "after": 10}, 10)):
            with self.subTest(rule=rule):
                self.sim.set_faults([rule])
                received = b""
                sock = socket.create_connection(("127.0.0.1", self.sim.port), timeout=5)
                sock.sendall(b"GET /kwsync/getFile.pyc?fullpath=%s HTTP/1.0\r\n\r\n"
                             % EXE.encode())
                with self.assertRaises(ConnectionResetError), sock:
                    while True:
                        chunk = sock.recv(65536)
                        if not chunk:
                            break
                        received += chunk
                        time.sleep(0.05)
                self.assertLessEqual(len(received.partition(b"\r\n\r\n")[2]), least)

    def test_stalls_before_headers_and_mid_body(self):
        cases = [({"fault": "stall", "seconds": 3}, None),
                 ({"fault": "stall", "seconds": 3, "where": "body", "after": 100}, 100)]
        for rule, body_bytes in cases:
            with self.subTest(rule=rule):
                self.sim.set_faults([rule])
                received = b""
                sock = socket.create_connection(("127.0.0.1", self.sim.port), timeout=0.5)
                with sock, self.assertRaises(socket.timeout):
                    sock.sendall(b"GET /kwsync/getFile.pyc?fullpath=%s HTTP/1.0\r\n\r\n"
                                 % EXE.encode())
                    while True:
                        received += sock.recv(65536)
                head, _, body = received.partition(b"\r\n\r\n")
                if body_bytes is None:
                    self.assertEqual(received, b"")
                else:
                    self.assertIn(b"Content-Length: %d" % EXE_SIZE, head)
                    self.assertEqual(len(body), body_bytes)

    def test_content_length_values_sent_as_they_stand(self):
        cases = [("-1", ["-1"]), ("0x32011", ["0x32011"]),
                 ("99999999999999999999", ["99999999999999999999"]),
                 (["%d" % EXE_SIZE, "100"], ["%d" % EXE_SIZE, "100"])]
        for value, announced in cases:
            with self.subTest(value=value):
                self.sim.set_faults([{"fault": "content_length", "op": "getFile", "value": value}])
                head, body = get_file(self.sim.port)
                lengths = [line.partition(":")[2].strip() for line in head.split("\r\n")
                           if line.lower().startswith("content-length:")]
                self.assertEqual(lengths, announced)
                self.assertIn("Connection: close", head)
                self.assertEqual(len(body), EXE_SIZE)

    def test_endless_body_keeps_coming(self):
        self.sim.set_faults([{"fault": "endless", "op": "getFile"}])
        sock = socket.create_connection(("127.0.0.1", self.sim.port), timeout=5)
        with sock:
            sock.sendall(b"GET /kwsync/getFile.pyc?fullpath=%s HTTP/1.0\r\n\r\n" % EXE.encode())
            received = 0
            while received < 4 * EXE_SIZE:
                received += len(sock.recv(65536))
        self.assertGreaterEqual(received, 4 * EXE_SIZE)

    def test_trickle_slows_the_body(self):
        self.sim.set_faults([{"fault": "trickle", "rate": 40, "op": "getServerDateTime"}])
        start = time.monotonic()
        _, body = get(self.sim.port, "/kwsync/getServerDateTime.pyc")
        self.assertEqual(len(body), 19)
        self.assertGreater(time.monotonic() - start, 0.3)


class WrongAnswerTest(SimulatorCase):
    def test_in_band_error_texts(self):
        cases = [
            ({"fault": "get_error", "text": "ERROR:Disk full"}, "getFile", b"ERROR:Disk full"),
            ({"fault": "listing_error"}, "listFolder", b"ERROR:Specified folder does not exist"),
            ({"fault": "empty_body"}, "listFolder", b""),
        ]
        for rule, kind, expected in cases:
            with self.subTest(kind=kind, rule=rule):
                self.sim.set_faults([rule])
                body = get_file(self.sim.port)[1] if kind == "getFile" else listing(self.sim.port)
                self.assertEqual(body, expected)

    def test_listing_sizes_and_extra_names(self):
        self.sim.set_faults([
            {"fault": "listing_size", "name": "SWUPD12.TXT", "size": -1},
            {"fault": "listing_size", "name": "QUENTA.*", "size": 0},
            {"fault": "listing_extra", "lines": ["..\\x.exe,10"], "position": "start"},
        ])
        lines = listing(self.sim.port).decode().split("\r\n")
        self.assertEqual(lines[0], "..\\x.exe,10")
        self.assertIn("SWUPD12.TXT,-1", lines)
        self.assertIn("QUENTA.EXE,0", lines)

    def test_put_reply_other_than_ok(self):
        self.sim.set_faults([{"fault": "put_reply", "text": "OK\r\n", "store": False}])
        (_, body), _ = post_upload(self.sim.port, "/FTP/ASP/Client/Store/FTPLog/", "A.TXT", b"a")
        self.assertEqual(body, b"OK\r\n")
        self.assertFalse(self.sim.requests()[-1].get("stored"))

    def test_http_status_and_redirect(self):
        self.sim.set_faults([{"fault": "status", "code": 500}])
        head, body = get_file(self.sim.port)
        self.assertEqual(status_of(head), 500)
        self.assertIn(b"<html>", body)
        self.sim.set_faults([{"fault": "redirect", "location": "http://elsewhere.invalid/x"}])
        head, _ = get_file(self.sim.port)
        self.assertEqual(status_of(head), 302)
        self.assertIn("Location: http://elsewhere.invalid/x", head)

    def test_no_reply_at_all(self):
        self.sim.set_faults([{"fault": "no_reply"}])
        self.assertEqual(exchange(self.sim.port, b"GET / HTTP/1.0\r\n\r\n"), ("", b""))


class RuleScopeTest(SimulatorCase):
    def test_fail_first_k_then_succeed(self):
        self.sim.set_faults([{"fault": "status", "code": 503, "op": "getFile", "times": 2}])
        codes = [status_of(get_file(self.sim.port)[0]) for _ in range(3)]
        self.assertEqual(codes, [503, 503, 200])

    def test_pattern_scopes_a_rule_to_matching_paths(self):
        self.sim.set_faults([{"fault": "get_error", "match": "*/quenta.exe"}])
        self.assertTrue(get_file(self.sim.port, BIN + "QUENTA.EXE")[1].startswith(b"ERROR"))
        self.assertEqual(len(get_file(self.sim.port)[1]), EXE_SIZE)

    def test_faults_logged_per_request(self):
        self.sim.set_faults([{"fault": "cut", "after": 1, "skip": 1, "times": 1}])
        sizes = [len(get_file(self.sim.port)[1]) for _ in range(3)]
        self.assertEqual(sizes, [EXE_SIZE, 1, EXE_SIZE])
        faults = [entry["faults"] for entry in self.sim.requests()[-3:]]
        self.assertEqual(faults, [[], ["cut"], []])


class CommandLineFaultTest(SimulatorCase):
    extra_args = ("--fault", "listing_error,text=ERROR:down,op=listFolder",
                  "--fault", '{"fault": "size_delta", "delta": 3}')

    def test_rules_given_on_the_command_line(self):
        self.assertEqual(listing(self.sim.port), b"ERROR:down")
        self.assertEqual(len(get_file(self.sim.port)[1]), EXE_SIZE + 3)


if __name__ == "__main__":
    unittest.main()
