#include <gtest/gtest.h>

#include "platform/inet/internet.h"
#include "support/sandbox.h"

namespace vl::net {
namespace {

TEST(ConnectedState, PlatformIniOverridesTheFlags) {
  struct Case {
    const char* value;
    std::uint32_t flags;
    bool connected;
  };
  const Case cases[] = {{"1", kConnectionModem, true},
                        {"2", kConnectionLan, true},
                        {"32", kConnectionOffline, false},
                        {"9", kConnectionModem | kConnectionModemBusy, true},
                        {"0", 0, false}};
  for (const auto& c : cases) {
    vl::test::Sandbox sandbox;
    sandbox.writePlatformIni(std::string("[Network]\r\nConnected=") + c.value + "\r\n");
    std::uint32_t flags = 12345;
    EXPECT_EQ(getConnectedState(flags), c.connected) << c.value;
    EXPECT_EQ(flags, c.flags) << c.value;
  }
}

TEST(ConnectedState, WithoutOverrideReportsLanOrOffline) {
  vl::test::Sandbox sandbox;
  std::uint32_t flags = 0;
  bool connected = getConnectedState(flags);
  EXPECT_EQ(flags, connected ? kConnectionLan : kConnectionOffline);
  EXPECT_TRUE(autodial(kAutodialForceOnline, 0));
  EXPECT_TRUE(autodialHangup());
}

}  // namespace
}  // namespace vl::net
