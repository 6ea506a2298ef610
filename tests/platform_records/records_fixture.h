#pragma once
// Shared pieces of the record-layer tests: a throw-away C: drive with a
// folder C:\T, and small helpers for record buffers and host files.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/records/data_file.h"
#include "support/sandbox.h"

namespace vl::test {

inline constexpr std::size_t kRecordSize = 40;
inline constexpr const char* kLayout = "TST:40:NAME(32),COUNT(8)";
inline constexpr const char* kOwner = "Ab3$kx!9Qz#1";
// Bigger records fill many pages with few (slow, fully synced) adds.
inline constexpr std::size_t kBigRecordSize = 1000;
inline constexpr const char* kBigLayout = "BIG:1000:TEXT(1000)";

// A record buffer of the given size holding text, padded with blanks.
inline std::vector<std::uint8_t> recordOf(const std::string& text, std::size_t size = kRecordSize) {
  std::vector<std::uint8_t> record(size, ' ');
  std::copy_n(text.begin(), std::min(text.size(), size), record.begin());
  return record;
}

inline std::string textOf(const std::vector<std::uint8_t>& bytes, std::size_t size) {
  return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}

class RecordsTest : public ::testing::Test {
  // Public, so that the tables of cases can use them from their lambdas.
 public:
  void SetUp() override { std::filesystem::create_directories(sandbox_.driveC() / "T"); }

  std::filesystem::path host(const std::string& name) const { return sandbox_.driveC() / "T" / name; }
  static std::string win(const std::string& name) { return "C:\\T\\" + name; }

  // The keyed file TEST.TPS as the tests declare it.
  static records::DataFile keyed(const std::string& name = "TEST.TPS",
                                 const std::string& owner = kOwner,
                                 const std::string& layout = kLayout,
                                 std::size_t size = kRecordSize) {
    records::DataFile file("TEST", records::Driver::Keyed, layout, size, owner);
    file.setName(win(name));
    return file;
  }

  static records::DataFile bigKeyed() { return keyed("TEST.TPS", kOwner, kBigLayout, kBigRecordSize); }

  // Creates TEST.TPS holding the given records in order.
  void makeKeyed(const std::vector<std::string>& texts, const std::string& name = "TEST.TPS") {
    fill(keyed(name), texts);
  }
  // Creates TEST.TPS with count big records "record 0", "record 1", ...
  std::vector<std::string> makeBigKeyed(int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back("record " + std::to_string(i));
    fill(bigKeyed(), texts);
    return texts;
  }
  static void fill(records::DataFile file, const std::vector<std::string>& texts) {
    ASSERT_TRUE(file.create()) << file.errorText();
    ASSERT_TRUE(file.open(records::Access::ReadWriteShared)) << file.errorText();
    for (const auto& text : texts) {
      ASSERT_TRUE(file.add(recordOf(text, file.recordSize()))) << file.errorText();
    }
    file.close();
  }

  // All records of an open keyed file, in record order, as text.
  static std::vector<std::string> readAll(records::DataFile& file) {
    std::vector<std::string> texts;
    std::vector<std::uint8_t> record(file.recordSize());
    file.setToStart();
    while (file.next(record)) texts.push_back(textOf(record, record.size()));
    EXPECT_EQ(file.errorCode(), records::kRecordNotAvailable);
    return texts;
  }

  std::string readHost(const std::string& name) const {
    std::ifstream in(host(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void writeHost(const std::string& name, const std::string& bytes) const {
    std::ofstream(host(name), std::ios::binary | std::ios::trunc) << bytes;
  }

  Sandbox sandbox_;
};

}  // namespace vl::test
