#!/usr/bin/python3
"""Helpers of bench/run.sh: the server tree, one timed run, the transfer span
from the simulator's request log, and the side-by-side report.

  bench_tool.py tree ROOT FOLDER --big-mib N        sparse BIGDATA.ZIP in FOLDER/Updates
  bench_tool.py tree ROOT FOLDER --files N --bytes B   N small .UPD files there
  bench_tool.py timed --timeout S --record FILE -- CMD...
  bench_tool.py span LOGSLICE --start T --wall S    phases of one program run
  bench_tool.py report RESULTS                      the table
"""
import argparse
import os
import statistics
import subprocess
import sys
import threading
import time
import json

MIB = 1024 * 1024


def make_tree(args):
    """The location's folders as the program lists them (upper-case, since
    the FTP server matches names exactly), an empty software folder and the
    log folder the program uploads its transfer log to."""
    asp = os.path.join(args.root, "FTP", "ASP")
    client = args.folder.split("/", 1)[0]
    updates = os.path.join(asp, args.folder, "Updates")
    for folder in (os.path.join(asp, client, "BIN"), updates,
                   os.path.join(asp, args.folder, "FTPLog")):
        os.makedirs(folder, exist_ok=True)
    if args.big_mib:
        with open(os.path.join(updates, "BIGDATA.ZIP"), "wb") as out:
            out.truncate(args.big_mib * MIB)  # sparse: made at once, read as zeros
    block = os.urandom(args.bytes)
    for number in range(1, args.files + 1):
        with open(os.path.join(updates, "F%04d.UPD" % number), "wb") as out:
            out.write(block)


def timed(args):
    """Runs CMD with a bound; writes "wall rss_kib rc start_epoch cpu" to the
    record. wait4 gives this child's own peak resident set size and its CPU
    time (user and system, its threads and waited-for children included)."""
    epoch = time.time()
    started = time.monotonic()
    child = subprocess.Popen(args.cmd, stdin=subprocess.DEVNULL)
    expired = threading.Event()

    def expire():
        expired.set()
        try:
            child.kill()
        except ProcessLookupError:
            pass

    timer = threading.Timer(args.timeout, expire)
    timer.start()
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.monotonic() - started
    timer.cancel()
    child.returncode = os.waitstatus_to_exitcode(status)
    code = 124 if expired.is_set() else child.returncode
    with open(args.record, "w", encoding="utf-8") as out:
        out.write("%.6f %d %d %.6f %.6f\n" % (wall, usage.ru_maxrss, code, epoch,
                                              usage.ru_utime + usage.ru_stime))
    sys.exit(code)


def span(args):
    """The phases of one program run from the simulator's request log:
    transfer (first getFile's arrival to the arrival of the next other request,
    the log upload: the downloads with their size checks and renames), start-up
    (process start to the first request: the robot, the setup window, the
    settings files), listing (first request to first getFile) and finish (the
    log upload, the local update and the exit). "- - - -" when not derivable."""
    entries = []
    with open(args.log, encoding="utf-8") as log:
        for line in log:
            if line.strip():
                entries.append(json.loads(line))
    gets = [i for i, e in enumerate(entries) if e.get("kind") == "getFile"]
    if not gets or gets[-1] + 1 >= len(entries):
        print("- - - -")
        return
    first, got, after = entries[0]["time"], entries[gets[0]]["time"], entries[gets[-1] + 1]["time"]
    print("%.6f %.6f %.6f %.6f" % (after - got, first - args.start, got - first,
                                   args.start + args.wall - after))


PHASES = ("transfer", "startup", "listing", "finish")


def read_results(path):
    """({scenario: meta}, {(scenario, tool): {"wall": [...], "rss": [...], "cpu": [...], phase: [...]}})"""
    runs = {}
    meta = {}
    with open(path, encoding="utf-8") as results:
        for line in results:
            fields = line.split()
            if not fields:
                continue
            if fields[0] == "meta":
                meta[fields[1]] = {"bytes": int(fields[2]), "files": int(fields[3]),
                                   "title": " ".join(fields[4:])}
                continue
            scenario, tool, _, wall, rss, cpu = fields[:6]
            entry = runs.setdefault((scenario, tool), {"wall": [], "rss": [], "cpu": []})
            entry["wall"].append(float(wall))
            entry["rss"].append(int(rss))
            entry["cpu"].append(float(cpu))
            for name, value in zip(PHASES, fields[6:]):
                if value != "-":
                    entry.setdefault(name, []).append(float(value))
    return meta, runs


