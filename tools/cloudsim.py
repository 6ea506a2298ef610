#!/usr/bin/python3
"""Cloud simulator: the vendor's HTTP file service (/kwsync/...) and its FTP
server over one local folder, with switchable faults, for tests and the demo.

  cloudsim.py [serve] --root DIR [options]   serve DIR as the server's "/"
  cloudsim.py seed --root DIR [options]      fill DIR with a sample location

On start-up `serve` prints, one per line and flushed: "PORT n" (HTTP),
"HTTPSPORT n" (with --cert/--key), "FTPPORT n" (with --ftp), then "READY".
It runs until SIGTERM or SIGINT.
"""
import argparse
import json
import os
import signal
import sys
import threading

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cloudsim_seed  # noqa: E402
import cloudsim_server as server  # noqa: E402
from cloudsim_faults import FaultBook, parse_fault_option  # noqa: E402


class Config:
    """What every connection thread needs."""

    def __init__(self, args):
        self.root = os.path.abspath(args.root)
        self.faults = FaultBook([parse_fault_option(f) for f in args.fault], args.control)
        self.recorder = server.RequestRecorder(args.log, args.capture_dir)
        self.listing_final_crlf = args.listing_final_crlf
        self.datetime_text = args.datetime
        self.stopping = threading.Event()
        self.tls = server.tls_context(args.cert, args.key) if args.cert else None


def serve_parser():
    p = argparse.ArgumentParser(prog="cloudsim.py [serve]")
    p.add_argument("--root", required=True, help="folder served as the server's /")
    p.add_argument("--port", type=int, default=0, help="HTTP port (0: a free one)")
    p.add_argument("--cert", help="PEM certificate: also serve HTTPS")
    p.add_argument("--key", help="PEM private key for --cert")
    p.add_argument("--https-port", type=int, default=0)
    p.add_argument("--ftp", action="store_true", help="also serve FTP (pyftpdlib)")
    p.add_argument("--ftp-port", type=int, default=0)
    p.add_argument("--ftp-user", default="VorlanFTP")
    p.add_argument("--ftp-password", default="cloudsim")
    p.add_argument("--log", help="append one JSON line per request to this file")
    p.add_argument("--capture-dir", help="keep each request's raw bytes as NNNN.req here")
    p.add_argument("--control", help="JSON fault file, read again on every request")
    p.add_argument("--fault", action="append", default=[],
                   help='fault rule: JSON object or NAME[,key=value...] (repeatable)')
    p.add_argument("--listing-final-crlf", action="store_true",
                   help="end a listing's last line with CR LF too")
    p.add_argument("--datetime", help="fixed reply of getServerDateTime.pyc")
    p.add_argument("--seed", action="store_true", help="seed the root before serving")
    p.add_argument("--ports-file", help="also write the ports as JSON to this file")
    return p


def seed_parser():
    p = argparse.ArgumentParser(prog="cloudsim.py seed")
    p.add_argument("--root", required=True)
    add_seed_options(p)
    return p


def add_seed_options(p):
    p.add_argument("--cloud-folder", default="Client/Store", help="client/location")
    p.add_argument("--location", type=int, default=12, help="POS location ID")
    p.add_argument("--global-folder", default=None,
                   help="global cloud folder (default: client/Global; '' for none)")
    p.add_argument("--registered", action="store_true",
                   help="put TBL_REGISTRATION.TPS in the database folder")
    p.add_argument("--big-mib", type=int, default=0, help="add BIGDATA.ZIP of this size")


def run_seed(args):
    written = cloudsim_seed.seed(args.root, args.cloud_folder, args.location,
                                 args.global_folder, args.registered, args.big_mib)
    for path, size in written:
        print("FILE /%s %d" % (os.path.relpath(path, args.root), size))


def run_serve(args):
    if bool(args.cert) != bool(args.key):
        sys.exit("cloudsim: --cert and --key go together")
    os.makedirs(args.root, exist_ok=True)
    if args.seed:
        cloudsim_seed.seed(args.root, args.cloud_folder, args.location,
                           args.global_folder, args.registered, args.big_mib)
    config = Config(args)
    ports = start_listeners(config, args)
    for name, port in ports.items():
        print("%s %d" % (name, port), flush=True)
    if args.ports_file:
        with open(args.ports_file, "w", encoding="utf-8") as out:
            json.dump(ports, out)
    print("READY", flush=True)
    for sig in (signal.SIGTERM, signal.SIGINT):
        signal.signal(sig, _stop)
    try:
        while True:
            signal.pause()
    except SystemExit:
        config.stopping.set()


def _stop(*_):
    raise SystemExit(0)


def start_listeners(config, args):
    ports = {}
    plain = server.listen(args.port)
    ports["PORT"] = plain.getsockname()[1]
    server.start_acceptor(config, plain, "http")
    if config.tls:
        secure = server.listen(args.https_port)
        ports["HTTPSPORT"] = secure.getsockname()[1]
        server.start_acceptor(config, secure, "https")
    if args.ftp:
        import cloudsim_ftp
        _, ports["FTPPORT"] = cloudsim_ftp.start_ftp(config.root, args.ftp_user,
                                                     args.ftp_password, args.ftp_port,
                                                     config=config)
    return ports


def main(argv):
    if argv and argv[0] == "seed":
        run_seed(seed_parser().parse_args(argv[1:]))
        return
    if argv and argv[0] == "serve":
        argv = argv[1:]
    parser = serve_parser()
    add_seed_options(parser)
    run_serve(parser.parse_args(argv))


if __name__ == "__main__":
    main(sys.argv[1:])
