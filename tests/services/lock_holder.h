#pragma once
// Another process holding a data file's sharing lock (the POS programs on a
// till do), for as long as the object lives or for a set time. The child
// takes an exclusive whole-file lock, reports that it holds it, and keeps it
// until its pipe closes, the time is up, or 60 seconds have passed.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace vl::test {

class LockHolder {
 public:
  explicit LockHolder(const std::filesystem::path& file, int holdSeconds = 60) {
    int ready[2];
    int release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) throw std::runtime_error("pipe");
    child_ = fork();
    if (child_ < 0) throw std::runtime_error("fork");
    if (child_ == 0) holdInChild(file, ready, release, holdSeconds);
    close(ready[1]);
    close(release[0]);
    release_ = release[1];
    char ok = 0;
    const bool held = read(ready[0], &ok, 1) == 1 && ok == 'L';
    close(ready[0]);
    if (!held) {
      stop();
      throw std::runtime_error("the lock holder could not lock " + file.string());
    }
  }
  ~LockHolder() { stop(); }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

 private:
  [[noreturn]] static void holdInChild(const std::filesystem::path& file, int ready[2], int release[2],
                                       int holdSeconds) {
    close(ready[0]);
    close(release[1]);
    const int fd = open(file.c_str(), O_RDWR);
    const char ok = (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0) ? 'L' : 'F';
    if (write(ready[1], &ok, 1) != 1) _exit(1);
    alarm(static_cast<unsigned>(holdSeconds));  // SIGALRM ends the child, and the lock with it
    char byte;
    while (read(release[0], &byte, 1) > 0) {
    }
    _exit(0);
  }

  void stop() {
    if (release_ >= 0) close(release_);
    release_ = -1;
    if (child_ > 0) waitpid(child_, nullptr, 0);
    child_ = -1;
  }

  pid_t child_ = -1;
  int release_ = -1;
};

}  // namespace vl::test
