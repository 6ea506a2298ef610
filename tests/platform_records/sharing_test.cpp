// Sharing between processes: a deny-write holder keeps the file from every
// other process, shared opens coexist, and "Recover=N" takes over the file
// once its holder has died but not while the holder lives.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "child_process.h"
#include "records_fixture.h"

namespace vl::test {
namespace {

using namespace std::chrono_literals;
using records::Access;
using records::DataFile;
using Clock = std::chrono::steady_clock;

class SharingTest : public RecordsTest {
 public:
  // A child that opens TEST.TPS in the given mode and holds it; it dies by
  // SIGKILL after holdFor, without closing anything.
  static std::unique_ptr<ChildProcess> holder(Access access, std::chrono::milliseconds holdFor = 30s) {
    auto child = std::make_unique<ChildProcess>([access, holdFor](const std::function<void()>& ready) {
      auto file = keyed();
      if (!file.open(access)) return 10 + file.errorCode();
      if (access == Access::ReadWriteShared && !file.add(recordOf("from the other process"))) return 3;
      ready();
      std::this_thread::sleep_for(holdFor);
      ::kill(::getpid(), SIGKILL);
      return 0;
    });
    EXPECT_TRUE(child->waitReady(10s)) << "the holder did not open the file";
    return child;
  }
};

TEST_F(SharingTest, LiveDenyWriteHolderKeepsTheFileEvenAfterRecovery) {
  makeKeyed({"a"});
  auto child = holder(Access::ReadWriteDenyWrite);
  for (Access access : {Access::ReadWriteShared, Access::ReadWriteDenyWrite}) {
    auto file = keyed();
    const auto start = Clock::now();
    EXPECT_FALSE(file.open(access));
    EXPECT_EQ(file.errorCode(), records::kFileLocked);
    EXPECT_EQ(file.errorText(), "File Is Already Locked");
    EXPECT_LT(Clock::now() - start, 1s) << "without a recovery wait the open answers at once";
  }
  auto file = keyed();
  ASSERT_TRUE(file.sendCommand("Recover=1"));
  const auto start = Clock::now();
  EXPECT_FALSE(file.open(Access::ReadWriteShared));
  const auto waited = Clock::now() - start;
  EXPECT_EQ(file.errorCode(), records::kFileLocked);
  EXPECT_GE(waited, 900ms);
  EXPECT_LT(waited, 5s);
  EXPECT_EQ(::kill(child->pid(), 0), 0) << "the holder is still alive";
}

TEST_F(SharingTest, LockOfAHolderThatDiesIsTakenOverByTheRecoveryWait) {
  makeKeyed({"kept"});
  auto child = holder(Access::ReadWriteDenyWrite, 700ms);
  auto file = keyed();
  EXPECT_FALSE(file.open(Access::ReadWriteShared));
  ASSERT_EQ(file.errorCode(), records::kFileLocked);
  ASSERT_TRUE(file.sendCommand(" recover = 10 "));
  const auto start = Clock::now();
  ASSERT_TRUE(file.open(Access::ReadWriteShared)) << file.errorText();
  EXPECT_LT(Clock::now() - start, 9s);
  EXPECT_NE(child->waitExit(5s), -1);
  EXPECT_EQ(readAll(file), std::vector<std::string>{textOf(recordOf("kept"), kRecordSize)});
}

TEST_F(SharingTest, SharedOpensCoexistButBarDenyWrite) {
  makeKeyed({"mine"});
  auto child = holder(Access::ReadWriteShared);
  auto file = keyed();
  EXPECT_FALSE(file.open(Access::ReadWriteDenyWrite));
  EXPECT_EQ(file.errorCode(), records::kFileLocked);
  ASSERT_TRUE(file.open(Access::ReadWriteShared)) << file.errorText();
  EXPECT_EQ(readAll(file), (std::vector<std::string>{textOf(recordOf("mine"), kRecordSize),
                                                      textOf(recordOf("from the other process"), kRecordSize)}));
}

TEST_F(SharingTest, FileHeldElsewhereIsNotReplacedRemovedOrRebuilt) {
  makeKeyed({"held"});
  auto child = holder(Access::ReadWriteShared);
  const std::string held = readHost("TEST.TPS");
  auto file = keyed();
  EXPECT_FALSE(file.create());
  EXPECT_EQ(file.errorCode(), records::kFileLocked);
  EXPECT_FALSE(file.remove());
  EXPECT_EQ(file.errorCode(), records::kFileLocked);
  EXPECT_FALSE(file.buildKeys());
  EXPECT_EQ(file.errorCode(), records::kFileLocked);
  EXPECT_EQ(readHost("TEST.TPS"), held);
}

TEST_F(SharingTest, TextFileHeldDenyWriteIsLockedToo) {
  writeHost("LOG.TXT", "");
  ChildProcess child([this](const std::function<void()>& ready) {
    DataFile log("ASCIIEXP", records::Driver::Text, "", 2048);
    log.setName(win("LOG.TXT"));
    if (!log.open(Access::ReadWriteDenyWrite)) return 1;
    ready();
    std::this_thread::sleep_for(30s);
    return 0;
  });
  ASSERT_TRUE(child.waitReady(10s));
  DataFile log("ASCIIEXP", records::Driver::Text, "", 2048);
  log.setName(win("LOG.TXT"));
  EXPECT_FALSE(log.open(Access::ReadWriteShared));
  EXPECT_EQ(log.errorCode(), records::kFileLocked);
}

}  // namespace
}  // namespace vl::test
