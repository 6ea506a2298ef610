"""Sending a reply, broken as the transport fault rules ask.

Returns whether the connection may carry another request afterwards.
"""
import time

from cloudsim_faults import first
from cloudsim_wire import BLOCK, reset, status_head

FILLER = b"#"


def send_reply(sock, reply, rules, keep_alive, stopping):
    """Write the reply; True when the connection stays usable."""
    if first(rules, "no_reply"):
        return False
    abort = first(rules, "reset")
    if abort and abort.get("after") is None:
        reset(sock)
        return False
    stall = first(rules, "stall")
    if stall and stall.get("where", "headers") == "headers":
        _sleep(float(stall.get("seconds", 5)), stopping)
    endless = first(rules, "endless")
    lengths = _length_texts(first(rules, "content_length"))
    open_ended = endless or first(rules, "no_length") or lengths
    if open_ended or first(rules, "cut") or abort:
        keep_alive = False
    sock.sendall(status_head(reply, None if open_ended else reply.length, keep_alive, lengths))
    if endless:
        _send_endless(sock, endless, first(rules, "trickle"), stopping)
        return False
    return _send_body(sock, reply, rules, stopping) and keep_alive


def _length_texts(rule):
    """The Content-Length values a content_length rule announces instead of
    the true one (one header per value); the body itself stays whole."""
    if not rule:
        return None
    values = rule.get("value", "-1")
    return [str(v) for v in values] if isinstance(values, list) else [str(values)]


def _send_body(sock, reply, rules, stopping):
    """Body bytes up to the first cut or reset, with a stall on the way."""
    events = []
    stall = first(rules, "stall")
    if stall and stall.get("where") == "body":
        events.append((int(stall.get("after", 0)), "stall", stall))
    for name in ("cut", "reset"):
        rule = first(rules, name)
        if rule:
            events.append((int(rule.get("after", 0)), name, rule))
    events.sort(key=lambda event: event[0])
    trickle = first(rules, "trickle")
    sent = 0
    for position, name, rule in events:
        position = min(position, reply.length)
        _send_range(sock, reply, sent, position - sent, trickle, stopping)
        sent = position
        if name == "stall":
            _sleep(float(rule.get("seconds", 5)), stopping)
        elif name == "cut":
            sock.close()
            return False
        else:
            reset(sock)
            return False
    _send_range(sock, reply, sent, reply.length - sent, trickle, stopping)
    return True


def _send_range(sock, reply, start, count, trickle, stopping):
    if count <= 0:
        return
    if reply.file_path is None:
        _send_bytes(sock, reply.body[start:start + count], trickle, stopping)
        return
    with open(reply.file_path, "rb") as source:
        source.seek(0, 2)
        size = source.tell()
        from_file = max(0, min(count, size - start))
        # Measuring the size left the position at the end. Over TLS,
        # socket.sendfile falls back to read-and-send and seeks only for a
        # non-zero offset, so a range from byte 0 would send nothing.
        source.seek(start)
        if from_file and not trickle:
            sent = sock.sendfile(source, start, from_file)
            if sent != from_file:
                raise ConnectionAbortedError("file changed while being sent")
        elif from_file:
            _send_bytes(sock, source.read(from_file), trickle, stopping)
        # A reply made longer than the file (size_delta) is padded.
        _send_bytes(sock, FILLER * (count - from_file), trickle, stopping)


def _send_bytes(sock, data, trickle, stopping):
    if not trickle:
        sock.sendall(data)
        return
    rate = max(1, int(trickle.get("rate", 4)))
    step = max(1, rate // 4)
    for offset in range(0, len(data), step):
        if stopping.is_set():
            raise ConnectionAbortedError("server stopping")
        sock.sendall(data[offset:offset + step])
        time.sleep(step / rate)


def _send_endless(sock, rule, trickle, stopping):
    block = (str(rule.get("byte", "A")).encode("latin-1") or b"A")[:1] * BLOCK
    limit = rule.get("limit")
    sent = 0
    while not stopping.is_set() and (limit is None or sent < int(limit)):
        _send_bytes(sock, block, trickle, stopping)
        sent += len(block)
    sock.close()


def _sleep(seconds, stopping):
    stopping.wait(seconds)
