"""HTTPS with a certificate made at test time, the FTP side, and the seed."""
import ftplib
import os
import shutil
import ssl
import subprocess
import tempfile
import unittest

from simhelper import PYTHON, TOOL, SimulatorCase, exchange, get, status_of

CERT_DIR = tempfile.mkdtemp(prefix="cloudsim-cert-")
CERT = os.path.join(CERT_DIR, "cert.pem")
KEY = os.path.join(CERT_DIR, "key.pem")


def setUpModule():
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec",
                    "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", KEY, "-out", CERT, "-days", "2", "-subj", "/CN=localhost",
                    "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1"],
                   check=True, capture_output=True, timeout=30)


def tearDownModule():
    shutil.rmtree(CERT_DIR, ignore_errors=True)


class HttpsTest(SimulatorCase):
    extra_args = ("--cert", CERT, "--key", KEY)

    def test_https_serves_the_same_files_and_http_stays_open(self):
        context = ssl.create_default_context(cafile=CERT)
        request = (b"GET /kwsync/listFolder.pyc?folder=/FTP/ASP/CLIENT/BIN/&displaymode=plain "
                   b"HTTP/1.0\r\nHost: localhost\r\n\r\n")
        head, secure = exchange(self.sim.ports["HTTPSPORT"], request, tls_context=context)
        self.assertEqual(status_of(head), 200)
        self.assertIn(b"VLSECR.EXE,", secure)
        self.assertEqual(get(self.sim.port, request.split(b" ")[1].decode())[1], secure)
        self.assertEqual(self.sim.requests()[0]["scheme"], "https")

    def test_files_arrive_whole_over_https(self):
        data = os.urandom(5 * 1024 * 1024 + 321)
        with open(self.sim.host_path("FTP", "ASP", "CLIENT", "BIN", "BIG.ZIP"), "wb") as out:
            out.write(data)
        context = ssl.create_default_context(cafile=CERT)
        request = (b"GET /kwsync/getFile.pyc?fullpath=/FTP/ASP/CLIENT/BIN/BIG.ZIP HTTP/1.0\r\n"
                   b"Host: localhost\r\n\r\n")
        cases = [("whole file", [], data),
                 ("stalled mid-body", [{"fault": "stall", "where": "body", "after": 100000,
                                        "seconds": 0.2}], data),
                 ("padded past the end", [{"fault": "size_delta", "delta": 5}], data + b"#####")]
        for what, rules, expected in cases:
            with self.subTest(what):
                self.sim.set_faults(rules)
                head, body = exchange(self.sim.ports["HTTPSPORT"], request, timeout=30,
                                      tls_context=context)
                self.assertIn("Content-Length: %d" % len(expected), head)
                self.assertEqual(len(body), len(expected))
                self.assertTrue(body == expected, "the bytes differ")

    def test_unknown_certificate_is_rejected_by_a_checking_client(self):
        context = ssl.create_default_context()
        with self.assertRaises(ssl.SSLCertVerificationError):
            exchange(self.sim.ports["HTTPSPORT"], b"GET / HTTP/1.0\r\n\r\n",
                     tls_context=context)


class FtpTest(SimulatorCase):
    extra_args = ("--ftp", "--ftp-user", "VorlanFTP", "--ftp-password", "s3cret-pass")

    def connect(self, password="s3cret-pass"):
        ftp = ftplib.FTP(timeout=10)
        ftp.connect("127.0.0.1", self.sim.ports["FTPPORT"])
        try:
            ftp.login("VorlanFTP", password)
        except ftplib.Error:
            ftp.close()
            raise
        return ftp

    def test_login_list_fetch_and_delete(self):
        ftp = self.connect()
        try:
            names = ftp.nlst("/FTP/ASP/CLIENT/BIN/")
            self.assertIn("SWUPD12.TXT", [os.path.basename(n) for n in names])
            ftp.voidcmd("TYPE I")
            self.assertEqual(ftp.size("/FTP/ASP/Client/Store/Updates/ITEMS.UPD"), 65536)
            chunks = []
            ftp.retrbinary("RETR /FTP/ASP/CLIENT/BIN/SWUPD12.TXT", chunks.append)
            self.assertEqual(b"".join(chunks), b"Software update for location 12\r\n")
            ftp.delete("/FTP/ASP/CLIENT/BIN/POSID12.TXT")
            self.assertFalse(os.path.exists(self.sim.host_path("FTP", "ASP", "CLIENT", "BIN",
                                                               "POSID12.TXT")))
        finally:
            ftp.quit()

    def test_wrong_password_is_refused(self):
        with self.assertRaises(ftplib.error_perm) as refused:
            self.connect("wrong")
        self.assertTrue(str(refused.exception).startswith("530"))


class SeedTest(unittest.TestCase):
    def test_seed_lays_out_one_location(self):
        root = tempfile.mkdtemp(prefix="cloudsim-seed-")
        self.addCleanup(shutil.rmtree, root, True)
        out = subprocess.run([PYTHON, TOOL, "seed", "--root", root, "--cloud-folder",
                              "Acme/Shop1", "--location", "7", "--registered", "--big-mib", "1"],
                             check=True, capture_output=True, timeout=30, text=True).stdout
        software = os.path.join(root, "FTP", "ASP", "ACME", "BIN")
        database = os.path.join(root, "FTP", "ASP", "Acme", "Shop1", "Updates")
        expected = [os.path.join(software, "SWUPD7.TXT"), os.path.join(software, "POSID7.TXT"),
                    os.path.join(database, "POSID7.TPS"), os.path.join(database, "VORPOS7.INI"),
                    os.path.join(database, "TBL_REGISTRATION.TPS"),
                    os.path.join(root, "FTP", "ASP", "Acme", "Global", "Updates",
                                 "GLOBALITEMS.TPS")]
        for path in expected:
            self.assertTrue(os.path.isfile(path), path)
        self.assertTrue(os.path.isdir(os.path.join(root, "FTP", "ASP", "Acme", "Shop1", "FTPLog")))
        self.assertEqual(os.path.getsize(os.path.join(database, "BIGDATA.ZIP")), 1 << 20)
        self.assertIn("FILE /FTP/ASP/ACME/BIN/SWUPD7.TXT 32", out)


if __name__ == "__main__":
    unittest.main()
