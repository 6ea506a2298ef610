#include "platform/records/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/records/data_file.h"

namespace vl::records {
namespace {

// True when fd still stands for what path names now (the file was not
// replaced or removed between our open and our lock).
bool stillNamed(int fd, const std::filesystem::path& path) {
  struct stat byFd {}, byName {};
  if (::fstat(fd, &byFd) != 0 || ::stat(path.c_str(), &byName) != 0) return false;
  return byFd.st_dev == byName.st_dev && byFd.st_ino == byName.st_ino;
}

}  // namespace

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    release();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void FileLock::release() {
  if (fd_ >= 0) ::close(fd_);  // closing drops the lock
  fd_ = -1;
}

Outcome FileLock::acquire(const std::filesystem::path& path, bool exclusive, int waitSeconds) {
  release();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(waitSeconds);
  const int operation = (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  for (;;) {
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0) return outcomeFromErrno(errno, path);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd);
      return fail(kAccessDenied);
    }
    int rc;
    do rc = ::flock(fd, operation); while (rc != 0 && errno == EINTR);
    if (rc == 0 && stillNamed(fd, path)) {
      fd_ = fd;
      return {};
    }
    const int err = errno;
    ::close(fd);
    if (rc == 0) continue;  // replaced under us: lock the new file
    if (err != EWOULDBLOCK) return outcomeFromErrno(err, path);
    if (std::chrono::steady_clock::now() >= deadline) return fail(kFileLocked);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace vl::records
