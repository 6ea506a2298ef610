"""Reading the multipart/form-data body of an upload."""
import re

_BOUNDARY = re.compile(r'boundary=("?)([^";]+)\1', re.IGNORECASE)
_NAME = re.compile(r'\bname="([^"]*)"', re.IGNORECASE)
_FILENAME = re.compile(r'\bfilename="([^"]*)"', re.IGNORECASE)


def boundary_of(content_type):
    match = _BOUNDARY.search(content_type or "")
    return match.group(2).strip() if match else None


def parse_form(body, boundary):
    """Parts of the form as a list of {name, filename, headers, data}.

    Each part runs from the line after a delimiter to the CR LF before the
    next one; the closing delimiter ends the form.
    """
    delimiter = b"--" + boundary.encode("latin-1")
    parts = []
    pieces = body.split(b"\r\n" + delimiter)
    first = pieces[0]
    if first.startswith(delimiter):
        pieces[0] = first[len(delimiter):]
    else:
        return parts
    for piece in pieces:
        if piece.startswith(b"--"):
            break
        if piece.startswith(b"\r\n"):
            piece = piece[2:]
        head, sep, data = piece.partition(b"\r\n\r\n")
        if not sep:
            continue
        parts.append(_part(head.decode("latin-1"), data))
    return parts


def _part(head, data):
    headers = {}
    for line in head.split("\r\n"):
        key, _, value = line.partition(":")
        headers[key.strip().lower()] = value.strip()
    disposition = headers.get("content-disposition", "")
    name = _NAME.search(disposition)
    filename = _FILENAME.search(disposition)
    return {
        "name": name.group(1) if name else "",
        "filename": filename.group(1) if filename else None,
        "headers": headers,
        "data": data,
    }


def field(parts, name):
    for part in parts:
        if part["name"] == name:
            return part
    return None
