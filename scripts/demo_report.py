#!/usr/bin/python3
"""demo_report.py TRANSCRIPT DRIVE_C SERVER_ROOT: what the demo run did, readably."""
import json
import os
import sys


def messages(transcript):
    with open(transcript, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            try:
                event = json.loads(line)
            except ValueError:
                continue
            if event.get("event") == "message":
                yield event
            elif event.get("event") in ("error", "exit"):
                yield event


def listing(folder):
    if not os.path.isdir(folder):
        return ["    (no folder)"]
    names = sorted(os.listdir(folder))
    return ["    %-24s %9d bytes" % (n, os.path.getsize(os.path.join(folder, n))) for n in names] or ["    (empty)"]


def main(transcript, drive_c, server_root):
    print("Messages shown:")
    if not os.path.exists(transcript):
        print("    (not recorded: the run was in the window)")
    for event in messages(transcript) if os.path.exists(transcript) else []:
        if event["event"] == "message":
            caption = event.get("caption") or "Message"
            print("  [%s] %s   -> %s" % (caption, event.get("text", "").replace("|", "\n      "),
                                        event.get("answer", "")))
        elif event["event"] == "error":
            print("  ROBOT ERROR: %s" % event.get("message"))
        else:
            print("  program ended with code %s" % event.get("code"))
    for title, folder in (("Inbox C:\\VORLAN\\T1\\INBOX\\", "VORLAN/T1/INBOX"), ("Programs C:\\VORLAN\\BIN\\", "VORLAN/BIN")):
        print("%s:" % title)
        print("\n".join(listing(os.path.join(drive_c, folder))))
    asp = os.path.join(server_root, "FTP", "ASP")
    print("Update flags of location 12 on the server:")
    for flag in ("CLIENT/BIN/SWUPD12.TXT", "CLIENT/BIN/POSID12.TXT", "Client/Store/Updates/POSID12.TPS"):
        gone = not os.path.exists(os.path.join(asp, flag))
        print("    /FTP/ASP/%-34s %s" % (flag, "removed" if gone else "still there"))
    logs = os.path.join(server_root, "FTP", "ASP", "Client", "Store", "FTPLog")
    names = sorted(os.listdir(logs)) if os.path.isdir(logs) else []
    print("Transfer log on the server (/FTP/ASP/Client/Store/FTPLog/):")
    if not names:
        print("    (none arrived)")
    for name in names:
        print("  %s:" % name)
        with open(os.path.join(logs, name), encoding="latin-1") as log:
            for line in log.read().splitlines():
                print("    " + line)


if __name__ == "__main__":
    main(*sys.argv[1:4])
