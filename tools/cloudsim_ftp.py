"""The FTP side: pyftpdlib over the same folder, one account, loopback only."""
import logging
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import ThreadedFTPServer


def start_ftp(root, user, password, port=0):
    """Start the FTP server in a background thread; returns (server, port)."""
    log = logging.getLogger("pyftpdlib")
    if not log.handlers:
        log.addHandler(logging.StreamHandler())
    log.setLevel(logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")

    class Handler(FTPHandler):
        pass

    Handler.authorizer = authorizer
    Handler.banner = "cloudsim FTP ready."
    Handler.permit_foreign_addresses = False
    Handler.auth_failed_timeout = 0.2  # tests try wrong passwords on purpose
    server = ThreadedFTPServer(("127.0.0.1", port), Handler)
    server.max_cons = 64
    thread = threading.Thread(target=server.serve_forever,
                              kwargs={"timeout": 0.5, "blocking": True}, daemon=True)
    thread.start()
    return server, server.address[1]
