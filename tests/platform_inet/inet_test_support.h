#pragma once
// What the Internet client tests share: a recorder of status notifications
// and a session with it registered, in a throw-away platform prefix.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/inet/internet.h"
#include "support/sandbox.h"

namespace vl::test {

struct StatusRecorder {
  std::vector<vl::net::StatusEvent> events;
  vl::net::StatusCallback callback() {
    return [this](const vl::net::StatusEvent& e) { events.push_back(e); };
  }
  std::size_t count(std::uint32_t status) const {
    std::size_t n = 0;
    for (const auto& e : events) n += e.status == status;
    return n;
  }
};

// Loopback servers must be reached directly, whatever proxy the machine has.
inline void clearProxyEnvironment() {
  for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "ftp_proxy",
                           "FTP_PROXY", "all_proxy", "ALL_PROXY"})
    unsetenv(name);
}

}  // namespace vl::test
