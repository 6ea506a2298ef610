// Folder searches in the manner of FindFirstFile / FindNextFile.
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

#include "platform/base/errors.h"
#include "platform/fs/file_status.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"

namespace vl::fs {
namespace {

namespace plat = vl::platform;

class Dir {
 public:
  explicit Dir(const std::filesystem::path& p) : dir_(::opendir(p.c_str())) {}
  ~Dir() {
    if (dir_) ::closedir(dir_);
  }
  Dir(const Dir&) = delete;
  Dir& operator=(const Dir&) = delete;
  DIR* get() const { return dir_; }

 private:
  DIR* dir_;
};

std::uint8_t attributesOf(const std::string& name, const struct stat& st) {
  std::uint8_t attr = 0;
  if (S_ISDIR(st.st_mode))
    attr |= kAttrDirectory;
  else if (S_ISREG(st.st_mode))
    attr |= kAttrArchive;
  else
    attr |= kAttrSystem;
  if (!(st.st_mode & S_IWUSR)) attr |= kAttrReadOnly;
  if (!name.empty() && name[0] == '.') attr |= kAttrHidden;
  return attr;
}

FindEntry entryOf(const std::string& name, const struct stat& st) {
  FindEntry e;
  e.longName = name;
  e.shortName = shortNameOf(name);
  e.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
  e.attributes = attributesOf(name, st);
  e.lastWrite = FileTime{static_cast<std::int64_t>(st.st_mtim.tv_sec), static_cast<std::uint32_t>(st.st_mtim.tv_nsec)};
  return e;
}

std::string upperOf(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

// Splits "C:\DIR\*.TXT" into the folder ("C:\DIR") and the name pattern.
void splitPattern(std::string_view pattern, std::string& folder, std::string& name) {
  std::size_t cut = pattern.find_last_of("\\/");
  if (cut == std::string_view::npos) {
    bool drive = pattern.size() >= 2 && pattern[1] == ':';
    folder = drive ? std::string(pattern.substr(0, 2)) : std::string(".");
    name = std::string(pattern.substr(drive ? 2 : 0));
    return;
  }
  folder = std::string(pattern.substr(0, cut + 1));
  name = std::string(pattern.substr(cut + 1));
}

void collect(const std::filesystem::path& host, const std::string& name, std::vector<FindEntry>& out) {
  Dir dir(host);
  if (!dir.get()) return;
  while (dirent* d = ::readdir(dir.get())) {
    std::string entry = d->d_name;
    if (entry == "." || entry == "..") continue;
    if (!matchesWildcard(name, entry)) continue;
    struct stat st {};
    // A dangling link is listed as what it is: neither file nor folder.
    if (!detail::statHost(host / entry, st) && ::lstat((host / entry).c_str(), &st) != 0) continue;
    out.push_back(entryOf(entry, st));
  }
  std::sort(out.begin(), out.end(),
            [](const FindEntry& a, const FindEntry& b) { return upperOf(a.longName) < upperOf(b.longName); });
}

}  // namespace

std::vector<FindEntry> listFolder(std::string_view pattern) {
  std::vector<FindEntry> out;
  std::string folder, name;
  splitPattern(pattern, folder, name);
  auto host = detail::resolve(folder);
  if (host.empty()) return out;
  struct stat st {};
  if (!detail::statHost(host, st) || !S_ISDIR(st.st_mode)) {
    std::uint32_t code = detail::missingError(folder, host);
    detail::fail(code == plat::kErrorFileNotFound ? plat::kErrorPathNotFound : code);
    return out;
  }
  if (!name.empty()) collect(host, name, out);
  detail::fail(out.empty() ? plat::kErrorFileNotFound : plat::kErrorSuccess);
  return out;
}

bool findFirst(std::string_view pattern, FindState& state, FindEntry& entry) {
  state.entries = listFolder(pattern);
  state.next = 0;
  if (state.entries.empty()) return false;
  return findNext(state, entry);
}

bool findNext(FindState& state, FindEntry& entry) {
  if (state.next >= state.entries.size()) return detail::fail(plat::kErrorNoMoreFiles);
  entry = state.entries[state.next++];
  return detail::succeed();
}

}  // namespace vl::fs
