// Server faults of the HTTP file service, one per case, each run through the
// real headless program and checked against the invariants; a second run
// without the fault must then reach a clean run's end state. A request that
// fails on the connection is tried four times, then the retry question is
// answered No; a reply the program cannot accept ends the run as an HTTP
// transaction error; a download whose size is not the listed one is rolled
// back.
#include <gtest/gtest.h>

#include <string>

#include "fault_till.h"
#include "server_process.h"

namespace vl::test {
namespace {

constexpr const char* kShortTimeout = "ReceiveTimeout=1\r\n";
constexpr const char* kDone = "Download complete.";
constexpr const char* kInternetError = "An Internet connection error has been detected:";
constexpr const char* kMismatch = "Incoming Internet file byte mismatch.";

// The largest file a run fetches (VLSECR.EXE of the seed). No file the
// program writes may grow past it by more than the one byte that shows a
// reply to be longer than listed.
constexpr long kLargestListed = 200 * 1024 + 17;

enum class Route { Simulator, ClosedPort };

struct HttpFault {
  const char* name;
  const char* rules;        // the simulator's fault rules; "{port}" is its HTTP port
  const char* message;      // a part of a box the run must show
  const char* networkIni = "";
  Route route = Route::Simulator;
};

std::string withPort(std::string text, int port) {
  for (std::size_t at = text.find("{port}"); at != std::string::npos; at = text.find("{port}"))
    text.replace(at, 6, std::to_string(port));
  return text;
}

class HttpFaults : public ::testing::TestWithParam<HttpFault> {};

TEST_P(HttpFaults, EndAsReportedWithTheInvariantsIntact) {
  const HttpFault& fault = GetParam();
  TillOptions options{{}, true, fault.networkIni};
  if (fault.route == Route::ClosedPort) options.httpPort = unusedPort();
  FaultTill till(Transport::Http, options);
  till.server().setFaults(withPort(fault.rules, till.server().port()));
  const std::string cap = "--fsize=" + std::to_string(kLargestListed + 1);
  HeadlessRun capped;
  capped.wrapper = {"prlimit", cap, "--"};
  const HeadlessResult r = till.download(kAnswerNo, capped);
  EXPECT_TRUE(r.hasMessage(fault.message)) << r.transcript;
  EXPECT_FALSE(r.hasMessage(kDone)) << r.transcript;
  // A redirect is the server's answer, never a request to follow.
  for (const std::string& entry : till.server().requestLog())
    EXPECT_EQ(entry.find("redirected"), std::string::npos) << "a redirect was followed: " << entry;
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

const HttpFault kHttpFaults[] = {
    // The connection itself.
    {"ConnectionRefused", "[]", kInternetError, "", Route::ClosedPort},
    {"ResetOnEveryGet", R"([{"fault": "reset", "op": "getFile"}])", kInternetError},
    {"ResetOnListing", R"([{"fault": "reset", "op": "listFolder"}])", kInternetError},
    {"ResetMidFile", R"([{"fault": "reset", "op": "getFile", "match": "*VLSECR.EXE", "after": 70000}])",
     kInternetError},
    {"ClosedWithoutReply", R"([{"fault": "no_reply", "op": "getFile"}])", kInternetError},
    {"AcceptedNeverAnswered", R"([{"fault": "stall", "op": "listFolder", "seconds": 60}])",
     "Internet timeout error.", kShortTimeout},
    {"StallMidFile",
     R"([{"fault": "stall", "op": "getFile", "match": "*VLSECR.EXE", "where": "body", "after": 1000, "seconds": 60}])",
     "Internet timeout error.", kShortTimeout},
    // The body against its Content-Length and the listed size.
    {"BodyShorterThanContentLength", R"([{"fault": "cut", "op": "getFile", "match": "*VLSECR.EXE", "after": 1000}])",
     kInternetError},
    {"BodyShorterThanListed", R"([{"fault": "size_delta", "op": "getFile", "match": "*VLSECR.EXE", "delta": -100}])",
     kMismatch},
    {"EndlessBody", R"([{"fault": "endless", "op": "getFile", "match": "*VLSECR.EXE"}])", kMismatch},
    {"NegativeContentLength", R"([{"fault": "content_length", "op": "getFile", "value": "-1"}])", kInternetError},
    {"HexContentLength", R"([{"fault": "content_length", "op": "getFile", "value": "0x32011"}])", kInternetError},
    {"HugeContentLength", R"([{"fault": "content_length", "op": "getFile", "value": "99999999999999999999"}])",
     kInternetError},
    {"TwoContentLengths", R"([{"fault": "content_length", "op": "getFile", "value": ["100", "204817"]}])",
     kInternetError},
    // Status codes with an HTML page: never taken for the file or the listing.
    {"NotFoundPage", R"([{"fault": "status", "op": "getFile", "code": 404, "reason": "Not Found"}])",
     "The server answered with HTTP status 404."},
    {"ServerErrorPage", R"([{"fault": "status", "op": "listFolder", "code": 500}])",
     "The server answered with HTTP status 500."},
    {"RedirectToAnotherHost",
     R"([{"fault": "redirect", "op": "getFile", "code": 302, "times": 1,
          "location": "http://127.0.0.1:{port}/kwsync/getFile.pyc?fullpath=/FTP/ASP/CLIENT/BIN/VLSECR.EXE&redirected=1"}])",
     "The server answered with HTTP status 302."},
    {"RedirectMovedPermanently",
     R"([{"fault": "redirect", "op": "listFolder", "code": 301, "times": 1,
          "location": "http://localhost:{port}/kwsync/listFolder.pyc?folder=/FTP/ASP/CLIENT/BIN/&displaymode=plain&redirected=1"}])",
     "The server answered with HTTP status 301."},
    // In-band refusals of the file service.
    {"ErrorInsteadOfFile", R"([{"fault": "get_error", "match": "*VLSECR.EXE", "text": "ERROR:Server is busy"}])",
     kMismatch},
    {"ErrorInsteadOfListing", R"([{"fault": "listing_error", "text": "ERROR:Server is busy"}])",
     "ERROR:Server is busy"},
};

INSTANTIATE_TEST_SUITE_P(Server, HttpFaults, ::testing::ValuesIn(kHttpFaults),
                         [](const ::testing::TestParamInfo<HttpFault>& p) { return std::string(p.param.name); });

// A server that is only slow is waited for: the run ends as a clean one.
TEST(HttpSlowServer, TrickledRepliesAreReceivedWhole) {
  FaultTill till(Transport::Http);
  till.server().setFaults(R"([{"fault": "trickle", "op": "listFolder", "rate": 2000},
                              {"fault": "trickle", "op": "getFile", "match": "*POSID12.TPS", "rate": 2000}])");
  const HeadlessResult r = till.download();
  EXPECT_TRUE(r.hasMessage(kDone)) << r.transcript;
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

}  // namespace
}  // namespace vl::test
