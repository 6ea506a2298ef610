"""A sample location on the server: software and database updates with both
flags, some files the client must pass over, and an empty log folder."""
import os
import random

PATTERN_BLOCK = 65537  # not a power of two, so a misplaced block shows


def _content(name, size):
    return random.Random(name).randbytes(size)


def _ini(lines):
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def software_files(location):
    return {
        "VLSECR.EXE": 200 * 1024 + 17,
        "VLSECR_SQL.EXE": 210 * 1024 + 3,
        "HVLSECR.EXE": 90 * 1024,
        "QUENTA.EXE": 70 * 1024 + 1,
        "TPSFIX.EXE": 30 * 1024,
        "C60RUNX.DLL": 100 * 1024 + 5,
        "FBCLIENT.DLL": 120 * 1024,
        "OTHER.DLL": 5 * 1024,
        "README.TXT": b"Release notes.\r\n",
        "SWUPD%d.TXT" % location: b"Software update for location %d\r\n" % location,
        "POSID%d.TXT" % location: b"Database update for location %d\r\n" % location,
        "SWUPD7.TXT" if location != 7 else "SWUPD8.TXT": b"Another location\r\n",
    }


def database_files(location):
    other = 7 if location != 7 else 8
    return {
        "POSID%d.TPS" % location: 1057,
        "POSID%d.TPS" % other: 1057,
        "CUSTOMER.TPS": 40 * 1024,
        "ITEMS.UPD": 64 * 1024,
        "PRICES.UPD": 65536,
        "MENU.ZIP": 150 * 1024 + 9,
        "TBL_VLHOSTS.TPS": 2048,
        "VORPOS%d.INI" % location: _ini(["[VLSPOS]", "LocationID=%d" % location,
                                         "Terminal=1"]),
        "UPDFLAGS.INI": _ini(["[POS_PassedFlags]", "NewMaster=0"]),
    }


def global_files():
    return {"GLOBALITEMS.TPS": 30 * 1024, "LOCALDATA.DAT": 4096,
            "TBL_REGISTRATION.TPS": 3000, "GROUPS.FLG": 100, "PLU.UPD": 20 * 1024}


def _write_all(folder, files):
    os.makedirs(folder, exist_ok=True)
    written = []
    for name, spec in files.items():
        data = spec if isinstance(spec, bytes) else _content(name, spec)
        path = os.path.join(folder, name)
        with open(path, "wb") as out:
            out.write(data)
        written.append((path, len(data)))
    return written


def write_big(path, mib):
    block = _content("big", PATTERN_BLOCK)
    remaining = mib * 1024 * 1024
    with open(path, "wb") as out:
        while remaining > 0:
            piece = block[:remaining]
            out.write(piece)
            remaining -= len(piece)
    return path, mib * 1024 * 1024


def seed(root, cloud_folder="Client/Store", location=12, global_folder=None,
         registered=False, big_mib=0):
    """Fill root with one location; returns [(host path, size)] of the files."""
    client = cloud_folder.split("/", 1)[0]
    if global_folder is None:
        global_folder = client + "/Global"
    asp = os.path.join(root, "FTP", "ASP")
    software = os.path.join(asp, (client + "/BIN").upper())
    database = os.path.join(asp, cloud_folder, "Updates")
    written = _write_all(software, software_files(location))
    written += _write_all(os.path.join(software, "BACKUP"), {"OLD.EXE": 1000})
    database_set = database_files(location)
    if registered:
        database_set["TBL_REGISTRATION.TPS"] = 3000
    written += _write_all(database, database_set)
    os.makedirs(os.path.join(asp, cloud_folder, "FTPLog"), exist_ok=True)
    if global_folder:
        written += _write_all(os.path.join(asp, global_folder, "Updates"), global_files())
    if big_mib:
        written.append(write_big(os.path.join(database, "BIGDATA.ZIP"), big_mib))
    return written
