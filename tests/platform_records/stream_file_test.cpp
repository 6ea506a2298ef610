// Text-line and binary-block files, checked byte for byte on disk.
#include <string>
#include <vector>

#include "records_fixture.h"

namespace vl::test {
namespace {

using records::Access;
using records::DataFile;
using records::Driver;

class StreamFileTest : public RecordsTest {
 public:
  static DataFile stream(Driver driver, std::size_t recordSize, const std::string& name) {
    DataFile file(driver == Driver::Text ? "ASCIIEXP" : "DOSFILE", driver, "", recordSize);
    file.setName(win(name));
    return file;
  }
  static std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }
};

TEST_F(StreamFileTest, TextAppendWritesTrimmedCrLfLines) {
  auto file = stream(Driver::Text, 2048, "LOG.TXT");
  ASSERT_TRUE(file.create());
  EXPECT_EQ(readHost("LOG.TXT"), "");
  ASSERT_TRUE(file.open(Access::ReadWriteShared));
  ASSERT_TRUE(file.append(recordOf("first line", 2048)));
  ASSERT_TRUE(file.append(bytes("")));
  ASSERT_TRUE(file.append(bytes("  indented, trailing  ")));
  ASSERT_TRUE(file.add(recordOf("added", 2048)));
  file.close();
  EXPECT_EQ(readHost("LOG.TXT"), "first line\r\n\r\n  indented, trailing\r\nadded\r\n");
}

TEST_F(StreamFileTest, TextNextReadsLinesPaddedAndSplitsLongOnes) {
  writeHost("IN.TXT", "one\r\nlf only\n\r\n0123456789ABC\r\nlast without end");
  auto file = stream(Driver::Text, 10, "IN.TXT");
  ASSERT_TRUE(file.open(Access::ReadWriteShared));
  std::vector<std::uint8_t> record(10);
  std::vector<std::string> lines;
  std::vector<std::size_t> sizes;
  while (file.next(record)) {
    lines.push_back(textOf(record, record.size()));
    sizes.push_back(file.lastReadSize());
  }
  EXPECT_EQ(file.errorCode(), records::kRecordNotAvailable);
  EXPECT_EQ(lines, (std::vector<std::string>{"one       ", "lf only   ", "          ", "0123456789",
                                              "ABC       ", "last witho", "ut end    "}));
  EXPECT_EQ(sizes, (std::vector<std::size_t>{3, 7, 0, 10, 3, 10, 6}));
  ASSERT_TRUE(file.setToStart());
  ASSERT_TRUE(file.next(record));
  EXPECT_EQ(textOf(record, 3), "one");
}

TEST_F(StreamFileTest, TextLineThatFillsTheRecordExactlyIsOneRecord) {
  writeHost("IN.TXT", "0123456789\r\nnext\r\n");
  auto file = stream(Driver::Text, 10, "IN.TXT");
  ASSERT_TRUE(file.open(Access::ReadWriteShared));
  std::vector<std::uint8_t> record(10);
  ASSERT_TRUE(file.next(record));
  EXPECT_EQ(textOf(record, 10), "0123456789");
  ASSERT_TRUE(file.next(record));
  EXPECT_EQ(textOf(record, 4), "next");
}

TEST_F(StreamFileTest, BinaryAppendWritesExactlyTheBytesGiven) {
  std::vector<std::uint8_t> block(65536);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i % 251);
  auto file = stream(Driver::Binary, 65536, "DATA.BIN");
  ASSERT_TRUE(file.create());
  ASSERT_TRUE(file.open(Access::ReadWriteShared));
  ASSERT_TRUE(file.append(block));
  ASSERT_TRUE(file.append(std::span(block).first(1000)));
  ASSERT_TRUE(file.append(std::span<const std::uint8_t>()));
  file.close();
  std::string expected(block.begin(), block.end());
  expected.append(block.begin(), block.begin() + 1000);
  EXPECT_EQ(readHost("DATA.BIN"), expected);

  ASSERT_TRUE(file.open(Access::ReadWriteShared));
  std::vector<std::uint8_t> record(65536);
  ASSERT_TRUE(file.next(record));
  EXPECT_EQ(file.lastReadSize(), 65536u);
  EXPECT_EQ(record, block);
  ASSERT_TRUE(file.next(record));
  EXPECT_EQ(file.lastReadSize(), 1000u);
  EXPECT_FALSE(file.next(record));
  EXPECT_EQ(file.errorCode(), records::kRecordNotAvailable);
}

TEST_F(StreamFileTest, CreateEmptiesAnExistingFileAndRemoveDeletesIt) {
  for (Driver driver : {Driver::Text, Driver::Binary}) {
    writeHost("OLD.DAT", "old content");
    auto file = stream(driver, 100, "OLD.DAT");
    ASSERT_TRUE(file.create());
    EXPECT_EQ(readHost("OLD.DAT"), "");
    ASSERT_TRUE(file.remove());
    EXPECT_FALSE(std::filesystem::exists(host("OLD.DAT")));
    EXPECT_FALSE(file.remove());
    EXPECT_EQ(file.errorCode(), records::kFileNotFound);
  }
}

TEST_F(StreamFileTest, PutIsNotSupportedOnStreams) {
  writeHost("IN.TXT", "line\r\n");
  auto file = stream(Driver::Text, 10, "IN.TXT");
  ASSERT_TRUE(file.open(Access::ReadWriteShared));
  std::vector<std::uint8_t> record(10);
  ASSERT_TRUE(file.next(record));
  EXPECT_FALSE(file.put(record));
  EXPECT_EQ(file.errorCode(), records::kFunctionNotSupported);
  EXPECT_EQ(readHost("IN.TXT"), "line\r\n");
}

TEST_F(StreamFileTest, NamesAreMatchedWithoutRegardToCase) {
  writeHost("MixedCase.Txt", "x\r\n");
  auto file = stream(Driver::Text, 10, "MIXEDCASE.TXT");
  ASSERT_TRUE(file.open(Access::ReadWriteShared)) << file.errorText();
  ASSERT_TRUE(file.append(bytes("y")));
  file.close();
  EXPECT_EQ(readHost("MixedCase.Txt"), "x\r\ny\r\n");
}

}  // namespace
}  // namespace vl::test
