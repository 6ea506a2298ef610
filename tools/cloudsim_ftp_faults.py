"""What the FTP side does wrong when a fault rule says so (see cloudsim_faults).

Rules name the FTP verb as "op" ("greeting" for the banner) and the
absolute path the command is about as "match". The faults:

  reply       {"code": 550, "text": "...", "close": false}: answer the command
              (or greet) with this reply instead of doing it; 421 also closes
              the connection after a command (after a greeting the client does)
  stall       {"seconds": S}: wait before handling the command (or greeting);
              {"where": "data", "after": N}: stop the data after N bytes
  reset       reset the control connection at the command, or, for a data
              command, both connections after {"after": N} bytes of data
  cut         {"after": N, "text": "226 ..."}: end the data after N bytes (or
              {"through": TEXT}: just after TEXT) and report success (with the
              reply text given, if any)
  size_delta  {"delta": N}: send N bytes more (or fewer) than the file holds
  listing_extra {"lines": [...], "position": "start"}: raw lines in a listing
  pasv_address {"address": "10.255.255.1"}: a PASV reply naming another host
  no_data     the PASV/EPSV reply names a port that never accepts; the data
              command that follows then waits for ever
  odd_reply   {"style": "lf" | "multiline" | "nul"}: replies with bare LF line
              ends, spread over several lines, or holding NUL bytes
"""
import socket
import struct
import time

from cloudsim_faults import first

DATA_FAULTS = {"cut", "reset", "size_delta", "listing_extra"}
# Every stall ends, so that a forgotten rule cannot keep the server busy.
MAX_STALL_SECONDS = 120.0


def stall(rule):
    time.sleep(min(float(rule.get("seconds", 30)), MAX_STALL_SECONDS))


def data_rules(rules):
    """The rules that change what a data connection carries."""
    return [r for r in rules if r["fault"] in DATA_FAULTS
            or (r["fault"] == "stall" and r.get("where") == "data")]


def reset_socket(sock):
    """Close sock with an RST instead of an orderly end."""
    if sock is None:
        return
    try:
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    except OSError:
        pass


def reset_connection(handler):
    reset_socket(handler.socket)
    if handler.data_channel is not None:
        reset_socket(handler.data_channel.socket)
    handler.close()


def drain(data, isproducer):
    """All bytes a pyftpdlib producer (or plain data) would send."""
    if not isproducer:
        return data.encode() if isinstance(data, str) else bytes(data)
    chunks = []
    while True:
        chunk = data.more()
        if not chunk:
            return b"".join(chunks)
        chunks.append(bytes(chunk))


def shaped_payload(payload, rules):
    """The bytes the data connection is to carry under the rules."""
    extra = first(rules, "listing_extra")
    if extra:
        lines = "".join(line + "\r\n" for line in extra.get("lines", []))
        added = lines.encode("utf-8", "surrogateescape")
        payload = added + payload if extra.get("position") == "start" else payload + added
    delta = first(rules, "size_delta")
    if delta:
        change = int(delta.get("delta", 1))
        payload = payload + b"\0" * change if change > 0 else payload[:max(0, len(payload) + change)]
    cut = first(rules, "cut")
    if cut and "through" in cut:
        through = cut["through"].encode("utf-8")
        end = payload.find(through)
        payload = payload[:end + len(through)] if end >= 0 else payload
    elif cut:
        payload = payload[:int(cut.get("after", 0))]
    return payload


class FaultProducer:
    """A producer for a data connection that stalls or resets on the way."""

    chunk_size = 65536

    def __init__(self, handler, payload, rules):
        self.handler = handler
        self.payload = shaped_payload(payload, rules)
        self.stall = first(rules, "stall")
        self.reset = first(rules, "reset")
        self.sent = 0

    def _stop_at(self, rule):
        return int(rule.get("after", 0)) if rule else None

    def more(self):
        reset_at, stall_at = self._stop_at(self.reset), self._stop_at(self.stall)
        if reset_at is not None and self.sent >= reset_at:
            reset_connection(self.handler)
            return b""
        if stall_at is not None and self.sent >= stall_at:
            stall(self.stall)
            self.stall = None
            stall_at = None
        end = min([len(self.payload), self.sent + self.chunk_size]
                  + [at for at in (reset_at, stall_at) if at is not None and at > self.sent])
        chunk = self.payload[self.sent:end]
        self.sent = end
        return chunk


def odd_reply(resp, rule):
    """The reply line(s) for resp ("250 text") in the rule's style."""
    style = rule.get("style", "lf")
    if style == "lf":
        return resp + "\n"
    if style == "nul":
        return resp[:4] + "\0" + resp[4:] + "\0\r\n"
    code, text = resp[:3], resp[4:]
    return "%s-%s\r\n second line of a long reply\r\n%s-third line\r\n%s %s\r\n" % (
        code, text, code, code, text)


class DeadPort:
    """A listening socket nobody accepts on: a data connection that never
    starts. Closed with the control connection."""

    def __init__(self):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.sock.bind(("127.0.0.1", 0))
        self.sock.listen(1)
        self.port = self.sock.getsockname()[1]

    def reply(self, extended):
        if extended:
            return "229 Entering extended passive mode (|||%d|)." % self.port
        return "227 Entering passive mode (127,0,0,1,%d,%d)." % (self.port // 256, self.port % 256)

    def close(self):
        self.sock.close()
