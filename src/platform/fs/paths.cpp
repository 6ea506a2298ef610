#include "platform/fs/paths.h"

#include <cctype>
#include <cerrno>
#include <optional>
#include <system_error>
#include <sys/stat.h>
#include <vector>

#include "platform/base/errors.h"
#include "platform/base/platform_config.h"
#include "platform/fs/file_status.h"

namespace vl::fs {
namespace {

namespace stdfs = std::filesystem;

std::optional<std::string>& currentHolder() {
  static std::optional<std::string> current;
  return current;
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isSep(char c) { return c == '\\' || c == '/'; }

std::vector<std::string> splitParts(std::string_view text) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : text) {
    if (isSep(c)) {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

// Folds "." and ".."; a ".." above the root stays at the root, as on Windows.
std::vector<std::string> normalise(const std::vector<std::string>& parts, size_t keep) {
  std::vector<std::string> out;
  for (const auto& p : parts) {
    if (p == ".") continue;
    if (p == "..") {
      if (out.size() > keep) out.pop_back();
      continue;
    }
    out.push_back(p);
  }
  return out;
}

// Root ("C:" or "\\server\share") and the components below it.
struct Parsed {
  std::string root;
  std::vector<std::string> parts;
};

std::optional<Parsed> parseAbsolute(std::string_view path) {
  if (path.size() >= 2 && isSep(path[0]) && isSep(path[1])) {
    auto parts = splitParts(path.substr(2));
    if (parts.size() < 2) return std::nullopt;
    Parsed p{"\\\\" + parts[0] + "\\" + parts[1], {}};
    p.parts = normalise(std::vector<std::string>(parts.begin() + 2, parts.end()), 0);
    return p;
  }
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      isSep(path[2])) {
    return Parsed{std::string(1, upper(path[0])) + ":", normalise(splitParts(path.substr(3)), 0)};
  }
  return std::nullopt;
}

std::string join(const Parsed& p) {
  std::string out = p.root;
  if (p.parts.empty()) return out + "\\";
  for (const auto& part : p.parts) out += "\\" + part;
  return out;
}

std::string startDirectory() {
  std::error_code ec;
  auto cwd = stdfs::current_path(ec);
  if (ec) return "C:\\";
  return toWindowsPath(cwd);
}

std::optional<std::string> findEntry(const stdfs::path& folder, const std::string& name);

// Server and share names are as case-blind as the folders below them.
stdfs::path resolvedChild(const stdfs::path& folder, const std::string& name) {
  auto found = findEntry(folder, name);
  return folder / (found ? *found : name);
}

stdfs::path hostRoot(const std::string& root) {
  const auto& config = vl::platform::platformConfig();
  if (root.size() > 2 && root[0] == '\\') {
    auto parts = splitParts(root);
    return resolvedChild(resolvedChild(config.prefix / "unc", parts[0]), parts[1]);
  }
  switch (upper(root[0])) {
    case 'C': return config.driveC;
    case 'Z': return "/";
    default: return config.prefix / (std::string("drive_") + static_cast<char>(root[0] - 'A' + 'a'));
  }
}

// The entry of an existing folder whose name matches without regard to case;
// an exact match wins so that two names differing in case stay reachable.
std::optional<std::string> findEntry(const stdfs::path& folder, const std::string& name) {
  std::error_code ec;
  if (stdfs::symlink_status(folder / name, ec).type() != stdfs::file_type::not_found && !ec) return name;
  auto names = detail::namesLike(folder, name);
  if (names.empty()) return std::nullopt;
  return names.front();
}

// The host path when every component exists with the case written, or when
// every one but the last does and the last matches no name in its folder.
std::optional<stdfs::path> writtenAsStored(const stdfs::path& host, const std::vector<std::string>& parts) {
  if (parts.empty()) return std::nullopt;
  stdfs::path folder = host;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) folder /= parts[i];
  stdfs::path whole = folder / parts.back();
  struct stat st {};
  if (::lstat(whole.c_str(), &st) == 0) return whole;
  if (errno != ENOENT || ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  auto names = detail::namesLike(folder, parts.back());
  return folder / (names.empty() ? parts.back() : names.front());
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

std::string currentDirectory() {
  auto& current = currentHolder();
  if (!current) current = startDirectory();
  return *current;
}

void resetCurrentDirectory() { currentHolder().reset(); }

std::string fullPath(std::string_view path) {
  if (auto p = parseAbsolute(path)) return join(*p);
  std::string cur = currentDirectory();
  auto base = parseAbsolute(cur);
  if (!base) return {};
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    // "D:name" is relative to that drive's root unless it is the current drive.
    if (upper(path[0]) != base->root[0] || base->root.size() != 2)
      return join(Parsed{std::string(1, upper(path[0])) + ":", normalise(splitParts(path.substr(2)), 0)});
    path = path.substr(2);
  }
  if (!path.empty() && isSep(path[0])) {
    return join(Parsed{base->root, normalise(splitParts(path), 0)});
  }
  auto parts = base->parts;
  for (auto& part : splitParts(path)) parts.push_back(part);
  return join(Parsed{base->root, normalise(parts, 0)});
}

stdfs::path toHostPath(std::string_view windowsPath) {
  auto parsed = parseAbsolute(fullPath(windowsPath));
  if (!parsed) return {};
  stdfs::path host = hostRoot(parsed->root);
  // Most paths are written as they are stored: then one lstat of the whole
  // path, or of its folder, stands for the lookup of every component.
  if (auto exact = writtenAsStored(host, parsed->parts)) return *exact;
  bool exists = true;
  for (const auto& part : parsed->parts) {
    if (exists) {
      if (auto found = findEntry(host, part)) {
        host /= *found;
        continue;
      }
      exists = false;
    }
    host /= part;
  }
  return host;
}

std::string toWindowsPath(const stdfs::path& hostPath) {
  const auto& config = vl::platform::platformConfig();
  stdfs::path host = hostPath.lexically_normal();
  std::error_code ec;
  stdfs::path driveC = stdfs::weakly_canonical(config.driveC, ec);
  if (ec) driveC = config.driveC.lexically_normal();
  auto rel = host.lexically_relative(driveC);
  std::string out;
  if (!rel.empty() && *rel.begin() != "..") {
    out = "C:";
  } else {
    out = "Z:";
    rel = host.relative_path();
  }
  Parsed p{out, {}};
  for (const auto& part : rel) {
    std::string s = part.string();
    if (!s.empty() && s != ".") p.parts.push_back(s);
  }
  return join(p);
}

bool isRootPath(std::string_view windowsPath) {
  auto parsed = parseAbsolute(fullPath(windowsPath));
  return parsed && parsed->parts.empty();
}

bool isUncPath(std::string_view windowsPath) {
  auto parsed = parseAbsolute(fullPath(windowsPath));
  return parsed && parsed->root.size() > 2;
}

bool setCurrentDirectory(std::string_view windowsPath) {
  std::string full = fullPath(windowsPath);
  if (full.empty()) {
    vl::platform::setLastWinError(vl::platform::kErrorInvalidName);
    return false;
  }
  std::error_code ec;
  auto host = toHostPath(full);
  auto status = stdfs::status(host, ec);
  if (status.type() == stdfs::file_type::not_found || ec) {
    bool parentExists = stdfs::is_directory(host.parent_path(), ec);
    vl::platform::setLastWinError(parentExists ? vl::platform::kErrorFileNotFound
                                               : vl::platform::kErrorPathNotFound);
    return false;
  }
  if (!stdfs::is_directory(status)) {
    vl::platform::setLastWinError(267);  // ERROR_DIRECTORY: the name is not a directory
    return false;
  }
  currentHolder() = full;
  vl::platform::setLastWinError(vl::platform::kErrorSuccess);
  return true;
}

}  // namespace vl::fs
