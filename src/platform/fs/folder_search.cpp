// Folder searches in the manner of FindFirstFile / FindNextFile, and the
// case-blind lookup of one name in a folder that path resolution rests on.
#include <algorithm>
#include <dirent.h>
#include <linux/magic.h>
#include <mutex>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <unordered_map>

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

// Reads a folder's names ("." and ".." left out); false when it cannot be read.
template <class Each>
bool readNames(const std::filesystem::path& folder, Each each) {
  Dir dir(folder);
  if (!dir.get()) return false;
  while (dirent* d = ::readdir(dir.get())) {
    std::string_view entry = d->d_name;
    if (entry != "." && entry != "..") each(entry);
  }
  return true;
}

// Names that differ by case make one list, the case-folded name its key.
using NamesByKey = std::unordered_map<std::string, std::vector<std::string>>;

void addName(NamesByKey& names, std::string_view name) {
  auto& same = names[upperOf(std::string(name))];
  if (std::find(same.begin(), same.end(), name) == same.end()) same.emplace_back(name);
}

void removeName(NamesByKey& names, std::string_view name) {
  auto it = names.find(upperOf(std::string(name)));
  if (it == names.end()) return;
  std::erase(it->second, name);
  if (it->second.empty()) names.erase(it);
}

// File systems whose every change, by this process or another, raises an
// inotify event; network file systems do not see other hosts' changes.
bool reportsAllChanges(const std::filesystem::path& folder) {
  struct statfs fs {};
  if (::statfs(folder.c_str(), &fs) != 0) return false;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case EXT4_SUPER_MAGIC: case XFS_SUPER_MAGIC: case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC: case F2FS_SUPER_MAGIC: case OVERLAYFS_SUPER_MAGIC:
      return true;
    default:
      return false;
  }
}

// The names of recently used folders, kept current by inotify events, so that
// looking up a name that is not there (a file about to be made) does not read
// the whole folder each time: a download into a folder of N files would
// otherwise read it some N times. Folders on other file systems, or when
// inotify is unavailable, are read at every lookup.
class FolderIndex {
 public:
  std::vector<std::string> namesLike(const std::filesystem::path& folder, std::string_view name) {
    std::lock_guard lock(mutex_);
    struct stat st {};
    if (!detail::statHost(folder, st) || !S_ISDIR(st.st_mode)) return {};
    const NamesByKey* names = watchedNames(folder, st);
    NamesByKey read;
    if (!names) {
      readNames(folder, [&](std::string_view entry) {
        if (sameName(entry, name)) addName(read, entry);
      });
      names = &read;
    }
    auto it = names->find(upperOf(std::string(name)));
    return it == names->end() ? std::vector<std::string>{} : it->second;
  }

 private:
  struct Folder {
    dev_t device = 0;
    ino_t inode = 0;
    int watch = -1;
    std::uint64_t lastUse = 0;
    NamesByKey names;
  };
  static constexpr std::size_t kMaxFolders = 64;
  static constexpr std::uint32_t kEvents =
      IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

  // The kept names of the folder, read now if need be; null when not kept.
  const NamesByKey* watchedNames(const std::filesystem::path& folder, const struct stat& st) {
    if (!openEvents()) return nullptr;
    applyEvents();
    auto it = folders_.find(folder.string());
    // The path may name another folder now (it or a folder above was renamed).
    if (it != folders_.end() && (it->second.device != st.st_dev || it->second.inode != st.st_ino)) {
      forget(it, true);
      it = folders_.end();
    }
    if (it == folders_.end()) it = watch(folder, st);
    if (it == folders_.end()) return nullptr;
    it->second.lastUse = ++uses_;
    return &it->second.names;
  }

  bool openEvents() {
    if (events_ == kNotOpened) events_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    return events_ >= 0;
  }

  using Folders = std::unordered_map<std::string, Folder>;

