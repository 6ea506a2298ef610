// Nothing lost: a writer killed at any moment of a rewrite leaves the record
// as it was before that write or as it is after it, never half of each, and
// the file opens cleanly afterwards.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "child_process.h"
#include "records_fixture.h"

namespace vl::test {
namespace {

using namespace std::chrono_literals;
using records::Access;

// A record stamped with a counter in every one of its 8-byte slots, so that a
// record mixed from two writes shows.
std::vector<std::uint8_t> stamped(std::uint64_t value) {
  std::vector<std::uint8_t> record(kRecordSize);
  for (std::size_t at = 0; at + 8 <= record.size(); at += 8) std::memcpy(&record[at], &value, 8);
  return record;
}

bool readStamp(const std::vector<std::uint8_t>& record, std::uint64_t& value) {
  std::memcpy(&value, record.data(), 8);
  return record == stamped(value);
}

class KillDuringWriteTest : public RecordsTest {};

TEST_F(KillDuringWriteTest, RecordIsEitherTheOldOrTheNewOne) {
  makeKeyed({});
  {
    auto file = keyed();
    ASSERT_TRUE(file.open(Access::ReadWriteShared));
    ASSERT_TRUE(file.add(stamped(0)));
  }
  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::uint64_t current = 0;
  int roundsWithWrites = 0, roundsCutMidWrite = 0;
  const auto deadline = std::chrono::steady_clock::now() + 6s;
  for (int round = 0; round < 25 && std::chrono::steady_clock::now() < deadline; ++round) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const std::uint64_t start = current;
    ChildProcess writer([start, fds](const std::function<void()>& ready) {
      ::close(fds[0]);
      auto file = keyed();
      std::vector<std::uint8_t> record(kRecordSize);
      if (!file.open(Access::ReadWriteDenyWrite) || !file.next(record)) return 1;
      ready();
      for (std::uint64_t value = start + 1;; ++value) {
        if (!file.put(stamped(value))) return 2;
        if (::write(fds[1], &value, sizeof value) != sizeof value) return 3;
      }
    });
    ::close(fds[1]);
    ASSERT_TRUE(writer.waitReady(10s));
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
    writer.kill();
    ASSERT_NE(writer.waitExit(10s), -1);

    std::uint64_t lastReported = start, value = 0;
    while (::read(fds[0], &value, sizeof value) == sizeof value) lastReported = value;
    ::close(fds[0]);

    // A journal left beside the file: the kill came inside a write.
    if (std::filesystem::exists(host("TEST.TPS-journal"))) ++roundsCutMidWrite;
    auto file = keyed();
    ASSERT_TRUE(file.open(Access::ReadWriteShared)) << "round " << round << ": " << file.errorText();
    std::vector<std::uint8_t> record(kRecordSize);
    ASSERT_TRUE(file.next(record));
    ASSERT_TRUE(readStamp(record, current)) << "round " << round << ": a torn record";
    EXPECT_TRUE(current == lastReported || current == lastReported + 1)
        << "round " << round << ": holds " << current << ", last finished write " << lastReported;
    EXPECT_FALSE(file.next(record)) << "exactly one record";
    if (current > start) ++roundsWithWrites;
  }
  EXPECT_GT(roundsWithWrites, 0) << "the writer was never caught after a write";
  EXPECT_GT(roundsCutMidWrite, 0) << "the writer was never caught inside a write";
}

}  // namespace
}  // namespace vl::test
