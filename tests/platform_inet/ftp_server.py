"""A throw-away FTP server for the Internet client tests.

Usage: ftp_server.py ROOT USER PASSWORD
Serves ROOT to one virtual user on 127.0.0.1 and a free port, prints the port
on the first line of standard output and runs until it is terminated.
"""
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root, user, password = sys.argv[1:4]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.passive_ports = None
    handler.permit_foreign_addresses = False
    # Keep failed logins quick: the tests count on prompt 530 replies.
    handler.auth_failed_timeout = 0
    logging.basicConfig(level=logging.WARNING)
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.address[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