  // The watch goes on before the folder is read: a change made while it is
  // read is then both seen and replayed, and replaying is harmless.
  Folders::iterator watch(const std::filesystem::path& folder, const struct stat& st) {
    if (!reportsAllChanges(folder)) return folders_.end();
    if (folders_.size() >= kMaxFolders) forgetLeastUsed();
    int wd = ::inotify_add_watch(events_, folder.c_str(), kEvents);
    if (wd < 0) return folders_.end();
    // Another path to the same folder shares the watch; one entry keeps it.
    if (auto other = byWatch_.find(wd); other != byWatch_.end()) forget(folders_.find(other->second), false);
    Folder f{st.st_dev, st.st_ino, wd, 0, {}};
    if (!readNames(folder, [&](std::string_view entry) { addName(f.names, entry); })) {
      ::inotify_rm_watch(events_, wd);
      return folders_.end();
    }
    byWatch_[wd] = folder.string();
    return folders_.insert_or_assign(folder.string(), std::move(f)).first;
  }

  void forget(Folders::iterator it, bool unwatch) {
    if (it == folders_.end()) return;
    if (unwatch) ::inotify_rm_watch(events_, it->second.watch);
    byWatch_.erase(it->second.watch);
    folders_.erase(it);
  }

  void forgetLeastUsed() {
    auto oldest = std::min_element(folders_.begin(), folders_.end(),
                                   [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
    forget(oldest, true);
  }

  void applyEvents() {
    alignas(inotify_event) char buffer[16384];
    for (;;) {
      ssize_t got = ::read(events_, buffer, sizeof buffer);
      if (got <= 0) return;
      for (ssize_t at = 0; at < got;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
        apply(*e);
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
  }

  void apply(const inotify_event& e) {
    if (e.mask & IN_Q_OVERFLOW) {
      while (!folders_.empty()) forget(folders_.begin(), true);
      return;
    }
    auto owner = byWatch_.find(e.wd);
    if (owner == byWatch_.end()) return;
    auto it = folders_.find(owner->second);
    if (e.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
      // The kernel drops the watch itself after IN_IGNORED.
      forget(it, !(e.mask & IN_IGNORED));
    } else if (e.len > 0 && (e.mask & (IN_CREATE | IN_MOVED_TO))) {
      addName(it->second.names, e.name);
    } else if (e.len > 0 && (e.mask & (IN_DELETE | IN_MOVED_FROM))) {
      removeName(it->second.names, e.name);
    }
  }

  static constexpr int kNotOpened = -2;
  std::mutex mutex_;
  int events_ = kNotOpened;
  std::uint64_t uses_ = 0;
  Folders folders_;
  std::unordered_map<int, std::string> byWatch_;
};

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

// A pattern without wildcards matches only the spellings of its own name.
bool isLiteral(const std::string& pattern) {
  return pattern.find_first_of("*?<>\"") == std::string::npos && pattern.back() != '.';
}

void collect(const std::filesystem::path& host, const std::string& name, std::vector<FindEntry>& out) {
  auto add = [&](const std::string& entry) {
    if (!matchesWildcard(name, entry)) return;
    struct stat st {};
    // A dangling link is listed as what it is: neither file nor folder.
    if (!detail::statHost(host / entry, st) && ::lstat((host / entry).c_str(), &st) != 0) return;
    out.push_back(entryOf(entry, st));
  };
  if (isLiteral(name)) {
    for (const auto& entry : detail::namesLike(host, name)) add(entry);
  } else {
    readNames(host, [&](std::string_view entry) { add(std::string(entry)); });
  }
  std::sort(out.begin(), out.end(),
            [](const FindEntry& a, const FindEntry& b) { return upperOf(a.longName) < upperOf(b.longName); });
}

}  // namespace

namespace detail {

std::vector<std::string> namesLike(const std::filesystem::path& folder, std::string_view name) {
  static FolderIndex index;
  return index.namesLike(folder, name);
}

}  // namespace detail

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
