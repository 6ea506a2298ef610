// The request engine's wire format, without a server.
#include <gtest/gtest.h>

#include "http/http_request_engine.h"
#include "platform/sys/system.h"

namespace vl::http {
namespace {

TEST(HttpWire, QueryValuesAreEncodedWhereACharacterWouldChangeTheRequest) {
  struct Case {
    const char* value;
    const char* encoded;
  };
  const Case cases[] = {
      {"/FTP/ASP/CLIENT/BIN/", "/FTP/ASP/CLIENT/BIN/"},
      {"/FTP/ASP/My Store/Updates/", "/FTP/ASP/My%20Store/Updates/"},
      {"A&B#C%D+E?F", "A%26B%23C%25D%2BE%3FF"},
      {"caf\xC3\xA9", "caf%C3%A9"},
      {"tab\there", "tab%09here"},
      {"a=b,c;d_e-f.g~h", "a=b,c;d_e-f.g~h"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeQueryValue(c.value), c.encoded) << c.value;
}

TEST(HttpWire, ObjectNamesOfTheFiveKinds) {
  struct Case {
    const char* kind;
    const char* object;
  };
  const Case cases[] = {
      {"listFolder  ", "/kwsync/listFolder.pyc?folder=/FTP/ASP/C/Updates/&displaymode=plain"},
      {"getFile", "/kwsync/getFile.pyc?fullpath=/FTP/ASP/C/BIN/A%20B.EXE"},
      {"putFile", "/kwsync/putFile.pyc"},
      {"delFile", "/kwsync/delFile.pyc?fullpath=/FTP/ASP/C/BIN/A%20B.EXE"},
      {"getDateTime", "/kwsync/getServerDateTime.pyc"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ObjectNameFor(c.kind, "/FTP/ASP/C/Updates/   ", "/FTP/ASP/C/BIN/A B.EXE  "), c.object) << c.kind;
}

TEST(HttpWire, ALongObjectNameIsCutTo254WithoutBreakingAnEscape) {
  const std::string prefix = "/kwsync/getFile.pyc?fullpath=";
  std::string path(254 - prefix.size() - 1, 'A');
  EXPECT_EQ(ObjectNameFor("getFile", "", path + "B").size(), 254u);
  EXPECT_EQ(ObjectNameFor("getFile", "", path + "BCD"), prefix + path + "B");
  // "%20" would start at position 254: the cut falls before it.
  EXPECT_EQ(ObjectNameFor("getFile", "", path + " X"), prefix + path);
}

TEST(HttpWire, RequestFlagsAddSecureOnPort443) {
  EXPECT_EQ(RequestFlags(80), 0x84000000u);
  EXPECT_EQ(RequestFlags(443), 0x84800000u);
}

TEST(HttpWire, BoundaryIs27HyphensAndFiveFourDigitNumbers) {
  sys::seedRandom(7);
  const std::string boundary = DrawBoundary();
  ASSERT_EQ(boundary.size(), 47u);
  EXPECT_EQ(boundary.substr(0, 27), std::string(27, '-'));
  for (char c : boundary.substr(27)) EXPECT_TRUE(c >= '0' && c <= '9');
  for (int i = 0; i < 5; ++i) EXPECT_NE(boundary[27 + 4 * i], '0');
  EXPECT_NE(DrawBoundary(), boundary);
}

TEST(HttpWire, UploadBodyByteForByte) {
  const std::string b = std::string(27, '-') + "12345678901234567890";
  const std::string expected =
      "--" + b + "\r\nContent-Disposition: form-data; name=\"folder\"\r\n\r\n/FTP/ASP/C/S/FTPLog/\r\n--" + b +
      "\r\nContent-Disposition: form-data; name=\"filename\"\r\n\r\n\r\n--" + b +
      "\r\nContent-Disposition: form-data; name=\"datafile\"; filename=\"012_240315093015.TXT\"\r\n"
      "Content-Type: application/octet-stream\r\n\r\nline\r\n" + std::string("\0\xff", 2) + "\r\n--" +
      b + "--\r\n";
  EXPECT_EQ(UploadBody(b, "/FTP/ASP/C/S/FTPLog/", "012_240315093015.TXT", std::string("line\r\n\x00\xff", 8)),
            std::string(expected.data(), expected.size()));
}

TEST(HttpWire, TemporaryNameAndByteFields) {
  EXPECT_EQ(TemporaryDownloadName("C:\\VORLAN\\T1\\INBOX\\VLSECR.EXE"), "C:\\VORLAN\\T1\\INBOX\\VLSECR.FTP");
  EXPECT_EQ(TemporaryDownloadName("C:\\VORLAN\\T1\\INBOX\\MENU.ZIP"), "C:\\VORLAN\\T1\\INBOX\\MENU.FTP");
  EXPECT_EQ(ByteCountField(1234567), " 1,234,567");
  EXPECT_EQ(ByteCountField(12), "        12");
  EXPECT_EQ(WithThousands(1000), "1,000");
  EXPECT_EQ(WithThousands(999), "999");
}

}  // namespace
}  // namespace vl::http
