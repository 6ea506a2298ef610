// Byte layouts of the records, pinned byte for byte: the POS programs read
// POSID.TPS and the settings file outlives program versions.
#include "data/queue_entries.h"
#include "data/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vl {
namespace {

// The expected image of a serialised record, built field by field at the
// offsets the layout tables give.
class Image {
 public:
  explicit Image(std::size_t size) : bytes_(size, 0xCC) {}
  Image& text(std::size_t offset, std::string_view value, std::size_t width, char pad = ' ') {
    for (std::size_t i = 0; i < width; ++i)
      at(offset + i) = static_cast<std::uint8_t>(i < value.size() ? value[i] : pad);
    return *this;
  }
  Image& le(std::size_t offset, std::uint32_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
    return *this;
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::uint8_t& at(std::size_t i) {
    EXPECT_LT(i, bytes_.size());
    return bytes_.at(i);
  }
  std::vector<std::uint8_t> bytes_;
};

template <class R>
std::vector<std::uint8_t> bytesOf(const R& record) {
  const auto array = toBytes(record);
  return {array.begin(), array.end()};
}

template <class R>
R fromImage(const Image& image) {
  return deserialise<R>(std::span<const std::uint8_t, R::kSize>(image.bytes().data(), R::kSize));
}

TEST(RecordLayout, SettingsRecord) {
  SettingsRecord r;
  r.ADDRESS = "ftp.example.test";
  r.USERNAME = "VorlanFTP";
  r.PASSWORD = "secret";
  r.LOCALFTP = "ACME/SHOPF12";
  r.GLOBALFTP = "ACME/ACMEHQ";
  r.SENDERID = "S";
  r.SENDERPSW = "P";
  Image image(252);
  image.text(0, "ftp.example.test", 20)
      .text(20, "VorlanFTP", 16)
      .text(36, "secret", 16)
      .text(52, "ACME/SHOPF12", 80)
      .text(132, "ACME/ACMEHQ", 80)
      .text(212, "S", 20)
      .text(232, "P", 20);
  EXPECT_EQ(bytesOf(r), image.bytes());

  const auto back = fromImage<SettingsRecord>(image);
  EXPECT_EQ(back.ADDRESS, "ftp.example.test");
  EXPECT_EQ(back.LOCALFTP, "ACME/SHOPF12");
  EXPECT_EQ(back.SENDERPSW, "P");
  EXPECT_EQ(bytesOf(back), image.bytes());
}

TEST(RecordLayout, IdentityRecordWithNegativeAndWideNumbers) {
  IdentityRecord r;
  r.TERMID = -2;
  r.COMPUTERNAME = "TILL-01";
  r.DIALUPSERVER = 7;
  r.LOCATIONID = 0x1234;
  r.HHSERVERID = 0x7FFF;
  r.UPDATEFILES = "VLSECR.EXE|QUENTA.EXE|";
  r.SPARE = "";
  Image image(1057);
  image.le(0, 0xFFFE, 2)
      .text(2, "TILL-01", 15)
      .le(17, 7, 2)
      .le(19, 0x1234, 2)
      .le(21, 0x7FFF, 2)
      .text(23, "VLSECR.EXE|QUENTA.EXE|", 1024)
      .text(1047, "", 10);
  EXPECT_EQ(bytesOf(r), image.bytes());

  const auto back = fromImage<IdentityRecord>(image);
  EXPECT_EQ(back.TERMID, -2);
  EXPECT_EQ(back.LOCATIONID, 0x1234);
  EXPECT_EQ(back.HHSERVERID, 0x7FFF);
  EXPECT_EQ(back.UPDATEFILES, "VLSECR.EXE|QUENTA.EXE|");
}

TEST(RecordLayout, UpdateFileEntry) {
  UpdateFileEntry e;
  e.ICON = 2;
  e.UPDATEFILE = "VLSECR.EXE";
  e.REMOTEKBCOUNT = 1500;
  e.FTPDIRECTORY = "/FTP/ASP/ACME/SW/";
  e.REMOTEBYTECOUNT = 1536000;
  e.LOCALBYTECOUNT = -1;
  e.SORTORDER = 3;
  e.MARK = 1;
  Image image(167);
  image.text(0, "", 1)
      .le(1, 2, 2)
      .text(3, "VLSECR.EXE", 50)
      .le(53, 1500, 4)
      .text(57, "/FTP/ASP/ACME/SW/", 100)
      .le(157, 1536000, 4)
      .le(161, 0xFFFFFFFF, 4)
      .le(165, 3, 1)
      .le(166, 1, 1);
  EXPECT_EQ(bytesOf(e), image.bytes());

  const auto back = fromImage<UpdateFileEntry>(image);
  EXPECT_EQ(back.REMOTEBYTECOUNT, 1536000);
  EXPECT_EQ(back.LOCALBYTECOUNT, -1);
  EXPECT_EQ(back.SORTORDER, 3);
  EXPECT_EQ(back.FTPDIRECTORY, "/FTP/ASP/ACME/SW/");
}

TEST(RecordLayout, FileListEntry) {
  FileListEntry e;
  e.LONGNAME = "Long File Name.txt";
  e.FILENAME = "LONGFI~1.TXT";
  e.DATE = 82000;
  e.TIME = 3420001;
  e.SIZE = static_cast<std::int32_t>(0x89ABCDEFu);
  e.ATTRIB = kAttribArchive | kAttribReadOnly;
  Image image(282);
  image.text(0, "Long File Name.txt", 256)
      .text(256, "LONGFI~1.TXT", 13)
      .le(269, 82000, 4)
      .le(273, 3420001, 4)
      .le(277, 0x89ABCDEF, 4)
      .le(281, 33, 1);
  EXPECT_EQ(bytesOf(e), image.bytes());

  const auto back = fromImage<FileListEntry>(image);
  EXPECT_EQ(back.SIZE, static_cast<std::int32_t>(0x89ABCDEFu));
  EXPECT_EQ(back.ATTRIB, 33);
  EXPECT_EQ(back.FILENAME, "LONGFI~1.TXT");
}

TEST(RecordLayout, SingleFieldRecords) {
  TextLine line;
  line.LINE = "12/03/24,10:15,ACME/SHOPF12,OK,FD:0";
  EXPECT_EQ(bytesOf(line), Image(2048).text(0, "12/03/24,10:15,ACME/SHOPF12,OK,FD:0", 2048).bytes());

  ParsedItem item;
  item.PARSEDITEM = "ACME";
  EXPECT_EQ(bytesOf(item), Image(1024).text(0, "ACME", 1024).bytes());

  FileBlock block;
  for (std::size_t i = 0; i < block.FILEBUFFER.size(); ++i)
    block.FILEBUFFER[i] = static_cast<std::uint8_t>(i * 7);
  const auto bytes = toBytes(block);
  EXPECT_EQ(bytes.size(), 65536u);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), block.FILEBUFFER.begin()));
  EXPECT_EQ(deserialise<FileBlock>(bytes).FILEBUFFER, block.FILEBUFFER);
}

