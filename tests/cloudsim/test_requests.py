"""The five requests of the file service, as the client sends them."""
import os
import unittest

from simhelper import SimulatorCase, exchange, get, post_upload, status_of

BIN = "/FTP/ASP/CLIENT/BIN/"
UPDATES = "/FTP/ASP/Client/Store/Updates/"


def listing(port, folder, version="HTTP/1.0"):
    head, body = get(port, "/kwsync/listFolder.pyc?folder=%s&displaymode=plain" % folder,
                     version)
    return status_of(head), body


class ListFolderTest(SimulatorCase):
    def test_lists_files_with_sizes_separated_by_crlf(self):
        status, body = listing(self.sim.port, UPDATES)
        self.assertEqual(status, 200)
        self.assertFalse(body.endswith(b"\r\n"), "no line end after the last line")
        lines = body.decode().split("\r\n")
        self.assertNotIn("", lines)
        folder = self.sim.host_path("FTP", "ASP", "Client", "Store", "Updates")
        expected = sorted(os.listdir(folder), key=str.lower)
        self.assertEqual([line.split(",")[0] for line in lines], expected)
        for line in lines:
            name, size = line.split(",")
            self.assertEqual(int(size), os.path.getsize(os.path.join(folder, name)))

    def test_subfolders_are_not_listed(self):
        _, body = listing(self.sim.port, BIN)
        self.assertNotIn(b"BACKUP", body)
        self.assertIn(b"SWUPD12.TXT,", body)

    def test_empty_and_missing_folders(self):
        _, empty = listing(self.sim.port, "/FTP/ASP/Client/Store/FTPLog/")
        self.assertEqual(empty, b"")
        _, missing = listing(self.sim.port, "/FTP/ASP/NOBODY/BIN/")
        self.assertIn(b"ERROR", missing.split(b"\r\n")[0])

    def test_names_match_without_regard_to_case(self):
        _, lower = listing(self.sim.port, "/ftp/asp/client/store/updates/")
        _, typed = listing(self.sim.port, UPDATES)
        self.assertEqual(lower, typed)

    def test_http_1_1_keep_alive_serves_two_requests(self):
        target = "/kwsync/listFolder.pyc?folder=%s&displaymode=plain" % BIN
        one = ("GET %s HTTP/1.1\r\nHost: x\r\n\r\n" % target).encode()
        two = ("GET %s HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n" % target).encode()
        head, body = exchange(self.sim.port, one + two)
        self.assertIn("Connection: keep-alive", head)
        self.assertEqual(body.count(b"HTTP/1.1 200 OK"), 1)


