"""The FTP side: Windows-style name matching and the fault rules, with ftplib."""
import ftplib
import io
import socket
import unittest

from simhelper import SimulatorCase

USER, PASSWORD = "VorlanFTP", "cloudsim"
BIN = "/FTP/ASP/CLIENT/BIN/"
EXE = BIN + "VLSECR.EXE"
EXE_SIZE = 200 * 1024 + 17
TIMEOUT = 5


class FtpCase(SimulatorCase):
    extra_args = ("--ftp",)

    def connect(self, timeout=TIMEOUT, login=True):
        ftp = ftplib.FTP(timeout=timeout)
        try:
            ftp.connect("127.0.0.1", self.sim.ports["FTPPORT"])
            if login:
                ftp.login(USER, PASSWORD)
        except BaseException:
            ftp.close()
            raise
        return ftp

    def retr(self, path=EXE, timeout=TIMEOUT):
        """(bytes received, final reply) of one RETR."""
        out = io.BytesIO()
        with self.connect(timeout) as ftp:
            reply = ftp.retrbinary("RETR " + path, out.write)
        return out.getvalue(), reply

    def raw_greeting(self):
        with socket.create_connection(("127.0.0.1", self.sim.ports["FTPPORT"]), TIMEOUT) as sock:
            data = b""
            while not data.endswith(b"\n"):
                data += sock.recv(4096)
            return data


class CaseBlindNamesTest(FtpCase):
    def test_any_spelling_finds_the_file_and_nothing_leaves_the_root(self):
        for path in (EXE, "/ftp/asp/client/bin/vlsecr.exe", "/FTP/ASP/Client/Bin/VLSecr.Exe"):
            with self.subTest(path=path):
                self.assertEqual(len(self.retr(path)[0]), EXE_SIZE)
        with self.connect() as ftp:
            self.assertIn("VLSECR.EXE", ftp.nlst("/ftp/asp/client/bin"))
            ftp.cwd("/ftp/asp/CLIENT/store/updates")
            self.assertIn("POSID12.TPS", ftp.nlst())
            for escape in ("/../../etc/passwd", "/FTP/ASP/..\\..\\x", "/C:/x"):
                with self.subTest(escape=escape), self.assertRaises(ftplib.error_perm):
                    ftp.retrbinary("RETR " + escape, lambda _: None)


class RefusalTest(FtpCase):
    def test_a_reply_rule_answers_instead_of_doing_the_command(self):
        cases = [
            ({"op": "greeting", "code": 421}, lambda: self.connect(login=False), ftplib.error_temp, "421"),
            ({"op": "PASS", "code": 530}, self.connect, ftplib.error_perm, "530"),
            ({"op": "RETR", "code": 550}, self.retr, ftplib.error_perm, "550"),
            ({"op": "RETR", "code": 450}, self.retr, ftplib.error_temp, "450"),
            ({"op": "STOR", "code": 553}, self.store, ftplib.error_perm, "553"),
            ({"op": "DELE", "code": 550, "match": "*/SWUPD12.TXT"}, self.delete_flag, ftplib.error_perm, "550"),
        ]
        for rule, action, error, code in cases:
            with self.subTest(rule=rule):
                self.sim.set_faults([dict(rule, fault="reply")])
                with self.assertRaises(error) as caught:
                    action()
                self.assertTrue(str(caught.exception).startswith(code), caught.exception)
        self.assertTrue(self.sim.host_path("FTP", "ASP", "CLIENT", "BIN", "SWUPD12.TXT"))

    def store(self):
        with self.connect() as ftp:
            ftp.storbinary("STOR /FTP/ASP/Client/Store/FTPLog/A.TXT", io.BytesIO(b"a"))

    def delete_flag(self):
        with self.connect() as ftp:
            ftp.delete(BIN + "SWUPD12.TXT")

    def test_failures_counted_then_the_command_succeeds(self):
        self.sim.set_faults([{"fault": "reply", "op": "RETR", "code": 450, "times": 3}])
        for _ in range(3):
            with self.assertRaises(ftplib.error_temp):
                self.retr()
        self.assertEqual(len(self.retr()[0]), EXE_SIZE)


