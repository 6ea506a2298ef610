// Names and sizes in the file service's listings are the server's data, not
// instructions: a name that could leave the inbox or that no folder can hold
// is left out with a warning, a size that does not fit the 32-bit size field
// is an invalid byte size (never a wrapped number), names that need escaping
// are requested percent-encoded, and a huge listing ends in bounded time and
// memory. Every case runs the real program and checks the invariants.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <string>
#include <vector>

#include "fault_till.h"
#include "platform/ui/json_line.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;

constexpr const char* kInvalidName = "has an invalid file name.";
constexpr const char* kInvalidSize = "has an invalid byte size.";
constexpr const char* kComplete = "Download complete.";
constexpr const char* kDatabaseFolder = "Client/Store/Updates/";
constexpr const char* kListedExe = "VLSECR.EXE";  // queued by the till of every case
constexpr int kListedExeSize = 200 * 1024 + 17;

// A rule adding `lines` to every listing the server gives.
std::string extraListingLines(const std::vector<std::string>& lines) {
  std::string array = "[";
  for (const std::string& line : lines) array += (array.size() > 1 ? "," : "") + ui::jsonString(line);
  return R"([{"fault": "listing_extra", "op": "listFolder", "lines": )" + array + "]}]";
}

// A rule listing VLSECR.EXE with `size` (a JSON value) in place of its own.
std::string listedSizeOfExe(const std::string& size) {
  return R"([{"fault": "listing_size", "op": "listFolder", "name": "vlsecr.exe", "size": )" + size + "}]";
}

std::string percentDecoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The raw request targets of one kind of request, in order.
std::vector<std::string> targetsOf(const Cloudsim& server, const std::string& kind) {
  std::vector<std::string> out;
  for (const std::string& raw : server.requestLog()) {
    const auto line = parseTranscriptLine(raw);
    if (line && line->get("kind") == kind) out.push_back(line->get("target"));
  }
  return out;
}

// Every file fetched was a plain name inside a folder of the service.
void expectFetchedNamesPlain(const Cloudsim& server) {
  for (const std::string& target : targetsOf(server, "getFile")) {
    const std::string path = percentDecoded(target.substr(target.find("fullpath=") + 9));
    const std::string name = path.substr(path.rfind('/') + 1);
    EXPECT_EQ(path.rfind("/FTP/ASP/", 0), 0u) << target;
    EXPECT_EQ(path.find(".."), std::string::npos) << target;
    EXPECT_EQ(name.find_first_of("\\:"), std::string::npos) << target;
    for (const char c : name) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << target;
  }
}

// Nothing landed anywhere a listed name could point: the inbox holds plain
// files only, and no escape target exists on the host.
void expectNothingOutsideTheInbox(FaultTill& till) {
  const fsys::path inbox = till.driveC("VORLAN/T1/INBOX");
  for (const auto& entry : fsys::directory_iterator(inbox))
    EXPECT_TRUE(entry.is_regular_file() && !entry.is_symlink()) << "not a plain inbox file: " << entry.path();
  const fsys::path beside = till.box().prefix().parent_path();
  for (const fsys::path& p : {fsys::path("/etc/x"), fsys::path("/etc/x.exe"), fsys::path("/etc/X.EXE"),
                              fsys::path("/x.exe"), fsys::path("/X.EXE"), beside / "x.exe", beside / "X.EXE",
                              till.driveC("x.exe"), till.driveC("X.EXE"), till.driveC("VORLAN/T1/X.EXE")})
    EXPECT_FALSE(fsys::exists(p)) << p;
}

// A warning that shows a server's name never carries its control characters.
void expectMessagesPrintable(const HeadlessResult& r) {
  for (const TranscriptLine& m : r.messages())
    for (const char c : m.text()) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << m.raw;
}

// --- names that are left out ---

struct LeftOutName {
  const char* name;
  std::string line;     // the listing line the server adds
  const char* message;  // the warning, or nullptr when the entry goes silently
};

void PrintTo(const LeftOutName& c, std::ostream* out) { *out << c.name; }

class LeftOutNames : public ::testing::TestWithParam<LeftOutName> {};

