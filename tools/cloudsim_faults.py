"""Fault rules: what the simulated server does wrong, and to which requests.

A rule is a JSON object:
  {"fault": NAME, "op": KIND or "*", "match": GLOB, "times": N, "skip": K, ...params}
"op" is the request kind (listFolder, getFile, putFile, delFile,
getServerDateTime; on the FTP side the command's verb, or "greeting"; or "*"
for any, the default); "match" is a case-blind glob
on the request's remote path (fullpath, folder, or folder + file name for an
upload; default "*"); "skip" lets the first K matching requests through;
"times" applies the rule to at most N matching requests after those (default:
every one). Rules come from --fault options and from a control file that is
read again on every request, so a test can change them while the server runs.
Counters survive a re-read as long as a rule's text stays the same.
"""
import fnmatch
import json
import threading

FAULT_NAMES = {
    "cut", "reset", "stall", "size_delta", "listing_size", "listing_extra",
    "listing_error", "get_error", "put_reply", "empty_body", "no_reply",
    "status", "endless", "redirect", "trickle", "no_length", "content_length",
    # the FTP side's own (cloudsim_ftp_faults)
    "reply", "pasv_address", "no_data", "odd_reply",
}


def _value(text):
    for convert in (int, float):
        try:
            return convert(text)
        except ValueError:
            pass
    return text


def parse_fault_option(spec):
    """A rule from --fault: a JSON object or NAME[,key=value,...]."""
    spec = spec.strip()
    if spec.startswith("{"):
        rule = json.loads(spec)
    else:
        name, _, rest = spec.partition(",")
        rule = {"fault": name.strip()}
        for item in filter(None, rest.split(",")):
            key, _, val = item.partition("=")
            rule[key.strip()] = _value(val.strip())
    check_rule(rule)
    return rule


def check_rule(rule):
    if not isinstance(rule, dict) or rule.get("fault") not in FAULT_NAMES:
        raise ValueError("unknown fault rule: %r" % (rule,))


class FaultBook:
    """The rules in force and how often each has been used."""

    def __init__(self, fixed_rules, control_file=None):
        self.fixed = list(fixed_rules)
        self.control_file = control_file
        self.lock = threading.Lock()
        self.seen = {}

    def _control_rules(self):
        if not self.control_file:
            return []
        try:
            with open(self.control_file, encoding="utf-8") as handle:
                data = json.load(handle)
        except (OSError, ValueError):
            return []
        rules = data.get("faults", []) if isinstance(data, dict) else data
        return [r for r in rules if isinstance(r, dict) and r.get("fault") in FAULT_NAMES]

    def select(self, op, target):
        """The rules that apply to this request, counted as used."""
        chosen = []
        with self.lock:
            for index, rule in enumerate(self.fixed + self._control_rules()):
                if not _applies(rule, op, target):
                    continue
                key = "%d:%s" % (index, json.dumps(rule, sort_keys=True))
                count = self.seen.get(key, 0)
                self.seen[key] = count + 1
                skip = int(rule.get("skip", 0))
                times = rule.get("times")
                if count < skip:
                    continue
                if times is not None and count - skip >= int(times):
                    continue
                chosen.append(rule)
        return chosen


def _applies(rule, op, target):
    wanted = rule.get("op", "*")
    if wanted != "*" and wanted.lower() != op.lower():
        return False
    pattern = str(rule.get("match", "*")).lower()
    return fnmatch.fnmatchcase(target.lower(), pattern)


def first(rules, name):
    """The first chosen rule called name, or None."""
    for rule in rules:
        if rule["fault"] == name:
            return rule
    return None
