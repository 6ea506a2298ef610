#pragma once
// A test server run as a child process: started with /usr/bin/python3, its
// port read from the first line it prints (bounded wait), killed when the
// object goes.
#include <sys/types.h>

#include <string>
#include <vector>

namespace vl::test {

class ServerProcess {
 public:
  // Runs SCRIPT (a file of this test folder) with ARGS; throws when no port
  // line arrives within a few seconds.
  ServerProcess(const std::string& script, const std::vector<std::string>& args);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  int port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

// A port on 127.0.0.1 where nothing listens (bound, then released).
int unusedPort();

// A listening socket on 127.0.0.1 that never accepts: connections complete
// in the kernel and then hear nothing.
class SilentListener {
 public:
  SilentListener();
  ~SilentListener();
  SilentListener(const SilentListener&) = delete;
  SilentListener& operator=(const SilentListener&) = delete;
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace vl::test
