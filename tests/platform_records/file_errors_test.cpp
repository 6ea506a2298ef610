// Every error code of the layer, from a situation that gives it, with its
// description, published to the program's file error as well.
#include <gmock/gmock.h>

#include <functional>
#include <string>

#include "platform/base/errors.h"
#include "records_fixture.h"

namespace vl::test {
namespace {

using records::Access;
using records::DataFile;

struct ErrorCase {
  const char* name;
  std::function<void(RecordsTest&)> setUp;
  std::function<bool(DataFile&)> act;
  int code;
  const char* description;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

bool openShared(DataFile& file) { return file.open(Access::ReadWriteShared); }
void noFile(RecordsTest&) {}
void oneRecord(RecordsTest& t) { t.makeKeyed({"a"}); }

const ErrorCase kCases[] = {
    {"MissingFile", noFile, openShared, 2, "File Not Found"},
    {"MissingFolder", noFile,
     [](DataFile& f) {
       f.setName("C:\\T\\NOFOLDER\\TEST.TPS");
       return openShared(f);
     },
     3, "Path Not Found"},
    {"FolderInPlaceOfFile", [](RecordsTest& t) { std::filesystem::create_directory(t.host("TEST.TPS")); },
     openShared, 5, "Access Denied"},
    {"RemoveMissingFile", noFile, [](DataFile& f) { return f.remove(); }, 2, "File Not Found"},
    {"OtherLayoutSignature",
     [](RecordsTest&) {
       auto other = RecordsTest::keyed("TEST.TPS", kOwner, "TST:40:OTHER");
       ASSERT_TRUE(other.create());
     },
     openShared, 47, "Invalid Record Declaration"},
    {"OtherRecordSize",
     [](RecordsTest&) {
       auto other = RecordsTest::keyed("TEST.TPS", kOwner, kLayout, kRecordSize + 2);
       ASSERT_TRUE(other.create());
     },
     openShared, 47, "Invalid Record Declaration"},
    {"RecordBufferOfOtherSize", oneRecord,
     [](DataFile& f) { return openShared(f) && f.add(recordOf("b", kRecordSize + 1)); }, 47,
     "Invalid Record Declaration"},
    {"WrongOwnerPassword",
     [](RecordsTest&) {
       auto other = RecordsTest::keyed("TEST.TPS", "someone-else");
       ASSERT_TRUE(other.create());
     },
     openShared, 5, "Invalid Owner Password"},
    {"NextOnClosedFile", noFile,
     [](DataFile& f) {
       std::vector<std::uint8_t> r(kRecordSize);
       return f.next(r);
     },
     37, "File Not Open"},
    {"NextAtTheEnd", oneRecord,
     [](DataFile& f) {
       std::vector<std::uint8_t> r(kRecordSize);
       return openShared(f) && f.next(r) && f.next(r);
     },
     33, "Record Not Available"},
    {"PutBeforeAnyRead", oneRecord, [](DataFile& f) { return openShared(f) && f.put(recordOf("b")); }, 33,
     "Record Not Available"},
    {"OpenTwice", oneRecord, [](DataFile& f) { return openShared(f) && openShared(f); }, 52,
     "File Already Open"},
    {"CreateWhileOpen", oneRecord, [](DataFile& f) { return openShared(f) && f.create(); }, 52,
     "File Already Open"},
    {"RemoveWhileOpen", oneRecord, [](DataFile& f) { return openShared(f) && f.remove(); }, 52,
     "File Already Open"},
    {"AppendOnKeyedFile", oneRecord, [](DataFile& f) { return openShared(f) && f.append(recordOf("b")); }, 80,
     "Function Not Supported"},
    {"UnknownDriverCommand", noFile, [](DataFile& f) { return f.sendCommand("Fly=3"); }, 80,
     "Function Not Supported"},
    {"DamagedDatabaseHeader",
     [](RecordsTest& t) {
       t.makeKeyed({"a"});
       std::string bytes = t.readHost("TEST.TPS");
       bytes.replace(0, 16, "not a keyed file");
       t.writeHost("TEST.TPS", bytes);
     },
     openShared, 90, "File System Error"},
};

class ErrorCodeTable : public RecordsTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorCodeTable, GivesTheCodeAndDescriptionAndPublishesThem) {
  const ErrorCase& c = GetParam();
  c.setUp(*this);
  auto file = keyed();
  EXPECT_FALSE(c.act(file));
  EXPECT_EQ(file.errorCode(), c.code);
  EXPECT_EQ(file.errorText(), c.description);
  EXPECT_EQ(platform::lastFileError().code, c.code);
  EXPECT_EQ(platform::lastFileError().description, c.description);
}

INSTANTIATE_TEST_SUITE_P(Records, ErrorCodeTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class FileErrorTest : public RecordsTest {};

TEST_F(FileErrorTest, SecondDeclarationOfAnOpenFileGives52) {
  makeKeyed({"a"});
  auto first = keyed();
  ASSERT_TRUE(first.open(Access::ReadWriteDenyWrite));
  auto second = keyed();
  EXPECT_FALSE(second.open(Access::ReadWriteShared));
  EXPECT_EQ(second.errorCode(), 52);
  first.close();
  EXPECT_TRUE(second.open(Access::ReadWriteShared)) << second.errorText();
}

TEST_F(FileErrorTest, StorageEngineMessageAndCodeComeWithCode90) {
  makeKeyed({"a"});
  std::string bytes = readHost("TEST.TPS");
  bytes.replace(0, 16, "not a keyed file");
  writeHost("TEST.TPS", bytes);
  auto file = keyed();
  EXPECT_FALSE(file.open(Access::ReadWriteShared));
  EXPECT_EQ(platform::lastFileError().driverMessage, "file is not a database");
  EXPECT_EQ(platform::lastFileError().driverCode, "26");
}

TEST_F(FileErrorTest, MismatchedDeclarationLeavesTheFileUntouched) {
  makeKeyed({"keep me"});
  const std::string before = readHost("TEST.TPS");
  auto other = keyed("TEST.TPS", kOwner, "TST:40:OTHER");
  EXPECT_FALSE(other.open(Access::ReadWriteShared));
  EXPECT_EQ(other.errorCode(), 47);
  EXPECT_EQ(readHost("TEST.TPS"), before);
}

TEST_F(FileErrorTest, SuccessClearsThePublishedError) {
  auto file = keyed();
  EXPECT_FALSE(file.open(Access::ReadWriteShared));
  ASSERT_EQ(platform::lastFileError().code, 2);
  ASSERT_TRUE(file.create());
  EXPECT_EQ(platform::lastFileError().code, 0);
  EXPECT_EQ(file.errorText(), "");
}

// Files that are not what they should be give a code; none of them crashes
// the layer or makes it claim the file is sound.
struct DamageCase {
  const char* name;
  std::function<void(RecordsTest&)> damage;
  std::vector<int> acceptable;
};

const DamageCase kDamage[] = {
    {"EmptyFile", [](RecordsTest& t) { t.writeHost("TEST.TPS", ""); }, {47}},
    {"TextFile", [](RecordsTest& t) { t.writeHost("TEST.TPS", "hello\r\nworld\r\n"); }, {90}},
    {"FirstPageOnly",
     [](RecordsTest& t) { t.writeHost("TEST.TPS", t.readHost("TEST.TPS").substr(0, 4096)); }, {46, 90}},
    {"CutInsideTheFirstPage",
     [](RecordsTest& t) { t.writeHost("TEST.TPS", t.readHost("TEST.TPS").substr(0, 1000)); }, {46, 90}},
    {"GarbageJournalLeftBeside",
     [](RecordsTest& t) { t.writeHost("TEST.TPS-journal", std::string(3000, 'x')); }, {0}},
    {"ZeroedHeaderPage",
     [](RecordsTest& t) {
       std::string bytes = t.readHost("TEST.TPS");
       bytes.replace(4096, 4096, std::string(4096, '\0'));
       t.writeHost("TEST.TPS", bytes);
     },
     {46}},
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class DamagedFileTable : public RecordsTest, public ::testing::WithParamInterface<DamageCase> {};

// Damage reported as 46 is always repaired by a rebuild; any other report
// leaves the file as it is, rebuild or not.
TEST_P(DamagedFileTable, GivesAnErrorCodeNeverACrash) {
  const auto texts = makeBigKeyed(20);
  GetParam().damage(*this);
  const std::string damaged = readHost("TEST.TPS");
  auto file = bigKeyed();
  file.open(Access::ReadWriteShared);
  EXPECT_THAT(GetParam().acceptable, ::testing::Contains(file.errorCode())) << file.errorText();
  if (file.errorCode() == 0) {
    EXPECT_EQ(readAll(file).size(), texts.size());
    return;
  }
  const bool repairable = file.errorCode() == records::kKeysMustBeRebuilt;
  EXPECT_EQ(file.buildKeys(), repairable) << file.errorText();
  if (repairable) {
    EXPECT_TRUE(file.open(Access::ReadWriteShared)) << file.errorText();
  } else {
    EXPECT_EQ(readHost("TEST.TPS"), damaged);
  }
}

INSTANTIATE_TEST_SUITE_P(Records, DamagedFileTable, ::testing::ValuesIn(kDamage),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vl::test
