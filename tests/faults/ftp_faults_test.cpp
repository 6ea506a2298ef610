// Server faults of the FTP side, one per case, each run through the real
// headless program and checked against the invariants; a second run without
// the fault must then reach a clean run's end state. The FTP run asks no
// questions: an operation that fails four times is reported in one box and
// ends the run, a file the server refuses is left out and the byte count
// tells, a refused flag deletion is reported and the run goes on.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "fault_till.h"

namespace vl::test {
namespace {

constexpr const char* kShortTimeout = "ReceiveTimeout=1\r\n";
constexpr const char* kDone = "Download complete.";
constexpr const char* kShortTransfer = "The file update will not take place.";

struct FtpFault {
  const char* name;
  const char* rules;        // the simulator's fault rules
  const char* message;      // a part of a box the run must show
  bool completes = false;   // the run still ends with "Download complete."
  const char* networkIni = "";
};

void PrintTo(const FtpFault& fault, std::ostream* out) { *out << fault.name; }

// The server takes its transfer logs away, so that the second run's log (of
// the same name when both runs fall in the same second) shows as new.
void CollectServerLogs(const FaultTill& till) {
  for (const auto& log : std::filesystem::directory_iterator(till.remote("Client/Store/FTPLog")))
    std::filesystem::remove(log.path());
}

class FtpFaults : public ::testing::TestWithParam<FtpFault> {};

TEST_P(FtpFaults, EndAsReportedWithTheInvariantsIntact) {
  const FtpFault& fault = GetParam();
  FaultTill till(Transport::Ftp, TillOptions{{}, true, fault.networkIni});
  till.server().setFaults(fault.rules);
  const HeadlessResult r = till.download();
  EXPECT_TRUE(r.hasMessage(fault.message)) << r.transcript;
  EXPECT_EQ(r.hasMessage(kDone), fault.completes) << r.transcript;
  till.expectInvariants(r);
  CollectServerLogs(till);
  till.expectSecondRunClean();
}

const FtpFault kFtpFaults[] = {
    // Four tries of one download, then the report; three failures are lived with.
    {"ResetMidFileEveryTry", R"([{"fault": "reset", "op": "RETR", "match": "*/VLSECR.EXE", "after": 65536}])",
     "Error: 12031 FTPGetFile|The internet connection was reset."},
    {"ResetMidFileThreeTimes",
     R"([{"fault": "reset", "op": "RETR", "match": "*/VLSECR.EXE", "after": 65536, "times": 3}])",
     "Successfully downloaded:", true},
    // libcurl takes a 421 for the server giving up: a timeout.
    {"Greeting421", R"([{"fault": "reply", "op": "greeting", "code": 421, "text": "Too many users."}])",
     "Error: 12002 InternetConnect|Internet timeout error."},
    {"NeverGreets", R"([{"fault": "stall", "op": "greeting"}])",
     "Error: 12002 InternetConnect|Internet timeout error.", false, kShortTimeout},
    {"LoginRefused", R"([{"fault": "reply", "op": "PASS", "code": 530, "text": "Login incorrect."}])",
     "Error: 12014 InternetConnect|Invalid Internet logon password."},
    // The data connection goes to the server whatever address PASV names.
    {"PasvNamesAnotherAddress",
     R"([{"fault": "reply", "op": "EPSV", "code": 500}, {"fault": "pasv_address", "op": "PASV", "address": "10.255.255.1"}])",
     "Successfully downloaded:", true, kShortTimeout},
    {"DataPortNeverAccepts", R"([{"fault": "no_data", "op": "EPSV", "skip": 2}])",
     "Error: 12002 FTPGetFile|Internet timeout error.", false, kShortTimeout},
    {"Retr550", R"([{"fault": "reply", "op": "RETR", "match": "*/VLSECR.EXE", "code": 550}])", kShortTransfer},
    {"Retr450", R"([{"fault": "reply", "op": "RETR", "match": "*/VLSECR.EXE", "code": 450}])", kShortTransfer},
    // The size the server announced for the transfer is what counts.
    {"DataCutShortThen226", R"([{"fault": "cut", "op": "RETR", "match": "*/VLSECR.EXE", "after": 1000}])",
     "Error: 12030 FTPGetFile"},
    {"MoreBytesThanListed", R"([{"fault": "size_delta", "op": "RETR", "match": "*/VLSECR.EXE", "delta": 100}])",
     "Successfully downloaded: 910,503 bytes", true},
    {"StallOnCommand", R"([{"fault": "stall", "op": "RETR", "match": "*/VLSECR.EXE", "seconds": 5}])",
     "Error: 12002 FTPGetFile|Internet timeout error.", false, kShortTimeout},
    {"StallOnData",
     R"([{"fault": "stall", "op": "RETR", "match": "*/VLSECR.EXE", "where": "data", "after": 1000, "seconds": 5}])",
     "Error: 12002 FTPGetFile|Internet timeout error.", false, kShortTimeout},
    {"RepliesWithBareLineFeeds", R"([{"fault": "odd_reply", "style": "lf"}])", "Successfully downloaded:", true},
    {"MultiLineReplies", R"([{"fault": "odd_reply", "style": "multiline"}])", "Successfully downloaded:", true},
    {"RepliesHoldingNul", R"([{"fault": "odd_reply", "style": "nul"}])", "Error: 12152 FTPFindFirstFile"},
    // Cut in the middle of a name: the stump is asked for and refused.
    {"ListingCutOff",
     R"([{"fault": "cut", "op": "LIST", "match": "*/BIN", "through": "C60RUNX.D", "text": "226 Output truncated"}])",
     kShortTransfer},
    {"StorRefused", R"([{"fault": "reply", "op": "STOR", "code": 553, "text": "Could not create file."}])",
     "Error: 12003 FTPPutLog|553|553 Could not create file."},
    {"StorRefusedThreeTimes", R"([{"fault": "reply", "op": "STOR", "code": 553, "times": 3}])",
     "Successfully downloaded:", true},
    // Reported once per flag; the update goes on but is not done.
    {"Dele550", R"([{"fault": "reply", "op": "DELE", "code": 550}])", "Error: 12003 FTPDelete|550"},
};

INSTANTIATE_TEST_SUITE_P(Server, FtpFaults, ::testing::ValuesIn(kFtpFaults),
                         [](const ::testing::TestParamInfo<FtpFault>& p) { return std::string(p.param.name); });

// Names the server lists with a line break in them, raw or percent-encoded:
// none reaches a command, so the server sees only the program's own commands
// (a smuggled MKD would show in its command log and on its disk).
struct HostileName {
  const char* name;
  const char* listed;   // the name as the listing gives it
  const char* message;  // a part of a box the run must show
};

void PrintTo(const HostileName& hostile, std::ostream* out) { *out << hostile.name; }

class FtpHostileNames : public ::testing::TestWithParam<HostileName> {};

TEST_P(FtpHostileNames, NeverBecomeACommand) {
  const HostileName& hostile = GetParam();
  FaultTill till(Transport::Ftp);
  const std::string line = std::string("-rw-r--r--   1 owner    group          10 Jan 01 00:00 ") + hostile.listed;
  std::string escaped;
  for (char c : line) escaped += c == '\r' ? std::string("\\r") : std::string(1, c);
  till.server().setFaults(R"([{"fault": "listing_extra", "op": "LIST", "match": "*/BIN", "lines": [")" + escaped +
                          R"("]}])");
  const HeadlessResult r = till.download();
  EXPECT_TRUE(r.hasMessage(hostile.message)) << r.transcript;
  EXPECT_FALSE(r.hasMessage(kDone)) << r.transcript;
  for (const std::string& entry : till.server().requestLog())
    EXPECT_EQ(entry.find(R"("op": "MKD")"), std::string::npos) << entry;
  EXPECT_FALSE(std::filesystem::exists(till.remote("INJECTED")));
  EXPECT_FALSE(std::filesystem::exists(till.remote("CLIENT/BIN/INJECTED")));
  till.expectInvariants(r);
  CollectServerLogs(till);
  till.expectSecondRunClean();
}

const HostileName kHostileNames[] = {
    {"CarriageReturn", "A.ZIP\rMKD INJECTED", kShortTransfer},
    {"PercentEncodedLineBreak", "B%0D%0AMKD INJECTED.ZIP", kShortTransfer},
};

INSTANTIATE_TEST_SUITE_P(Listing, FtpHostileNames, ::testing::ValuesIn(kHostileNames),
                         [](const ::testing::TestParamInfo<HostileName>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vl::test
