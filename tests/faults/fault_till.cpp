#include "fault_till.h"

#include <cstdlib>
#include <map>

#include "data/builtin_account.h"
#include "host_files.h"
#include "installer_script.h"

namespace vl::test {

namespace fsys = std::filesystem;

const char* const kAnswerNo = kNoRetry;

namespace {

// The update flags of location 12 and the folder its transfer logs go to.
constexpr const char* kFlags[] = {"CLIENT/BIN/SWUPD12.TXT", "CLIENT/BIN/POSID12.TXT",
                                  "Client/Store/Updates/POSID12.TPS"};
constexpr const char* kLogFolder = "Client/Store/FTPLog";

// Top-level names of the prefix that belong to the test, not to the till.
const std::vector<std::string> kNotTheTill = {"robot", "cert.pem", "key.pem", "platform.ini"};

std::string transportLines(Transport transport) {
  switch (transport) {
    case Transport::Http: return "press ?TAB3\npress ?BUSESSL\n";
    case Transport::Https: return "";
    case Transport::Ftp: return "press ?TAB3\npress ?BPROTOCOLTYPE:RADIO2\npress ?FTPPASSIVEMODE\n";
  }
  return "";
}

std::string platformIni(const Cloudsim& sim, const TillOptions& options) {
  const std::string host(kBuiltInAddress);
  auto to = [&](int from, int port) {
    return host + ":" + std::to_string(from) + ":127.0.0.1:" + std::to_string(port);
  };
  const int http = options.httpPort != 0 ? options.httpPort : sim.port();
  const int https = options.httpsPort != 0 ? options.httpsPort : sim.httpsPort();
  std::string connect = to(80, http) + "," + to(443, https);
  if (sim.ftpPort() != 0) connect += "," + to(21, sim.ftpPort());
  return "[System]\r\nComputerName=till7\r\nDragFullWindows=0\r\n"
         "[Clock]\r\nNow=2026-12-11 10:00:00\r\n"
         "[Network]\r\nConnected=18\r\nConnectTo=" + connect + "\r\n" +
         (options.trustCertificate ? "CAFile=cert.pem\r\n" : "") + options.extraNetworkIni;
}

}  // namespace

const char* TransportName(Transport transport) {
  switch (transport) {
    case Transport::Http: return "Http";
    case Transport::Https: return "Https";
    case Transport::Ftp: return "Ftp";
  }
  return "?";
}

FaultTill::FaultTill(Transport transport, TillOptions options)
    : transport_(transport), options_(options), box_(std::make_unique<Sandbox>()), checker_(box_->prefix(), kNotTheTill) {
  for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "ftp_proxy", "FTP_PROXY",
                           "all_proxy", "ALL_PROXY"})
    unsetenv(name);
  if (!MakeCertificate(box_->prefix(), std::string(kBuiltInAddress))) ADD_FAILURE() << "openssl failed";
  CloudsimOptions sim{options.seedArgs, box_->prefix() / "cert.pem", box_->prefix() / "key.pem"};
  sim.ftp = transport == Transport::Ftp;
  sim.ftpUser = std::string(kBuiltInUserName);
  sim.ftpPassword = std::string(kBuiltInPassword);
  server_ = std::make_unique<Cloudsim>(sim);
  fsys::create_directories(box_->driveC() / "VLSInet");  // where the program starts
  box_->writePlatformIni(platformIni(*server_, options));
}

FaultTill::~FaultTill() = default;

fsys::path FaultTill::remote(const std::string& relative) const {
  return server_->root() / "FTP" / "ASP" / relative;
}

std::string FaultTill::script(const std::string& answers) const {
  return std::string(kInstallerForm) + transportLines(transport_) + answers + kDownloadAndClose;
}

HeadlessResult FaultTill::download(const std::string& answers, HeadlessRun run) {
  flagsBefore_.clear();
  for (const char* flag : kFlags) {
    if (fsys::exists(remote(flag))) flagsBefore_.push_back(flag);
  }
  logsBefore_ = TakeSnapshot(remote(kLogFolder));
  checker_.before();
  if (run.executable.empty()) run.executable = VL_HEADLESS_BIN;
  if (run.script.empty()) run.script = script(answers);
  return runHeadlessProgram(*box_, run);
}