class FileRequestsTest(SimulatorCase):
    def test_get_file_returns_the_bytes(self):
        head, body = get(self.sim.port, "/kwsync/getFile.pyc?fullpath=%sVLSECR.EXE" % BIN)
        with open(self.sim.host_path("FTP", "ASP", "CLIENT", "BIN", "VLSECR.EXE"), "rb") as f:
            self.assertEqual(body, f.read())
        self.assertIn("Content-Length: %d" % len(body), head)

    def test_get_missing_file(self):
        _, body = get(self.sim.port, "/kwsync/getFile.pyc?fullpath=%sNONE.EXE" % BIN)
        self.assertEqual(body, b"ERROR:Specified file does not exist")

    def test_percent_encoded_and_raw_blank_values(self):
        folder = self.sim.host_path("FTP", "ASP", "My Client", "BIN")
        os.makedirs(folder)
        with open(os.path.join(folder, "A+B.ZIP"), "wb") as out:
            out.write(b"plus")
        cases = ["/FTP/ASP/My%20Client/BIN/A%2BB.ZIP", "/FTP/ASP/My Client/BIN/A+B.ZIP",
                 "%2FFTP%2FASP%2Fmy%20client%2Fbin%2Fa%2bb.zip"]
        for path in cases:
            with self.subTest(path=path):
                _, body = get(self.sim.port, "/kwsync/getFile.pyc?fullpath=" + path)
                self.assertEqual(body, b"plus")

    def test_put_file_stores_and_answers_ok(self):
        data = bytes(range(256)) * 3 + b"\r\n--not-a-boundary\r\n"
        (head, body), _ = post_upload(self.sim.port, "/FTP/ASP/Client/Store/FTPLog/",
                                      "012_240315093015.TXT", data)
        self.assertEqual((status_of(head), body), (200, b"OK"))
        stored = self.sim.host_path("FTP", "ASP", "Client", "Store", "FTPLog",
                                    "012_240315093015.TXT")
        with open(stored, "rb") as f:
            self.assertEqual(f.read(), data)
        entry = self.sim.requests()[-1]
        self.assertEqual(entry["stored"], "/FTP/ASP/Client/Store/FTPLog/012_240315093015.TXT")
        self.assertEqual(entry["stored_size"], len(data))

    def test_delete_file(self):
        path = self.sim.host_path("FTP", "ASP", "CLIENT", "BIN", "DOOMED.TXT")
        with open(path, "w") as out:
            out.write("x")
        _, body = get(self.sim.port, "/kwsync/delFile.pyc?fullpath=%sDOOMED.TXT" % BIN)
        self.assertEqual(body, b"OK")
        self.assertFalse(os.path.exists(path))
        _, again = get(self.sim.port, "/kwsync/delFile.pyc?fullpath=%sDOOMED.TXT" % BIN)
        self.assertTrue(again.startswith(b"ERROR"))

    def test_server_date_time(self):
        head, body = get(self.sim.port, "/kwsync/getServerDateTime.pyc")
        self.assertEqual(status_of(head), 200)
        self.assertRegex(body.decode(), r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$")

    def test_unknown_page_is_404(self):
        head, body = get(self.sim.port, "/kwsync/format.pyc")
        self.assertEqual(status_of(head), 404)
        self.assertIn(b"<html>", body)


class PathEscapeTest(SimulatorCase):
    def test_paths_leaving_the_root_are_refused(self):
        outside = os.path.join(self.sim.dir, "secret.txt")
        with open(outside, "w") as out:
            out.write("secret")
        os.symlink(self.sim.dir, self.sim.host_path("FTP", "ASP", "LINK"))
        cases = ["/FTP/ASP/../../secret.txt", "/../secret.txt", "..\\secret.txt",
                 "/FTP/ASP/LINK/secret.txt", "%2E%2E/secret.txt", "C:/secret.txt"]
        for path in cases:
            with self.subTest(path=path):
                _, body = get(self.sim.port, "/kwsync/getFile.pyc?fullpath=" + path)
                self.assertTrue(body.startswith(b"ERROR"), body)
                _, body = get(self.sim.port, "/kwsync/delFile.pyc?fullpath=" + path)
                self.assertTrue(body.startswith(b"ERROR"), body)
        self.assertTrue(os.path.exists(outside))
        _, listed = listing(self.sim.port, "/FTP/ASP/LINK/")
        self.assertTrue(listed.startswith(b"ERROR"))

    def test_uploads_leaving_the_root_are_refused(self):
        cases = [("/FTP/ASP/../../", "evil.txt"), ("/FTP/ASP/", "..\\evil.txt"),
                 ("/FTP/ASP/", "../evil.txt")]
        for folder, name in cases:
            with self.subTest(folder=folder, name=name):
                (_, body), _ = post_upload(self.sim.port, folder, name, b"evil")
                self.assertTrue(body.startswith(b"ERROR"), body)
        self.assertFalse(os.path.exists(os.path.join(self.sim.dir, "evil.txt")))
        self.assertFalse(os.path.exists(os.path.join(os.path.dirname(self.sim.dir),
                                                     "evil.txt")))


class RequestLogTest(SimulatorCase):
    def test_log_and_capture_hold_the_request_as_sent(self):
        (_, body), raw = post_upload(self.sim.port, "/FTP/ASP/Client/Store/FTPLog/",
                                     "LOG.TXT", b"1,12\r\n3,EOF\r\n")
        self.assertEqual(body, b"OK")
        get(self.sim.port, "/kwsync/delFile.pyc?fullpath=/FTP/ASP/A%20B/X.TXT")
        upload, delete = self.sim.requests()[-2:]
        self.assertEqual(self.sim.capture_bytes(upload), raw)
        self.assertEqual(upload["method"], "POST")
        self.assertEqual(upload["kind"], "putFile")
        self.assertEqual(upload["body_size"], len(raw) - raw.index(b"\r\n\r\n") - 4)
        self.assertEqual(delete["query"], {"fullpath": "/FTP/ASP/A B/X.TXT"})
        self.assertEqual(delete["version"], "HTTP/1.0")
        self.assertIn(["Content-Type", "Text/Plain"], delete["headers"])


if __name__ == "__main__":
    unittest.main()
