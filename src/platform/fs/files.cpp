// Existence, directories, deletion and file facts on Windows paths.
#include "platform/fs/files.h"

#include <cerrno>
#include <unistd.h>

#include "platform/base/errors.h"
#include "platform/fs/file_status.h"
#include "platform/fs/paths.h"

namespace vl::fs {
namespace {

namespace plat = vl::platform;
using detail::fail;
using detail::missingError;
using detail::resolve;
using detail::statHost;
using detail::succeed;

FileTime fileTimeOf(const struct stat& st) {
  return FileTime{static_cast<std::int64_t>(st.st_mtim.tv_sec), static_cast<std::uint32_t>(st.st_mtim.tv_nsec)};
}

// Looks the path up; on a miss sets 2/3/53/67 (or 123) and returns false.
bool lookUp(std::string_view windowsPath, std::filesystem::path& host, struct stat& st) {
  host = resolve(windowsPath);
  if (host.empty()) return false;
  if (statHost(host, st)) return true;
  return fail(missingError(windowsPath, host));
}

// A root has no name of its own to create: the drive is there or it is not,
// and a share is made by the server's owner, never by a client.
bool failOnRoot(std::string_view windowsPath, const std::filesystem::path& host) {
  struct stat st {};
  if (statHost(host, st) && S_ISDIR(st.st_mode)) return fail(plat::kErrorAccessDenied);
  if (isUncPath(windowsPath)) return fail(missingError(windowsPath, host));
  return fail(plat::kErrorPathNotFound);
}

}  // namespace

bool exists(std::string_view windowsPath) {
  std::filesystem::path host;
  struct stat st {};
  return lookUp(windowsPath, host, st) && succeed();
}

bool isDirectory(std::string_view windowsPath) {
  std::filesystem::path host;
  struct stat st {};
  if (!lookUp(windowsPath, host, st)) return false;
  return S_ISDIR(st.st_mode) ? succeed() : fail(plat::kErrorDirectory);
}

bool createDirectory(std::string_view windowsPath) {
  auto host = resolve(windowsPath);
  if (host.empty()) return false;
  if (isRootPath(windowsPath)) return failOnRoot(windowsPath, host);
  if (::mkdir(host.c_str(), 0777) == 0) return succeed();
  int err = errno;
  // The parent is missing or a file: missingError cannot answer 2 here.
  if (err == ENOENT || err == ENOTDIR) return fail(missingError(windowsPath, host));
  return fail(plat::winErrorFromErrno(err));
}

bool removeDirectory(std::string_view windowsPath) {
  std::filesystem::path host;
  struct stat st {};
  if (!lookUp(windowsPath, host, st)) return false;
  if (!S_ISDIR(st.st_mode)) return fail(plat::kErrorDirectory);
  if (isRootPath(windowsPath)) return fail(plat::kErrorAccessDenied);
  if (::rmdir(host.c_str()) == 0) return succeed();
  int err = errno;
  return fail(err == EEXIST ? plat::kErrorDirNotEmpty : plat::winErrorFromErrno(err));
}

bool deleteFile(std::string_view windowsPath) {
  std::filesystem::path host;
  struct stat st {};
  if (!lookUp(windowsPath, host, st)) {
    // A link whose target is gone still holds its name; deleting removes the link.
    if (!host.empty() && ::lstat(host.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::unlink(host.c_str()) == 0)
      return detail::succeedRuntime();
    return detail::failRuntime(plat::lastWinError());
  }
  // Windows refuses to delete a directory this way, and a read-only file.
  if (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR)) return detail::failRuntime(plat::kErrorAccessDenied);
  if (::unlink(host.c_str()) != 0) return detail::failRuntime(plat::winErrorFromErrno(errno));
  return detail::succeedRuntime();
}

std::optional<std::uint64_t> fileSize(std::string_view windowsPath) {
  std::filesystem::path host;
  struct stat st {};
  if (!lookUp(windowsPath, host, st)) return std::nullopt;
  succeed();
  return S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
}

std::optional<FileTime> lastWriteTime(std::string_view windowsPath) {
  std::filesystem::path host;
  struct stat st {};
  if (!lookUp(windowsPath, host, st)) return std::nullopt;
  succeed();
  return fileTimeOf(st);
}

std::filesystem::path hostPathForFile(std::string_view windowsPath) {
  auto host = resolve(windowsPath);
  if (host.empty()) return host;
  struct stat st {};
  if (!statHost(host.parent_path(), st) || !S_ISDIR(st.st_mode)) {
    fail(missingError(windowsPath, host));
    return {};
  }
  succeed();
  return host;
}

}  // namespace vl::fs
