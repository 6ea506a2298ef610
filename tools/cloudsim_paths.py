"""Mapping of the service's remote paths ("/FTP/ASP/...") onto the served folder.

The vendor's server runs on Windows, so names are matched without regard to
case and "\\" counts as a separator. Anything that could step outside the
served folder ("..", a drive, a NUL byte, a symlink pointing out) is refused.
"""
import os


class PathRefused(Exception):
    """The remote path would leave the served folder or is malformed."""


def split_remote(remote):
    """Split a remote path into its components, refusing escapes."""
    if "\x00" in remote:
        raise PathRefused("NUL in path")
    parts = []
    for part in remote.replace("\\", "/").split("/"):
        if part in ("", "."):
            continue
        if part == ".." or ":" in part:
            raise PathRefused("path leaves the root: " + remote)
        parts.append(part)
    return parts


def _candidates(folder, name):
    """Entries of folder spelled like name: the exact spelling first, then
    the others that differ only in case."""
    exact = [name] if os.path.lexists(os.path.join(folder, name)) else []
    try:
        entries = sorted(os.listdir(folder))
    except OSError:
        return exact
    lowered = name.lower()
    return exact + [e for e in entries if e.lower() == lowered and e != name]


def _find(folder, parts):
    """The existing host path for parts below folder, or None. More than one
    spelling may match (CLIENT and Client); the first that leads on wins."""
    if not parts:
        return folder
    for entry in _candidates(folder, parts[0]):
        found = _find(os.path.join(folder, entry), parts[1:])
        if found is not None:
            return found
    return None


def inside(root, host_path):
    """True when host_path, with symlinks resolved, lies in root."""
    real_root = os.path.realpath(root)
    real = os.path.realpath(host_path)
    return real == real_root or real.startswith(real_root + os.sep)


def resolve(root, remote):
    """Host path for a remote path. A path that does not exist keeps the
    longest existing prefix and the spelling given for the rest."""
    parts = split_remote(remote)
    path = None
    for count in range(len(parts), -1, -1):
        path = _find(root, parts[:count])
        if path is not None:
            path = os.path.join(path, *parts[count:]) if parts[count:] else path
            break
    if not inside(root, path):
        raise PathRefused("path leaves the root through a link: " + remote)
    return path


def relative(root, host_path):
    """The host path as a remote path ("/FTP/ASP/..."), for the request log."""
    rel = os.path.relpath(host_path, root)
    return "/" + rel.replace(os.sep, "/")
