"""The file service's requests under /kwsync/: what each one does and answers.

Replies are in-band texts with status 200, as the vendor's service gives them:
"OK", a listing, the file's bytes, or a text beginning "ERROR".
"""
import datetime
import fnmatch
import os
import tempfile

import cloudsim_multipart as multipart
from cloudsim_faults import first
from cloudsim_paths import PathRefused, inside, relative, resolve, split_remote

KINDS = {
    "/kwsync/listfolder.pyc": "listFolder",
    "/kwsync/getfile.pyc": "getFile",
    "/kwsync/putfile.pyc": "putFile",
    "/kwsync/delfile.pyc": "delFile",
    "/kwsync/getserverdatetime.pyc": "getServerDateTime",
}

NO_FILE = "ERROR:Specified file does not exist"
NO_FOLDER = "ERROR:Specified folder does not exist"
REFUSED = "ERROR:Access denied"


class Reply:
    """One answer: status, extra headers, and a body held in memory or in a file."""

    def __init__(self, text="", status=200, reason="OK", content_type="text/plain"):
        self.status = status
        self.reason = reason
        self.headers = [("Content-Type", content_type)]
        self.body = text.encode("utf-8") if isinstance(text, str) else text
        self.file_path = None
        self.length = len(self.body)


def file_reply(path, length):
    reply = Reply(b"", content_type="application/octet-stream")
    reply.file_path = path
    reply.length = length
    return reply


def html_reply(status, reason, message):
    page = ("<html><head><title>%d %s</title></head><body><h1>%s</h1>"
            "<p>%s</p></body></html>\r\n" % (status, reason, reason, message))
    return Reply(page, status, reason, "text/html")


def kind_of(path):
    return KINDS.get(path.lower())


def target_of(kind, query, form):
    """The remote path a request is about, for fault matching and the log."""
    if kind == "listFolder":
        return query.get("folder", "")
    if kind in ("getFile", "delFile"):
        return query.get("fullpath", "")
    if kind == "putFile" and form is not None:
        folder = multipart.field(form, "folder")
        folder_text = folder["data"].decode("latin-1") if folder else ""
        return folder_text.rstrip("/") + "/" + upload_name(form)
    return ""


def upload_name(form):
    named = multipart.field(form, "filename")
    if named and named["data"].strip():
        return named["data"].decode("latin-1").strip()
    data = multipart.field(form, "datafile")
    return (data["filename"] or "") if data else ""


def _existing(config, remote, kind_test, missing_text):
    """(host path, None) for an existing entry of the wanted kind, else
    (None, the in-band refusal to send)."""
    try:
        path = resolve(config.root, remote)
    except PathRefused:
        return None, Reply(REFUSED)
    if not kind_test(path):
        return None, Reply(missing_text)
    return path, None


def list_folder(config, query, rules, note):
    if query.get("displaymode", "").lower() != "plain":
        return html_reply(400, "Bad Request", "only displaymode=plain is served here")
    broken = first(rules, "listing_error")
    if broken:
        return Reply(broken.get("text", NO_FOLDER))
    folder, refusal = _existing(config, query.get("folder", ""), os.path.isdir, NO_FOLDER)
    if refusal:
        return refusal
    lines = [f"{name},{size}" for name, size in _folder_files(config.root, folder)]
    lines = _apply_listing_faults(lines, rules)
    note["listed"] = len(lines)
    text = "\r\n".join(lines)
    if lines and config.listing_final_crlf:
        text += "\r\n"
    return Reply(text)


def _folder_files(root, folder):
    entries = []
    for name in sorted(os.listdir(folder), key=str.lower):
        path = os.path.join(folder, name)
        if os.path.isfile(path) and inside(root, path):
            entries.append((name, os.path.getsize(path)))
    return entries


def _apply_listing_faults(lines, rules):
    for rule in rules:
        if rule["fault"] == "listing_size":
            pattern = str(rule.get("name", "*")).lower()
            lines = [_resize(line, pattern, rule.get("size", 0)) for line in lines]
        elif rule["fault"] == "listing_extra":
            extra = rule.get("lines", [])
            extra = [extra] if isinstance(extra, str) else list(extra)
            lines = extra + lines if rule.get("position") == "start" else lines + extra
    return lines


def _resize(line, pattern, size):
    name, _, _ = line.rpartition(",")
    return f"{name},{size}" if fnmatch.fnmatchcase(name.lower(), pattern) else line


def get_file(config, query, rules, note):
    wrong = first(rules, "get_error")
    if wrong:
        return Reply(wrong.get("text", "ERROR:Server is busy"))
    path, refusal = _existing(config, query.get("fullpath", ""), os.path.isfile, NO_FILE)
    if refusal:
        return refusal
    size = os.path.getsize(path)
    delta = first(rules, "size_delta")
    length = max(0, size + int(delta.get("delta", 1))) if delta else size
    note["file"] = relative(config.root, path)
    return file_reply(path, length)


def put_file(config, body, content_type, rules, note):
    boundary = multipart.boundary_of(content_type)
    form = multipart.parse_form(body, boundary) if boundary else []
    folder = multipart.field(form, "folder")
    data = multipart.field(form, "datafile")
    name = upload_name(form)
    wrong = first(rules, "put_reply")
    if folder is None or data is None or not name:
        return Reply("ERROR:Incomplete upload form")
    if wrong and not wrong.get("store", True):
        return Reply(wrong.get("text", "ERROR:Upload refused"))
    try:
        if len(split_remote(name)) != 1:
            raise PathRefused(name)
        target = resolve(config.root, folder["data"].decode("latin-1") + "/" + name)
    except PathRefused:
        return Reply(REFUSED)
    _store(target, data["data"])
    note["stored"] = relative(config.root, target)
    note["stored_size"] = len(data["data"])
    return Reply(wrong.get("text", "ERROR:Upload refused") if wrong else "OK")


def _store(target, data):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    handle, temp = tempfile.mkstemp(dir=os.path.dirname(target), prefix=".upload-")
    with os.fdopen(handle, "wb") as out:
        out.write(data)
    os.chmod(temp, 0o644)
    os.replace(temp, target)


def del_file(config, query, note):
    path, refusal = _existing(config, query.get("fullpath", ""), os.path.isfile, NO_FILE)
    if refusal:
        return refusal
    os.unlink(path)
    note["deleted"] = relative(config.root, path)
    return Reply("OK")


def server_date_time(config):
    if config.datetime_text is not None:
        return Reply(config.datetime_text)
    return Reply(datetime.datetime.now().strftime("%Y-%m-%d %H:%M:%S"))
