// Keyed record files: records kept byte for byte in record order, rewrite of
// the current record, owner password, and damaged keys rebuilt.
#include <string>
#include <vector>

#include "platform/base/errors.h"
#include "records_fixture.h"

namespace vl::test {
namespace {

using records::Access;

class KeyedFileTest : public RecordsTest {};

TEST_F(KeyedFileTest, RecordsComeBackByteForByteInOrderAfterReopening) {
  std::vector<std::uint8_t> binary(kRecordSize);
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<std::uint8_t>(i * 37 + 1);
  binary[5] = 0;  // zero bytes and high bytes are record content like any other
  binary[6] = 0xff;
  {
    auto file = keyed();
    ASSERT_TRUE(file.create());
    ASSERT_TRUE(file.open(Access::ReadWriteDenyWrite));
    ASSERT_TRUE(file.add(recordOf("first")));
    ASSERT_TRUE(file.add(binary));
    ASSERT_TRUE(file.add(recordOf("third")));
  }
  auto file = keyed();
  ASSERT_TRUE(file.open(Access::ReadWriteShared)) << file.errorText();
  std::vector<std::uint8_t> record(kRecordSize);
  ASSERT_TRUE(file.setToStart());
  ASSERT_TRUE(file.next(record));
  EXPECT_EQ(record, recordOf("first"));
  ASSERT_TRUE(file.next(record));
  EXPECT_EQ(record, binary);
  EXPECT_EQ(file.lastReadSize(), kRecordSize);
  ASSERT_TRUE(file.next(record));
  EXPECT_EQ(record, recordOf("third"));
  EXPECT_FALSE(file.next(record));
  EXPECT_EQ(file.errorCode(), records::kRecordNotAvailable);
  EXPECT_EQ(file.errorText(), "Record Not Available");
}

TEST_F(KeyedFileTest, PutRewritesTheRecordLastReadOrAdded) {
  makeKeyed({"one", "two", "three"});
  auto file = keyed();
  ASSERT_TRUE(file.open(Access::ReadWriteShared));
  std::vector<std::uint8_t> record(kRecordSize);
  file.setToStart();
  ASSERT_TRUE(file.next(record));
  ASSERT_TRUE(file.next(record));
  ASSERT_TRUE(file.put(recordOf("TWO")));
  ASSERT_TRUE(file.add(recordOf("four")));
  ASSERT_TRUE(file.put(recordOf("FOUR")));
  EXPECT_EQ(readAll(file), (std::vector<std::string>{textOf(recordOf("one"), kRecordSize),
                                                      textOf(recordOf("TWO"), kRecordSize),
                                                      textOf(recordOf("three"), kRecordSize),
                                                      textOf(recordOf("FOUR"), kRecordSize)}));
}

TEST_F(KeyedFileTest, CreateReplacesAnExistingFileWithAnEmptyOne) {
  makeKeyed({"old"});
  auto file = keyed();
  ASSERT_TRUE(file.create());
  ASSERT_TRUE(file.open(Access::ReadWriteShared));
  EXPECT_TRUE(readAll(file).empty());
}

TEST_F(KeyedFileTest, OwnerPasswordIsStoredOnlyAsASaltedHash) {
  makeKeyed({"same"});
  makeKeyed({"same"}, "OTHER.TPS");
  const std::string first = readHost("TEST.TPS"), second = readHost("OTHER.TPS");
  EXPECT_EQ(first.find(kOwner), std::string::npos);
  // Same password, same records: only the salt tells the two files apart.
  ASSERT_EQ(first.size(), second.size());
  EXPECT_TRUE(first != second);
}

TEST_F(KeyedFileTest, WrongOrMissingOwnerPasswordIsRefusedEveryTime) {
  makeKeyed({"guarded"});
  for (const std::string password : {"wrong-passwd", "", "Ab3$kx!9Qz#"}) {
    auto file = keyed("TEST.TPS", password);
    EXPECT_FALSE(file.open(Access::ReadWriteShared)) << password;
    EXPECT_EQ(file.errorCode(), records::kAccessDenied);
    EXPECT_EQ(file.errorText(), "Invalid Owner Password");
    EXPECT_FALSE(file.isOpen());
  }
  auto file = keyed();
  EXPECT_TRUE(file.open(Access::ReadWriteShared)) << file.errorText();
}

// Flips one byte inside the stored copy of a record, the way a disk or a
// stray program damages a file behind the layer's back.
void damageRecord(std::string& bytes, const std::string& text) {
  const auto at = bytes.find(text);
  ASSERT_NE(at, std::string::npos);
  bytes[at] = static_cast<char>(bytes[at] ^ 0x20);
}

TEST_F(KeyedFileTest, DamagedRecordGives46AndRebuildKeepsTheSoundRecords) {
  makeKeyed({"alpha", "bravo-damaged", "charlie"});
  std::string bytes = readHost("TEST.TPS");
  damageRecord(bytes, "bravo-damaged");
  writeHost("TEST.TPS", bytes);

  auto file = keyed();
  EXPECT_FALSE(file.open(Access::ReadWriteShared));
  EXPECT_EQ(file.errorCode(), records::kKeysMustBeRebuilt);
  EXPECT_EQ(file.errorText(), "Key File Must Be Rebuilt");
  EXPECT_EQ(platform::lastFileError().code, 46);

  ASSERT_TRUE(file.buildKeys()) << file.errorText();
  ASSERT_TRUE(file.open(Access::ReadWriteShared)) << file.errorText();
  EXPECT_EQ(readAll(file), (std::vector<std::string>{textOf(recordOf("alpha"), kRecordSize),
                                                      textOf(recordOf("charlie"), kRecordSize)}));
  ASSERT_TRUE(file.add(recordOf("delta")));  // and the rebuilt file takes new records
}

TEST_F(KeyedFileTest, RebuildAsksForTheOwnerPasswordToo) {
  makeKeyed({"alpha", "bravo"});
  std::string bytes = readHost("TEST.TPS");
  damageRecord(bytes, "bravo");
  writeHost("TEST.TPS", bytes);
  auto stranger = keyed("TEST.TPS", "not-the-owner");
  EXPECT_FALSE(stranger.buildKeys());
  EXPECT_EQ(stranger.errorCode(), records::kAccessDenied);
  EXPECT_EQ(readHost("TEST.TPS"), bytes);
}

TEST_F(KeyedFileTest, TruncatedFileIsReportedAndRebuildSavesWhatIsLeft) {
  const auto texts = makeBigKeyed(60);
  const std::string bytes = readHost("TEST.TPS");
  writeHost("TEST.TPS", bytes.substr(0, bytes.size() / 2));

  auto file = bigKeyed();
  EXPECT_FALSE(file.open(Access::ReadWriteShared));
  EXPECT_EQ(file.errorCode(), records::kKeysMustBeRebuilt) << file.errorText();
  ASSERT_TRUE(file.buildKeys()) << file.errorText();
  ASSERT_TRUE(file.open(Access::ReadWriteShared)) << file.errorText();
  const auto saved = readAll(file);
  EXPECT_GE(saved.size(), texts.size() / 4);
  EXPECT_LT(saved.size(), texts.size());
  // What survived is original records, in their order.
  std::size_t at = 0;
  for (const auto& record : saved) {
    while (at < texts.size() && textOf(recordOf(texts[at], kBigRecordSize), kBigRecordSize) != record) ++at;
    ASSERT_LT(at, texts.size()) << "not an original record, or out of order: " << record.substr(0, 20);
  }
}

}  // namespace
}  // namespace vl::test