def mib_per_s(size, seconds):
    return size / MIB / seconds if seconds > 0 else float("inf")


GOALS = {
    # scenario: (what is compared, goal text, met(program, curl))
    "http": ("throughput", "program >= curl", lambda p, c: p <= c),
    "many": ("time", "program <= 1.2 x curl", lambda p, c: p <= 1.2 * c),
    "ftp": ("throughput", "(no goal; ratio shown)", None),
}


def report(args):
    meta, runs = read_results(args.results)
    print("%-34s %5s %10s %10s %9s %9s %8s  %s" % (
        "scenario", "runs", "program s", "curl s", "prog MiB/s", "curl MiB/s", "ratio", "goal"))
    for scenario in ("http", "many", "ftp"):
        program, curl = runs.get((scenario, "program")), runs.get((scenario, "curl"))
        if not program or not curl or scenario not in meta:
            continue
        info = meta[scenario]
        p, c = statistics.median(program["wall"]), statistics.median(curl["wall"])
        kind, goal, met = GOALS[scenario]
        ratio = c / p if kind == "throughput" else p / c
        verdict = goal if met is None else "%s: %s" % (goal, "met" if met(p, c) else "NOT met")
        print("%-34s %5d %10.3f %10.3f %9.1f %9.1f %8.2f  %s" % (
            info["title"], len(program["wall"]), p, c, mib_per_s(info["bytes"], p),
            mib_per_s(info["bytes"], c), ratio, verdict))
        if program.get("transfer"):
            t = statistics.median(program["transfer"])
            print("%-34s %5s %10.3f %10s %9.1f %9s %8.2f  %s" % (
                "  program, transfer only", "", t, "", mib_per_s(info["bytes"], t), "",
                c / t if kind == "throughput" else t / c,
                "first getFile to the next request"))
            print("%-34s %s" % ("  program phases (median s)", "  ".join(
                "%s %.3f" % (name, statistics.median(program[name])) for name in PHASES)))
        print("%-34s %5s %10.3f %10.3f %29s %s" % (
            "  CPU time (user + system)", "", statistics.median(program["cpu"]),
            statistics.median(curl["cpu"]), "", "the processes' own work, not waits"))
    print()
    print("ratio: curl time / program time for throughput, program time / curl time for 'time'")
    print()
    print("%-34s %12s %12s %12s" % ("peak resident memory", "program MiB", "curl MiB", "goal < 32 MiB"))
    for scenario in ("http", "huge", "many", "ftp"):
        program = runs.get((scenario, "program"))
        if not program or scenario not in meta:
            continue
        curl = runs.get((scenario, "curl"))
        peak = max(program["rss"]) / 1024
        print("%-34s %12.1f %12s %12s" % (
            meta[scenario]["title"], peak,
            "%.1f" % (max(curl["rss"]) / 1024) if curl else "-", "met" if peak < 32 else "NOT met"))
        if scenario == "huge":
            for name, runs_of in (("program", program), ("curl", curl)):
                if runs_of:
                    wall = statistics.median(runs_of["wall"])
                    print("%-34s %12.3f s (%.1f MiB/s)" % (
                        "  %s whole run" % name, wall, mib_per_s(meta[scenario]["bytes"], wall)))


def main(argv):
    parser = argparse.ArgumentParser(prog="bench_tool.py")
    commands = parser.add_subparsers(dest="command", required=True)
    tree = commands.add_parser("tree")
    tree.add_argument("root")
    tree.add_argument("folder")
    tree.add_argument("--big-mib", type=int, default=0)
    tree.add_argument("--files", type=int, default=0)
    tree.add_argument("--bytes", type=int, default=1024)
    run = commands.add_parser("timed")
    run.add_argument("--timeout", type=float, required=True)
    run.add_argument("--record", required=True)
    run.add_argument("cmd", nargs=argparse.REMAINDER)
    spans = commands.add_parser("span")
    spans.add_argument("log")
    spans.add_argument("--start", type=float, required=True, help="the run's start, epoch seconds")
    spans.add_argument("--wall", type=float, required=True, help="the run's length, seconds")
    table = commands.add_parser("report")
    table.add_argument("results")
    args = parser.parse_args(argv)
    if args.command == "timed" and args.cmd[:1] == ["--"]:
        args.cmd = args.cmd[1:]
    {"tree": make_tree, "timed": timed, "span": span, "report": report}[args.command](args)


if __name__ == "__main__":
    main(sys.argv[1:])
