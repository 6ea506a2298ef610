// Copying, moving and whole-file replacement. A copy never leaves a half-written
// target: the bytes go to a temporary next to the target, are flushed, and
// the temporary is renamed over the target in one step.
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/errors.h"
#include "platform/fs/file_status.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"

namespace vl::fs {
namespace {

namespace plat = vl::platform;
namespace stdfs = std::filesystem;
using detail::failRuntime;
using detail::missingError;
using detail::statHost;

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now so that a failing close (a late write error) is seen.
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// A temporary file in the target's folder, removed unless it was renamed away.
struct TempFile {
  std::string path;
  bool keep = false;
  ~TempFile() {
    if (!path.empty() && !keep) ::unlink(path.c_str());
  }
};

mode_t newFileMode(const stdfs::path& target) {
  struct stat st {};
  if (statHost(target, st)) return st.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

int openTemp(const stdfs::path& target, TempFile& temp) {
  std::string name = (target.parent_path() / (".~" + target.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(name.data());
  if (fd >= 0) temp.path = name;
  return fd;
}

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool copyBytes(int from, int to) {
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(from, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!writeAll(to, buffer, static_cast<std::size_t>(n))) return false;
  }
}

void syncFolder(const stdfs::path& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY));
  if (dir.get() >= 0) ::fsync(dir.get());
}

// Renames the finished temporary onto the target; without replace an existing
// target wins (EEXIST), checked in the same step where the file system can.
int commitTemp(TempFile& temp, const stdfs::path& target, bool replace) {
  int rc = replace ? ::rename(temp.path.c_str(), target.c_str())
                   : ::renameat2(AT_FDCWD, temp.path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
  if (rc != 0 && !replace && errno == EINVAL) {
    struct stat st {};
    if (statHost(target, st)) return EEXIST;
    rc = ::rename(temp.path.c_str(), target.c_str());
  }
  if (rc != 0) return errno;
  temp.keep = true;
  syncFolder(target.parent_path());
  return 0;
}

// Writes the source's bytes (or the given bytes) into a flushed temporary
// and moves it onto the target. Returns an errno value, 0 on success.
int writeThroughTemp(const stdfs::path& target, int sourceFd, std::string_view bytes,
                     const struct stat* sourceStat, bool replace) {
  TempFile temp;
  Fd out(openTemp(target, temp));
  if (out.get() < 0) return errno;
  bool ok = sourceFd >= 0 ? copyBytes(sourceFd, out.get()) : writeAll(out.get(), bytes.data(), bytes.size());
  if (!ok) return errno;
  if (sourceStat) {
    // CopyFile keeps the source's last-write time and its read-only state.
    ::fchmod(out.get(), sourceStat->st_mode & 07777);
    struct timespec times[2] = {sourceStat->st_atim, sourceStat->st_mtim};
    ::futimens(out.get(), times);
  } else {
    ::fchmod(out.get(), newFileMode(target));
  }
  if (::fsync(out.get()) != 0 || !out.close()) return errno;
  return commitTemp(temp, target, replace);
}

// The folder that is to hold a new name must exist: 3 (or 53/67) otherwise.
bool targetFolderExists(std::string_view windowsPath, const stdfs::path& host) {
  struct stat st {};
  if (statHost(host.parent_path(), st) && S_ISDIR(st.st_mode)) return true;
  return failRuntime(missingError(windowsPath, host));
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The host file of an existing source; sets the runtime error when missing.
bool lookUpSource(std::string_view windowsPath, stdfs::path& host, struct stat& st) {
  host = detail::resolve(windowsPath);
  if (host.empty()) return failRuntime(plat::kErrorInvalidName);
  if (statHost(host, st)) return true;
  return failRuntime(missingError(windowsPath, host));
}

// Across file systems a rename becomes a copy and a removal of the source.
bool moveAcrossDevices(const stdfs::path& src, const struct stat& st, const stdfs::path& dst, bool replace) {
  if (!S_ISREG(st.st_mode)) return failRuntime(plat::kErrorNotSameDevice);
  Fd in(::open(src.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return failRuntime(plat::winErrorFromErrno(errno));
  if (int err = writeThroughTemp(dst, in.get(), {}, &st, replace)) return failRuntime(plat::winErrorFromErrno(err));
  if (::unlink(src.c_str()) != 0) return failRuntime(plat::winErrorFromErrno(errno));
  return detail::succeedRuntime();
}

bool renameHost(const stdfs::path& src, const struct stat& st, const stdfs::path& dst, bool replace) {
  int rc = replace ? ::rename(src.c_str(), dst.c_str())
                   : ::renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE);
  if (rc != 0 && !replace && errno == EINVAL) rc = ::rename(src.c_str(), dst.c_str());
  if (rc == 0) return detail::succeedRuntime();
  if (errno == EXDEV) return moveAcrossDevices(src, st, dst, replace);
  return failRuntime(plat::winErrorFromErrno(errno));
}

// The last component of a Windows path as the caller spelled it.
std::string lastName(std::string_view windowsPath) {
  std::string full = fullPath(windowsPath);
  return full.substr(full.find_last_of('\\') + 1);
}

}  // namespace

bool copyFile(std::string_view from, std::string_view to, bool failIfExists) {
  stdfs::path src;
  struct stat sst {};
  if (!lookUpSource(from, src, sst)) return false;
  if (S_ISDIR(sst.st_mode)) return failRuntime(plat::kErrorAccessDenied);
  stdfs::path dst = detail::resolve(to);
  if (dst.empty()) return failRuntime(plat::kErrorInvalidName);
  if (!targetFolderExists(to, dst)) return false;
  struct stat dstat {};
  if (statHost(dst, dstat)) {
    if (S_ISDIR(dstat.st_mode)) return failRuntime(plat::kErrorAccessDenied);
    if (failIfExists) return failRuntime(plat::kErrorFileExists);
    if (sameFile(sst, dstat)) return failRuntime(plat::kErrorSharingViolation);
    if (!(dstat.st_mode & S_IWUSR)) return failRuntime(plat::kErrorAccessDenied);
  }
  Fd in(::open(src.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return failRuntime(plat::winErrorFromErrno(errno));
  if (int err = writeThroughTemp(dst, in.get(), {}, &sst, !failIfExists)) {
    return failRuntime(err == EEXIST ? plat::kErrorFileExists : plat::winErrorFromErrno(err));
  }
  return detail::succeedRuntime();
}

bool moveFile(std::string_view from, std::string_view to, bool replaceExisting) {
  stdfs::path src;
  struct stat sst {};
  if (!lookUpSource(from, src, sst)) return false;
  stdfs::path dst = detail::resolve(to);
  if (dst.empty()) return failRuntime(plat::kErrorInvalidName);
  if (!targetFolderExists(to, dst)) return false;
  struct stat dstat {};
  if (statHost(dst, dstat)) {
    if (sameFile(sst, dstat)) {
      // The same file under another spelling: only the case of its name changes.
      dst = dst.parent_path() / lastName(to);
      if (dst == src) return detail::succeedRuntime();
      return renameHost(src, sst, dst, true);
    }
    if (!replaceExisting) return failRuntime(plat::kErrorAlreadyExists);
    if (S_ISDIR(dstat.st_mode) || S_ISDIR(sst.st_mode) || !(dstat.st_mode & S_IWUSR))
      return failRuntime(plat::kErrorAccessDenied);
  }
  return renameHost(src, sst, dst, replaceExisting);
}

bool renameFile(std::string_view from, std::string_view to) { return moveFile(from, to, false); }

bool replaceHostFileContents(const stdfs::path& hostFile, std::string_view bytes) {
  struct stat st {};
  if (!statHost(hostFile.parent_path(), st) || !S_ISDIR(st.st_mode)) return detail::fail(plat::kErrorPathNotFound);
  if (statHost(hostFile, st) && S_ISDIR(st.st_mode)) return detail::fail(plat::kErrorAccessDenied);
  if (int err = writeThroughTemp(hostFile, -1, bytes, nullptr, true)) return detail::fail(plat::winErrorFromErrno(err));
  return detail::succeed();
}

bool replaceFileContents(std::string_view windowsPath, std::string_view bytes) {
  auto host = hostPathForFile(windowsPath);
  return !host.empty() && replaceHostFileContents(host, bytes);
}

}  // namespace vl::fs
