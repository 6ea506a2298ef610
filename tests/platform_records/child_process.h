#pragma once
// A second process for sharing and crash tests: a forked child that runs a
// function and tells the parent when it is ready; killed and reaped when the
// object goes, so no test leaves a process behind.
#include <sys/types.h>

#include <chrono>
#include <functional>

namespace vl::test {

class ChildProcess {
 public:
  // The body gets a callback to call once it is ready (e.g. holds a lock);
  // the child ends with _exit(body's result) when the body returns.
  explicit ChildProcess(std::function<int(const std::function<void()>& ready)> body);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  // True when the child said it is ready within the time.
  bool waitReady(std::chrono::milliseconds limit);
  void kill();
  // Exit status as waitpid gives it; -1 when it did not end within the time.
  int waitExit(std::chrono::milliseconds limit);

 private:
  pid_t pid_ = -1;
  int readyFd_ = -1;
  bool reaped_ = false;
};

}  // namespace vl::test