class DataFaultTest(FtpCase):
    def test_the_data_connection_carries_what_the_rule_says(self):
        cases = [
            ({"fault": "cut", "after": 1000}, 1000, "226 Transfer complete."),
            ({"fault": "size_delta", "delta": 5}, EXE_SIZE + 5, "226 Transfer complete."),
            ({"fault": "size_delta", "delta": -7}, EXE_SIZE - 7, "226 Transfer complete."),
        ]
        for rule, size, reply in cases:
            with self.subTest(rule=rule):
                self.sim.set_faults([dict(rule, op="RETR")])
                data, final = self.retr()
                self.assertEqual((len(data), final), (size, reply))

    def test_a_listing_cut_off_and_one_with_extra_lines(self):
        for cut, ending in (({"after": 60}, None), ({"through": "HVLSECR.E"}, b" HVLSECR.E")):
            with self.subTest(cut=cut):
                self.sim.set_faults([dict(cut, fault="cut", op="LIST", text="226 Output truncated")])
                raw = io.BytesIO()
                with self.connect() as ftp:
                    self.assertEqual(ftp.retrbinary("LIST " + BIN, raw.write), "226 Output truncated")
                if ending:
                    self.assertTrue(raw.getvalue().endswith(ending), raw.getvalue())
                else:
                    self.assertEqual(len(raw.getvalue()), 60)
        self.sim.set_faults([{"fault": "listing_extra", "op": "LIST", "lines": ["odd line\rDELE x"]}])
        raw = io.BytesIO()
        with self.connect() as ftp:
            ftp.retrbinary("LIST " + BIN, raw.write)
        self.assertTrue(raw.getvalue().endswith(b"\r\nodd line\rDELE x\r\n"))

    def test_reset_mid_file_breaks_both_connections(self):
        self.sim.set_faults([{"fault": "reset", "op": "RETR", "after": 100000}])
        with self.assertRaises((ConnectionResetError, EOFError, ftplib.error_temp)):
            self.retr()

    def test_stalls_on_a_command_on_data_and_on_the_greeting(self):
        cases = [
            ({"fault": "stall", "op": "RETR", "seconds": 3}, self.retr),
            ({"fault": "stall", "op": "RETR", "where": "data", "after": 1000, "seconds": 3}, self.retr),
            ({"fault": "stall", "op": "greeting"}, lambda timeout: self.connect(timeout, login=False)),
            ({"fault": "no_data", "op": "PASV"}, self.retr),
        ]
        for rule, action in cases:
            with self.subTest(rule=rule):
                self.sim.set_faults([rule])
                with self.assertRaises(socket.timeout):
                    action(timeout=0.5)


class OddReplyTest(FtpCase):
    def test_reply_styles(self):
        cases = [("lf", b"220 cloudsim FTP ready.\n"), ("nul", b"220 \0cloudsim FTP ready.\0\r\n")]
        for style, expected in cases:
            with self.subTest(style=style):
                self.sim.set_faults([{"fault": "odd_reply", "op": "greeting", "style": style}])
                self.assertEqual(self.raw_greeting(), expected)
        self.sim.set_faults([{"fault": "odd_reply", "op": "greeting", "style": "multiline"}])
        with self.connect(login=False) as ftp:
            self.assertEqual(ftp.getwelcome().splitlines()[0], "220-cloudsim FTP ready.")
            self.assertEqual(ftp.getwelcome().splitlines()[-1], "220 cloudsim FTP ready.")

    def test_pasv_reply_naming_another_address(self):
        self.sim.set_faults([{"fault": "pasv_address", "op": "PASV", "address": "10.255.255.1"}])
        with self.connect() as ftp:
            self.assertTrue(ftp.sendcmd("PASV").startswith("227 Entering passive mode (10,255,255,1,"))


class CommandLogTest(FtpCase):
    def test_every_command_is_logged_without_the_password(self):
        self.sim.set_faults([{"fault": "reply", "op": "DELE", "code": 550}])
        with self.connect() as ftp, self.assertRaises(ftplib.error_perm):
            ftp.delete("/ftp/asp/client/bin/swupd12.txt")
        ftp_entries = [e for e in self.sim.requests() if e.get("scheme") == "ftp"]
        commands = [e["command"] for e in ftp_entries]
        self.assertIn("PASS ******", commands)
        self.assertNotIn(PASSWORD, "".join(commands))
        dele = [e for e in ftp_entries if e["op"] == "DELE"][-1]
        self.assertEqual((dele["target"], dele["faults"]), ("/ftp/asp/client/bin/swupd12.txt", ["reply"]))


if __name__ == "__main__":
    unittest.main()