TEST_P(LeftOutNames, AreNeverFetchedAndTheRunGoesOn) {
  const LeftOutName& c = GetParam();
  FaultTill till(Transport::Http);
  till.server().setFaults(extraListingLines({c.line}));
  const HeadlessResult r = till.download();
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_TRUE(r.hasMessage(kComplete)) << r.transcript;
  if (c.message != nullptr) {
    EXPECT_TRUE(r.hasMessage(c.message)) << r.transcript;
  } else {
    EXPECT_FALSE(r.hasMessage(kInvalidName) || r.hasMessage(kInvalidSize)) << r.transcript;
  }
  expectMessagesPrintable(r);
  expectFetchedNamesPlain(till.server());
  expectNothingOutsideTheInbox(till);
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

const LeftOutName kLeftOutNames[] = {
    {"ParentUnix", "../x.exe,100", kInvalidName},
    {"ParentWindows", "..\\x.exe,100", kInvalidName},
    {"ParentDeep", "../../../../../../etc/x.exe,100", kInvalidName},
    {"AbsoluteUnixNoExtension", "/etc/x,100", nullptr},
    {"AbsoluteUnix", "/etc/x.exe,100", kInvalidName},
    {"DriveNoExtension", "C:\\x,100", nullptr},
    {"Drive", "C:\\x.exe,100", kInvalidName},
    {"SubfolderNoExtension", "a/b,100", nullptr},
    {"Subfolder", "a/b.zip,100", kInvalidName},
    {"StreamNoExtension", "x:y,100", nullptr},
    {"Stream", "x:y.zip,100", kInvalidName},
    {"Dot", ".,100", kInvalidName},
    {"DotDot", "..,100", kInvalidName},
    {"Empty", ",100", nullptr},
    {"Blank", "   ,100", nullptr},
    {"ControlCharacter", "a\x01" "b.zip,100", kInvalidName},
    {"Tab", "a\tb.zip,100", kInvalidName},
    {"LoneLineFeed", "a\nb.zip,100", kInvalidName},
    {"Escape", "\x1b[2J.zip,100", kInvalidName},
    {"Delete", "a\x7f.zip,100", kInvalidName},
    {"DeviceNoExtension", "CON,100", nullptr},
    {"QuestionMark", "a?b.zip,100", kInvalidName},
    {"Pipe", "a|b.zip,100", kInvalidName},
    {"Over50", std::string(51, 'A') + ".ZIP,100", kInvalidName},
    {"Over255", std::string(300, 'A') + ".ZIP,100", kInvalidName},
    {"CutAt1024WithoutItsExtension", std::string(5000, 'A') + ".ZIP,100", nullptr},
    {"CommaSplitsTheName", "a,b.zip,100", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Http, LeftOutNames, ::testing::ValuesIn(kLeftOutNames),
                         [](const ::testing::TestParamInfo<LeftOutName>& p) { return std::string(p.param.name); });

// Over FTP the same names and sizes come as raw lines of the server's
// directory listing; the entry is judged the same way.
struct FtpListed {
  const char* name;
  std::string fileName;  // the name as the listing line gives it
  const char* size;      // the size column
  const char* message;   // the warning the run shows; nullptr: the line is no entry
};

void PrintTo(const FtpListed& c, std::ostream* out) { *out << c.name; }

class FtpListedEntries : public ::testing::TestWithParam<FtpListed> {};

TEST_P(FtpListedEntries, AreLeftOutWithAWarningAndTheRunGoesOn) {
  const FtpListed& c = GetParam();
  FaultTill till(Transport::Ftp);
  const std::string line = std::string("-rw-r--r--   1 owner    group   ") + c.size + " Jan 01 00:00 " + c.fileName;
  till.server().setFaults(R"([{"fault": "listing_extra", "op": "LIST", "lines": [)" + ui::jsonString(line) + "]}]");
  const HeadlessResult r = till.download();
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  if (c.message != nullptr) {
    EXPECT_TRUE(r.hasMessage(c.message)) << r.transcript;
  } else {
    EXPECT_FALSE(r.hasMessage(kInvalidName) || r.hasMessage(kInvalidSize)) << r.transcript;
  }
  EXPECT_TRUE(r.hasMessage(kComplete)) << r.transcript;
  expectMessagesPrintable(r);
  expectNothingOutsideTheInbox(till);
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

const FtpListed kFtpListed[] = {
    {"ParentUnix", "../x.exe", "100", kInvalidName},
    {"ParentWindows", "..\\x.exe", "100", kInvalidName},
    {"AbsoluteUnix", "/etc/x.exe", "100", kInvalidName},
    {"Drive", "C:\\x.exe", "100", kInvalidName},
    {"Subfolder", "a/b.zip", "100", kInvalidName},
    {"Stream", "x:y.zip", "100", kInvalidName},
    {"ControlCharacter", "a\x01" "b.zip", "100", kInvalidName},
    {"Over50", std::string(51, 'A') + ".ZIP", "100", kInvalidName},
    {"Over255", std::string(300, 'A') + ".ZIP", "100", kInvalidName},
    // A size column that is no unsigned decimal makes no listing entry at all.
    {"SizeMinusOne", "NEW.ZIP", "-1", nullptr},
    {"SizeHex", "NEW.ZIP", "0x10", nullptr},
    {"SizeTwoToThe31", "NEW.ZIP", "2147483648", kInvalidSize},
    {"SizeTwoToThe32", "NEW.ZIP", "4294967296", kInvalidSize},
    {"SizeTwoToThe32PlusOne", "NEW.ZIP", "4294967297", kInvalidSize},
    {"SizeNineBillion", "NEW.ZIP", "9999999999", kInvalidSize},
};

INSTANTIATE_TEST_SUITE_P(Ftp, FtpListedEntries, ::testing::ValuesIn(kFtpListed),
                         [](const ::testing::TestParamInfo<FtpListed>& p) { return std::string(p.param.name); });

// --- names that are fetched, percent-encoded where they must be ---

struct FetchedName {
  const char* name;
  const char* file;     // the file on the server, in the database folder
  const char* encoded;  // how the request names it
};

void PrintTo(const FetchedName& c, std::ostream* out) { *out << c.name; }

class FetchedNames : public ::testing::TestWithParam<FetchedName> {};

TEST_P(FetchedNames, ArriveInTheInboxUnderTheirOwnName) {
  const FetchedName& c = GetParam();
  FaultTill till(Transport::Http);
  const std::string bytes = std::string("served as ") + c.file + std::string(3000, '#');
  std::ofstream(till.remote(std::string(kDatabaseFolder) + c.file), std::ios::binary) << bytes;
  const HeadlessResult r = till.download();
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_TRUE(r.hasMessage(kComplete)) << r.transcript;
  EXPECT_FALSE(r.hasMessage(kInvalidName)) << r.transcript;
  const std::string wanted = std::string("/Updates/") + c.encoded;
  bool asked = false;
  for (const std::string& target : targetsOf(till.server(), "getFile"))
    asked = asked || (target.size() >= wanted.size() && target.ends_with(wanted));
  EXPECT_TRUE(asked) << "no getFile request ends with " << wanted;
  const std::string inboxName = Upper(c.file);
  std::ifstream in(till.driveC("VORLAN/T1/INBOX") / inboxName, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes) << inboxName;
  expectNothingOutsideTheInbox(till);
  InvariantOptions options;
  options.moreInboxFiles[inboxName] = bytes;
  till.expectInvariants(r, options);
  fsys::remove(till.remote(std::string(kDatabaseFolder) + c.file));
  till.expectSecondRunClean();
}

const FetchedName kFetchedNames[] = {
    {"Blank", "a b.zip", "A%20B.ZIP"},
    {"Ampersand", "a&b.zip", "A%26B.ZIP"},
    {"Hash", "a#b.zip", "A%23B.ZIP"},
    {"Plus", "a+b.zip", "A%2BB.ZIP"},
    {"Percent", "a%41.zip", "A%2541.ZIP"},
    {"Equals", "a=b.zip", "A=B.ZIP"},
    {"NonAscii", "caf\xC3\xA9.zip", "CAF%C3%A9.ZIP"},
    {"ManyAtOnce", "x &#+%=.zip", "X%20%26%23%2B%25=.ZIP"},
    {"DeviceNul", "NUL.ZIP", "NUL.ZIP"},
    {"DeviceCom1", "COM1.ZIP", "COM1.ZIP"},
    {"DeviceCon", "con.zip", "CON.ZIP"},
    {"Exactly50", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRST.ZIP",
     "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRST.ZIP"},
};

INSTANTIATE_TEST_SUITE_P(Http, FetchedNames, ::testing::ValuesIn(kFetchedNames),
                         [](const ::testing::TestParamInfo<FetchedName>& p) { return std::string(p.param.name); });

// --- sizes ---

struct ListedSize {
  const char* name;
  std::string size;  // a JSON value: the size field as the server lists it
  bool valid;        // fetched as usual, or left out with the invalid byte size warning
};

void PrintTo(const ListedSize& c, std::ostream* out) { *out << c.name; }

class ListedSizes : public ::testing::TestWithParam<ListedSize> {};

TEST_P(ListedSizes, AreByteCountsThatFitTheSizeFieldOrAreRefused) {
  const ListedSize& c = GetParam();
  FaultTill till(Transport::Http);
  till.server().setFaults(listedSizeOfExe(c.size));
  const HeadlessResult r = till.download();
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_TRUE(r.hasMessage(kComplete)) << r.transcript;
  bool fetched = false;
  for (const std::string& target : targetsOf(till.server(), "getFile"))
    fetched = fetched || target.ends_with(std::string("/") + kListedExe);
  EXPECT_EQ(fetched, c.valid);
  if (c.valid) {
    EXPECT_FALSE(r.hasMessage(kInvalidSize)) << r.transcript;
  } else {
    const auto warning = r.message(kInvalidSize);
    ASSERT_TRUE(warning.has_value()) << r.transcript;
    EXPECT_NE(warning->text().find(kListedExe), std::string::npos) << warning->raw;
  }
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

const std::string kExeSize = std::to_string(kListedExeSize);

const ListedSize kListedSizes[] = {
    {"MinusOne", "-1", false},
    {"Zero", "0", false},
    {"Hex", "\"0x10\"", false},
    {"NotANumber", "\"many\"", false},
    {"TwoToThe31", "2147483648", false},
    {"TwoToThe32", "4294967296", false},
    {"TwoToThe32PlusItsSize", std::to_string(4294967296LL + kListedExeSize), false},
    {"NineBillion", "9999999999", false},
    {"Beyond64Bits", "\"99999999999999999999999\"", false},
    {"WithPlus", "\"+" + kExeSize + "\"", true},
    {"WithFraction", "\"" + kExeSize + ".9\"", true},
    {"WithLeadingBlank", "\" " + kExeSize + "\"", true},
};

INSTANTIATE_TEST_SUITE_P(Http, ListedSizes, ::testing::ValuesIn(kListedSizes),
                         [](const ::testing::TestParamInfo<ListedSize>& p) { return std::string(p.param.name); });

// --- long listings ---

// 100,000 names the till does not take, listed in descending order (the
// listing queue is kept in name order, so each one lands at its front).
std::vector<std::string> hundredThousandLines(std::size_t padding) {
  std::vector<std::string> lines;
  lines.reserve(100000);
  for (int i = 100000; i > 0; --i) {
    std::string number = std::to_string(i);
    lines.push_back("F" + std::string(6 - number.size() + padding, '0') + number + ".SCN,5");
  }
  return lines;
}

// The largest peak resident memory of the processes this test has waited
// for, the program's runs among them (kilobytes).
long childrenPeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_maxrss;
}

TEST(LongListings, HundredThousandLinesEndInBoundedTimeAndMemory) {
  FaultTill till(Transport::Http);
  till.server().setFaults(extraListingLines(hundredThousandLines(0)));
  HeadlessRun run;
  run.limit = std::chrono::seconds(50);
  const HeadlessResult r = till.download(kAnswerNo, run);
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_TRUE(r.hasMessage(kComplete)) << r.transcript;
  const long kb = childrenPeakKilobytes();
  EXPECT_LT(kb, 256 * 1024) << "peak resident memory " << kb << " KB";
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

// A listing beyond the reply limit is the server's error, not a memory hog.
TEST(LongListings, AListingBeyondTheReplyLimitEndsTheRunAsATransactionError) {
  FaultTill till(Transport::Http);
  till.server().setFaults(extraListingLines(hundredThousandLines(40)));
  const HeadlessResult r = till.download();
  EXPECT_TRUE(r.hasMessage("The server's reply is longer than")) << r.transcript;
  EXPECT_FALSE(r.hasMessage(kComplete)) << r.transcript;
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

}  // namespace
}  // namespace vl::test
