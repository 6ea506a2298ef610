// Server faults of the HTTP file service, one per case, each run through the
// real headless program and checked against the invariants; a second run
// without the fault must then reach a clean run's end state.
#include <gtest/gtest.h>

#include "fault_till.h"

namespace vl::test {
namespace {

struct HttpFault {
  const char* name;
  const char* rules;     // the simulator's fault rules
  const char* message;   // a part of the box the run must end with
};

class HttpFaults : public ::testing::TestWithParam<HttpFault> {};

TEST_P(HttpFaults, EndAsReportedWithTheInvariantsIntact) {
  const HttpFault& fault = GetParam();
  FaultTill till(Transport::Http);
  till.server().setFaults(fault.rules);
  const HeadlessResult r = till.download();
  EXPECT_TRUE(r.hasMessage(fault.message)) << r.transcript;
  EXPECT_FALSE(r.hasMessage("Download complete.")) << r.transcript;
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

const HttpFault kHttpFaults[] = {
    {"ResetOnEveryGet", R"([{"fault": "reset", "op": "getFile"}])",
     "An Internet connection error has been detected:"},
    {"BodyShorterThanListed", R"([{"fault": "size_delta", "op": "getFile", "match": "*VLSECR.EXE", "delta": -100}])",
     "Incoming Internet file byte mismatch."},
};

INSTANTIATE_TEST_SUITE_P(Server, HttpFaults, ::testing::ValuesIn(kHttpFaults),
                         [](const ::testing::TestParamInfo<HttpFault>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vl::test
