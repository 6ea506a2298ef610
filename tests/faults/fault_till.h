#pragma once
// A till and its cloud server for one fault case: a sandbox prefix with a
// fixed clock, the cloud simulator seeded with location 12 of Client/Store
// (HTTP, HTTPS with a trusted certificate, and FTP over the same tree), the
// built-in host redirected to it, and the real headless program filling in
// the setup window as an installer does. Every run is framed by the
// invariant checker, and a fault case ends with a second, clean run that
// must reach the end state of a run that never met the fault.
//
//   FaultTill till(Transport::Ftp);
//   till.server().setFaults(R"([{"fault": "reset", "op": "RETR"}])");
//   HeadlessResult r = till.download(kAnswerNo);
//   EXPECT_TRUE(r.hasMessage("..."));
//   till.expectInvariants(r);
//   till.expectSecondRunClean();
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cloudsim_process.h"
#include "headless_harness.h"
#include "invariants.h"
#include "support/sandbox.h"

namespace vl::test {

enum class Transport { Http, Https, Ftp };
const char* TransportName(Transport transport);

// Robot lines answering the retry questions of both transfers with No, so
// that an Internet fault ends the run at once.
extern const char* const kAnswerNo;

struct TillOptions {
  std::vector<std::string> seedArgs;  // cloudsim seed options
  bool trustCertificate = true;       // CAFile= names the simulator's certificate
  std::string extraNetworkIni;        // more [Network] lines ("ReceiveTimeout=2\r\n")
  // Where the built-in host's ports 80 and 443 lead instead of the
  // simulator's (0: the simulator): a closed port, a silent listener,
  // another server. The second run of expectSecondRunClean() goes to the
  // simulator again, trusting its certificate.
  int httpPort = 0;
  int httpsPort = 0;
};

class FaultTill {
 public:
  explicit FaultTill(Transport transport, TillOptions options = {});
  ~FaultTill();

  Sandbox& box() { return *box_; }
  Cloudsim& server() { return *server_; }
  Transport transport() const { return transport_; }
  std::filesystem::path remote(const std::string& relative) const;  // below FTP/ASP of the server
  std::filesystem::path driveC(const std::string& relative) const { return box_->driveC() / relative; }

  // The robot script: access code, the General tab, the transport, then
  // `answers`, Download and Close.
  std::string script(const std::string& answers) const;
  // One run of that script (the checker's "before" is taken first);
  // `run` may set a wrapper, a time limit, or a whole script of its own.
  HeadlessResult download(const std::string& answers = kAnswerNo, HeadlessRun run = {});

  // Every invariant after the last download(), and no password in anything
  // readable; the case fails with the list.
  void expectInvariants(const HeadlessResult& r, const InvariantOptions& options = {}) const;
  std::vector<std::string> violations(const InvariantOptions& options = {}) const;
  // Clears the server's faults (and points the till at the simulator again),
  // runs again, and expects the clean end state.
  void expectSecondRunClean();

  // What a clean run over this transport leaves (computed once per process).
  static const CleanEndState& CleanState(Transport transport);

 private:
  std::vector<std::string> flagViolations() const;
  std::vector<std::string> secretViolations(const HeadlessResult& r) const;
  bool logReachedServer() const;

  Transport transport_;
  TillOptions options_;
  std::unique_ptr<Sandbox> box_;
  std::unique_ptr<Cloudsim> server_;
  InvariantChecker checker_;
  std::vector<std::string> flagsBefore_;
  TreeSnapshot logsBefore_;  // the server's log folder before the run
};

// Fails the case with the transcript when the program did not end by itself.
void ExpectEndedByItself(const HeadlessResult& r);

}  // namespace vl::test
