#pragma once
// What a session shares with the connections and requests made from it: the
// status callback, the notifications waiting to be delivered, the timeouts.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/inet/internet.h"

namespace vl::net::detail {

struct SessionState {
  bool open = false;
  StatusCallback callback;
  long connectTimeoutMs = 0;  // 0: the receive timeout applies to connecting too
  long receiveTimeoutMs = 60000;

  // Notifications are queued while the transfer library is inside a call and
  // handed to the callback between its calls, so the callback may take as long
  // as it likes, and even throw, without leaving the library half-way.
  void post(std::uint32_t status, std::string text = {}, std::uint32_t value = 0);
  void deliver();

 private:
  std::vector<StatusEvent> pending_;
};

// Runs a close from a destructor or a move: a status callback that throws
// there must not end the program.
template <class Close>
void closeQuietly(Close close) noexcept {
  try {
    close();
  } catch (...) {
  }
}

// Sets the Windows error number and returns it as a result.
InetResult fail(std::uint32_t error);
InetResult succeed();

// The per-thread record of the FTP server's last reply.
void clearLastResponse();
void setLastResponse(std::uint32_t code, std::string text);

}  // namespace vl::net::detail
