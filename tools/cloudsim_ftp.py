"""The FTP side: pyftpdlib over the same folder, one account, loopback only.

Names are matched as on the vendor's Windows server, without regard to case
(the same resolution as the HTTP side's). Every command goes into the request
log and may meet the fault rules (cloudsim_ftp_faults describes them).
"""
import logging
import os
import threading
import time

from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import ThreadedFTPServer

import cloudsim_ftp_faults as faults
from cloudsim_faults import first
from cloudsim_paths import PathRefused, resolve

DATA_COMMANDS = {"RETR", "LIST", "NLST", "MLSD"}
PATH_COMMANDS = DATA_COMMANDS | {"STOR", "APPE", "DELE", "CWD", "SIZE", "MDTM", "MLST",
                                 "RNFR", "RNTO", "MKD", "RMD"}


class CaseBlindFS(AbstractedFS):
    """The served folder with Windows' name matching."""

    def ftp2fs(self, ftppath):
        try:
            return resolve(self.root, self.ftpnorm(ftppath))
        except PathRefused:
            # A place outside the root: pyftpdlib refuses it with a 550.
            return os.path.dirname(os.path.normpath(self.root))


class FaultyHandler(FTPHandler):
    """pyftpdlib's handler with the request log and the fault rules."""

    book = None      # FaultBook, or None: no faults
    recorder = None  # RequestRecorder, or None: no log
    abstracted_fs = CaseBlindFS

    def __init__(self, conn, server, ioloop=None):
        self._rules = []
        self._dead_port = None
        super().__init__(conn, server, ioloop)

    def _select(self, op, target, line):
        rules = self.book.select(op, target) if self.book else []
        if self.recorder:
            shown = "PASS ******" if op == "PASS" else line
            entry = {"time": time.time(), "scheme": "ftp", "command": shown, "op": op,
                     "target": target, "faults": [rule["fault"] for rule in rules]}
            self.recorder.record(entry, (shown + "\r\n").encode("utf-8", "surrogateescape"))
        return rules

    def _target(self, cmd, arg):
        if cmd not in PATH_COMMANDS:
            return "" if cmd == "PASS" else arg
        if cmd == "LIST" and arg.startswith("-"):
            arg = ""
        return self.fs.ftpnorm(arg or self.fs.cwd)

    def _meet_command_faults(self, cmd):
        """Applies what happens instead of or before the command; True when
        the command is not to be done."""
        stall = first(self._rules, "stall")
        if stall and stall.get("where") != "data":
            faults.stall(stall)
            if stall.get("close"):
                self.close()
                return True
        if first(self._rules, "reset") and cmd not in DATA_COMMANDS:
            faults.reset_connection(self)
            return True
        reply = first(self._rules, "reply")
        if reply:
            code = int(reply.get("code", 550))
            self.respond("%d %s" % (code, reply.get("text", "Refused by a fault rule.")))
            if code == 421 or reply.get("close"):
                self.close_when_done()
            return True
        return False

    def handle(self):
        # This runs in the acceptor's thread: a stalled greeting must not
        # hold up other connections, so the server stays silent instead.
        self._rules = self._select("greeting", "", "")
        if first(self._rules, "stall"):
            return
        reply = first(self._rules, "reply")
        if reply:
            # Closing here would close the socket before its thread starts.
            self.respond("%d %s" % (int(reply.get("code", 421)), reply.get("text", "Service not available.")))
            return
        if not self._meet_command_faults("greeting"):
            super().handle()

    def pre_process_command(self, line, cmd, arg):
        self._rules = self._select(cmd, self._target(cmd, arg), line)
        if self._meet_command_faults(cmd):
            return
        if self._dead_port and cmd in DATA_COMMANDS:
            self.respond("150 File status okay. About to open data connection.")
            return
        super().pre_process_command(line, cmd, arg)

    def respond(self, resp, logfun=logging.debug):
        cut = first(self._rules, "cut")
        if cut and cut.get("text") and resp.startswith("226"):
            resp = cut["text"]
        odd = first(self._rules, "odd_reply")
        if not odd:
            super().respond(resp, logfun)
            return
        self._last_response = resp
        self.push(faults.odd_reply(resp, odd))

    def _make_epasv(self, extmode=False):
        if first(self._rules, "no_data"):
            self._close_dead_port()
            self._dead_port = faults.DeadPort()
            self.respond(self._dead_port.reply(extmode))
            return
        other = first(self._rules, "pasv_address")
        saved = self.masquerade_address
        if other:
            self.masquerade_address = other.get("address", "10.255.255.1")
        try:
            super()._make_epasv(extmode)
        finally:
            self.masquerade_address = saved

    def push_dtp_data(self, data, isproducer=False, file=None, cmd=None):
        rules = faults.data_rules(self._rules)
        if rules:
            # Whole in memory, so that the bytes can be shaped (and never by
            # sendfile, which would pass the shaping by).
            try:
                payload = faults.drain(data, isproducer)
            finally:
                if file is not None:
                    file.close()
            data, isproducer, file = faults.FaultProducer(self, payload, rules), True, None
        super().push_dtp_data(data, isproducer, file, cmd)

    def _close_dead_port(self):
        if self._dead_port:
            self._dead_port.close()
            self._dead_port = None

    def close(self):
        self._close_dead_port()
        super().close()


class DaemonThreadedFTPServer(ThreadedFTPServer):
    """Connection threads that never keep the simulator from ending."""

    def _start_task(self, *args, **kwargs):
        task = super()._start_task(*args, **kwargs)
        task.daemon = True
        return task


def start_ftp(root, user, password, port=0, config=None):
    """Start the FTP server in a background thread; returns (server, port).
    With config, its fault book and request recorder are used."""
    log = logging.getLogger("pyftpdlib")
    if not log.handlers:
        log.addHandler(logging.StreamHandler())
    log.setLevel(logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")

    class Handler(FaultyHandler):
        pass

    Handler.authorizer = authorizer
    Handler.banner = "cloudsim FTP ready."
    Handler.permit_foreign_addresses = False
    Handler.auth_failed_timeout = 0.2  # tests try wrong passwords on purpose
    if config is not None:
        Handler.book = config.faults
        Handler.recorder = config.recorder
    server = DaemonThreadedFTPServer(("127.0.0.1", port), Handler)
    server.max_cons = 64
    thread = threading.Thread(target=server.serve_forever,
                              kwargs={"timeout": 0.5, "blocking": True}, daemon=True)
    thread.start()
    return server, server.address[1]
