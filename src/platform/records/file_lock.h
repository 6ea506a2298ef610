#pragma once
// The sharing lock of a data file: an advisory whole-file lock on the data
// file itself (shared for shared opens, exclusive for deny-write opens and
// for replacing or removing the file). The kernel drops it when its holder
// dies, so a lock is never left behind by a crashed process, and nothing is
// written beside the data file (the inbox is listed and totalled by the
// program; a side lock file would show up there).
#include <filesystem>

#include "platform/records/record_errors.h"

namespace vl::records {

class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { release(); }
  FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Opens the existing file read/write and locks it. While another process
  // holds a conflicting lock it retries until waitSeconds have passed, then
  // gives 32. Missing file 2 (3 for a missing folder), no permission 5.
  Outcome acquire(const std::filesystem::path& path, bool exclusive, int waitSeconds);
  void release();
  bool held() const { return fd_ >= 0; }
  // Open read/write on the data file, in append mode: every write goes to
  // the end in one piece, also when other processes append at once.
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace vl::records
