#include "child_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace vl::test {

ChildProcess::ChildProcess(std::function<int(const std::function<void()>& ready)> body) {
  int fds[2];
  if (::pipe(fds) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::close(fds[0]);
    const int writeFd = fds[1];
    const int result = body([writeFd] {
      const char byte = 'r';
      [[maybe_unused]] auto wrote = ::write(writeFd, &byte, 1);
    });
    ::_exit(result);
  }
  ::close(fds[1]);
  readyFd_ = fds[0];
}

ChildProcess::~ChildProcess() {
  kill();
  waitExit(std::chrono::seconds(10));
  if (readyFd_ >= 0) ::close(readyFd_);
}

bool ChildProcess::waitReady(std::chrono::milliseconds limit) {
  pollfd entry{readyFd_, POLLIN, 0};
  if (::poll(&entry, 1, static_cast<int>(limit.count())) != 1) return false;
  char byte = 0;
  return ::read(readyFd_, &byte, 1) == 1;
}

void ChildProcess::kill() {
  if (pid_ > 0 && !reaped_) ::kill(pid_, SIGKILL);
}

int ChildProcess::waitExit(std::chrono::milliseconds limit) {
  if (pid_ <= 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!reaped_) {
    int status = 0;
    const pid_t got = ::waitpid(pid_, &status, WNOHANG);
    if (got == pid_) {
      reaped_ = true;
      return status;
    }
    if (got < 0 || std::chrono::steady_clock::now() >= deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return -1;
}

}  // namespace vl::test
