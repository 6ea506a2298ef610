// The connection state, dialling and hang-up, emulated: this platform has no
// dial-up networking, so a machine with a working network interface counts as
// connected by LAN.
#include <ifaddrs.h>
#include <net/if.h>

#include "platform/base/platform_config.h"
#include "platform/inet/internet.h"

namespace vl::net {
namespace {

bool nonLoopbackInterfaceUp() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  bool up = false;
  for (ifaddrs* item = list; item && !up; item = item->ifa_next) {
    if (!item->ifa_addr) continue;
    unsigned flags = item->ifa_flags;
    up = (flags & IFF_UP) && (flags & IFF_RUNNING) && !(flags & IFF_LOOPBACK);
  }
  freeifaddrs(list);
  return up;
}

}  // namespace

bool getConnectedState(std::uint32_t& flags) {
  if (auto configured = vl::platform::platformConfig().connected) {
    flags = *configured;
  } else {
    flags = nonLoopbackInterfaceUp() ? kConnectionLan : kConnectionOffline;
  }
  return (flags & (kConnectionModem | kConnectionLan | kConnectionProxy)) != 0;
}

bool autodial(std::uint32_t, std::uintptr_t) { return true; }

bool autodialHangup() { return true; }

}  // namespace vl::net
