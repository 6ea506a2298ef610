"""A throw-away FTP server for the FTP run tests, with two faults to order.

Usage: ftp_run_server.py ROOT USER PASSWORD COMMANDS_FILE [--vanish NAME]... [--stall NAME]...
                         [--refuse-delete]
Serves ROOT to one user on 127.0.0.1 and a free port, prints the port on the
first line of standard output and runs until it is terminated. Every command
received is appended to COMMANDS_FILE (verb and argument, one per line).
--vanish NAME: the file is deleted just before it is retrieved, as if it had
gone between the listing and the download. --stall NAME: retrieving it
answers 150 and then sends nothing. --refuse-delete: every DELE is refused.
"""
import argparse
import logging
import os
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import ThreadedFTPServer


def main():
    p = argparse.ArgumentParser()
    p.add_argument("root")
    p.add_argument("user")
    p.add_argument("password")
    p.add_argument("commands")
    p.add_argument("--vanish", action="append", default=[])
    p.add_argument("--stall", action="append", default=[])
    p.add_argument("--refuse-delete", action="store_true")
    args = p.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")

    class Handler(FTPHandler):
        def pre_process_command(self, line, cmd, arg):
            with open(args.commands, "a", encoding="utf-8") as out:
                out.write(cmd + ("" if cmd == "PASS" else " " + (arg or "")) + "\n")
            super().pre_process_command(line, cmd, arg)

        def ftp_RETR(self, file):
            name = os.path.basename(file)
            if name in args.vanish and os.path.exists(file):
                os.remove(file)
            if name in args.stall:
                self.respond("150 File status okay. About to open data connection.")
                time.sleep(600)
                return None
            return super().ftp_RETR(file)

        def ftp_DELE(self, path):
            if args.refuse_delete:
                self.respond("550 Deleting is not allowed here.")
                return None
            return super().ftp_DELE(path)

    Handler.authorizer = authorizer
    Handler.permit_foreign_addresses = False
    Handler.auth_failed_timeout = 0
    logging.basicConfig(level=logging.WARNING)
    server = ThreadedFTPServer(("127.0.0.1", 0), Handler)
    print(server.address[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