// A log reached the server when its log folder holds a new or changed file
// (with the fixed clock a later run's log can take an earlier one's name).
bool FaultTill::logReachedServer() const { return TakeSnapshot(remote(kLogFolder)).files != logsBefore_.files; }

// A flag goes only once the run has written its transfer log to the server.
std::vector<std::string> FaultTill::flagViolations() const {
  std::vector<std::string> out;
  for (const std::string& flag : flagsBefore_) {
    if (!fsys::exists(remote(flag)) && !logReachedServer())
      out.push_back("flag " + flag + " removed although no transfer log reached the server");
  }
  return out;
}

std::vector<std::string> FaultTill::violations(const InvariantOptions& options) const {
  std::vector<std::string> out = checker_.check(CleanState(transport_), options);
  for (std::string& v : flagViolations()) out.push_back(std::move(v));
  return out;
}

// The account password and the settings file's owner password stay out of
// everything a person or the server's staff can read: the transcript (boxes,
// window texts), standard error, the till's logs and INI files, the logs on
// the server. The settings file itself holds the account password by design.
std::vector<std::string> FaultTill::secretViolations(const HeadlessResult& r) const {
  std::vector<std::string> out;
  std::vector<std::pair<std::string, std::string>> readable = {{"transcript", r.transcript}, {"stderr", r.errors}};
  for (const auto& [path, bytes] : TakeSnapshot(box_->driveC()).files) {
    if (Upper(path) != "VORLAN/T1/VLSINET.TPS") readable.emplace_back(path, bytes);
  }
  for (const auto& [path, bytes] : TakeSnapshot(remote(kLogFolder)).files) readable.emplace_back(path, bytes);
  for (const std::string_view secret : {kBuiltInPassword, kSettingsOwnerPassword}) {
    for (const auto& [where, text] : readable) {
      if (text.find(secret) != std::string::npos) out.push_back("a password shows in " + where);
    }
  }
  return out;
}

void FaultTill::expectInvariants(const HeadlessResult& r, const InvariantOptions& options) const {
  ExpectEndedByItself(r);
  std::vector<std::string> broken = violations(options);
  for (std::string& v : secretViolations(r)) broken.push_back(std::move(v));
  EXPECT_TRUE(broken.empty()) << Describe(broken) << "\n" << r.transcript;
}

void FaultTill::expectSecondRunClean() {
  server_->setFaults("[]");
  TillOptions restored = options_;
  restored.trustCertificate = true;
  restored.httpPort = restored.httpsPort = 0;
  box_->writePlatformIni(platformIni(*server_, restored));
  const bool flagged = fsys::exists(remote(kFlags[0]));
  const HeadlessResult r = download(kAnswerNo);
  ExpectEndedByItself(r);
  EXPECT_EQ(r.exitCode, 0) << r.transcript << r.errors;
  expectInvariants(r);
  const CleanEndState now = ReadEndState(box_->prefix());
  const CleanEndState& clean = CleanState(transport_);
  EXPECT_EQ(now.bin, clean.bin) << "BIN after the second run differs from a clean run's\n" << r.transcript;
  if (flagged) {
    EXPECT_TRUE(r.hasMessage("Download complete.")) << r.transcript;
    EXPECT_EQ(now.inbox, clean.inbox) << "inbox after the second run differs from a clean run's\n" << r.transcript;
  }
}

const CleanEndState& FaultTill::CleanState(Transport transport) {
  static std::map<Transport, CleanEndState> cache;
  auto found = cache.find(transport);
  if (found != cache.end()) return found->second;
  CleanEndState state;
  {
    FaultTill clean(transport);
    const HeadlessResult r = clean.download(kAnswerNo);
    if (r.exitCode != 0 || !r.hasMessage("Download complete."))
      ADD_FAILURE() << "the clean reference run failed\n" << r.transcript << r.errors;
    state = ReadEndState(clean.box().prefix());
  }
  return cache.emplace(transport, std::move(state)).first->second;
}

void ExpectEndedByItself(const HeadlessResult& r) {
  EXPECT_FALSE(r.timedOut) << "the program did not end in time\n" << r.transcript;
  EXPECT_NE(r.transcriptExitCode(), -1) << "the transcript has no exit line\n" << r.transcript << r.errors;
}

}  // namespace vl::test