TEST(RecordLayout, DefaultRecordsAreBlankTextAndZeroNumbers) {
  const auto settings = toBytes(SettingsRecord{});
  EXPECT_TRUE(std::all_of(settings.begin(), settings.end(), [](std::uint8_t b) { return b == ' '; }));
  EXPECT_EQ(bytesOf(IdentityRecord{}), Image(1057)
                                           .le(0, 0, 2)
                                           .text(2, "", 15)
                                           .le(17, 0, 4)
                                           .le(21, 0, 2)
                                           .text(23, "", 1034)
                                           .bytes());
}

TEST(RecordLayout, SignaturesNameEveryFieldInOrder) {
  EXPECT_STREQ(SettingsRecord::kLayout,
               "FTP:ADDRESS S20;FTP:USERNAME S16;FTP:PASSWORD S16;FTP:LOCALFTP S80;"
               "FTP:GLOBALFTP S80;FTP:SENDERID S20;FTP:SENDERPSW S20");
  EXPECT_STREQ(IdentityRecord::kLayout,
               "PID:TERMID I16;PID:COMPUTERNAME S15;PID:DIALUPSERVER I16;PID:LOCATIONID I16;"
               "PID:HHSERVERID I16;PID:UPDATEFILES S1024;PID:SPARE S10");
  // A signature whose widths do not add up to the record is rejected.
  EXPECT_EQ(record_codec::layoutWidth("A S20;B I16;C I32;D U8;E B3"), 30u);
  EXPECT_EQ(record_codec::layoutWidth("A S2x"), 0u);
}

}  // namespace
}  // namespace vl
