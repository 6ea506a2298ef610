// HTTPS that cannot be trusted: a certificate nobody vouches for, one for
// another host, one that has expired, a handshake that never ends, plain
// HTTP where TLS is expected. Each is refused and reported before a request
// goes out: no server hears a request, nothing reaches the inbox or BIN, and
// a second run against the real server ends as a clean one. A redirect to
// plain HTTP is not followed either.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "data/builtin_account.h"
#include "fault_till.h"
#include "server_process.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;

constexpr const char* kShortTimeout = "ReceiveTimeout=1\r\n";

// Certificate and key files for a server that is not the till's own; a
// folder of its own, since the till's Sandbox owns the prefix variable.
class CertFolder {
 public:
  CertFolder() {
    std::string pattern = (fsys::temp_directory_path() / "vl-tls-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    dir_ = pattern;
  }
  ~CertFolder() {
    std::error_code ec;
    fsys::remove_all(dir_, ec);
  }
  CertFolder(const CertFolder&) = delete;
  CertFolder& operator=(const CertFolder&) = delete;
  const fsys::path& dir() const { return dir_; }
  fsys::path cert() const { return dir_ / "cert.pem"; }
  fsys::path key() const { return dir_ / "key.pem"; }

 private:
  fsys::path dir_;
};

// A certificate for `host` that was valid for one month of 2020 only.
// `openssl req -x509` cannot date a certificate back; `openssl ca` can.
bool MakeExpiredCertificate(const CertFolder& folder, const std::string& host) {
  const fsys::path& d = folder.dir();
  std::ofstream(d / "ca.cnf") << "[ca]\ndefault_ca = old\n[old]\ndatabase = index.txt\nnew_certs_dir = .\n"
                                 "serial = serial\ndefault_md = sha256\npolicy = any\ncopy_extensions = copy\n"
                                 "[any]\ncommonName = supplied\n";
  std::ofstream(d / "index.txt");
  std::ofstream(d / "serial") << "01\n";
  const std::string command =
      "cd '" + d.string() + "' && openssl req -new -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -subj /CN=" +
      host + " -addext subjectAltName=DNS:" + host + ",DNS:localhost -keyout key.pem -out req.pem 2>/dev/null" +
      " && openssl ca -batch -notext -config ca.cnf -selfsign -keyfile key.pem -in req.pem" +
      " -startdate 20200101000000Z -enddate 20200201000000Z -out cert.pem >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// Adds a certificate to the ones the till trusts.
void Trust(FaultTill& till, const fsys::path& cert) {
  std::ifstream in(cert, std::ios::binary);
  std::ofstream(till.box().prefix() / "cert.pem", std::ios::app) << in.rdbuf();
}

enum class Port443 {
  Untrusted,    // the simulator itself, its certificate not trusted
  WrongHost,    // another server, trusted, its certificate for another name
  Expired,      // another server, trusted, its certificate expired
  Silent,       // accepts the connection and says nothing
  PlainHttp,    // another simulator's plain HTTP port
};

struct TlsFault {
  const char* name;
  Port443 port;
  const char* message;  // the error line of the report
};

// What port 443 of the built-in host leads to in one case.
struct Impostor {
  CertFolder certs;
  std::unique_ptr<Cloudsim> server;
  std::unique_ptr<SilentListener> silent;
  int port = 0;  // 0: the till's own simulator

  explicit Impostor(Port443 kind) {
    if (kind == Port443::Silent) {
      silent = std::make_unique<SilentListener>();
      port = silent->port();
      return;
    }
    if (kind == Port443::Untrusted) return;
    bool made = kind == Port443::Expired ? MakeExpiredCertificate(certs, std::string(kBuiltInAddress))
                                         : MakeCertificate(certs.dir(), "other.example");
    EXPECT_TRUE(made) << "openssl failed";
    server = std::make_unique<Cloudsim>(CloudsimOptions{{}, certs.cert(), certs.key()});
    port = kind == Port443::PlainHttp ? server->port() : server->httpsPort();
  }
};

class TlsFaults : public ::testing::TestWithParam<TlsFault> {};

TEST_P(TlsFaults, RefusedAndReportedWithNothingInstalled) {
  const TlsFault& fault = GetParam();
  Impostor impostor(fault.port);
  TillOptions options{{}, fault.port != Port443::Untrusted, kShortTimeout};
  options.httpsPort = impostor.port;
  FaultTill till(Transport::Https, options);
  if (fault.port == Port443::WrongHost || fault.port == Port443::Expired) Trust(till, impostor.certs.cert());
  const TreeSnapshot binBefore = TakeSnapshot(till.driveC("VORLAN/BIN"));

  const HeadlessResult r = till.download();
  EXPECT_TRUE(r.hasMessage("An Internet connection error has been detected:")) << r.transcript;
  EXPECT_TRUE(r.hasMessage(fault.message)) << r.transcript;
  EXPECT_TRUE(till.server().requestLog().empty()) << "a request reached the simulator";
  if (impostor.server) {
    EXPECT_TRUE(impostor.server->requestLog().empty()) << "a request reached the other server";
  }
  EXPECT_EQ(TakeSnapshot(till.driveC("VORLAN/BIN")).files, binBefore.files) << "something was installed";
  EXPECT_TRUE(TakeSnapshot(till.driveC("VORLAN/T1/INBOX")).files.empty()) << "something reached the inbox";
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

const TlsFault kTlsFaults[] = {
    {"SelfSignedNotTrusted", Port443::Untrusted, "Error: 12045 "},
    {"CertificateForAnotherHost", Port443::WrongHost, "Error: 12038 "},
    {"ExpiredCertificate", Port443::Expired, "Error: 12037 "},
    {"HandshakeNeverAnswered", Port443::Silent, "Error: 12002 "},
    // The HTTP server waits for a request line that never comes.
    {"PlainHttpOnTheTlsPort", Port443::PlainHttp, "Error: 12002 "},
};

INSTANTIATE_TEST_SUITE_P(Https, TlsFaults, ::testing::ValuesIn(kTlsFaults),
                         [](const ::testing::TestParamInfo<TlsFault>& p) { return std::string(p.param.name); });

// A redirect from HTTPS to plain HTTP on the same host is refused, not
// followed: the simulator's plain port hears nothing.
TEST(HttpsRedirect, ToPlainHttpIsNotFollowed) {
  FaultTill till(Transport::Https);
  till.server().setFaults(std::string(R"([{"fault": "redirect", "op": "getFile", "code": 302, "location": "http://)") +
                          std::string(kBuiltInAddress) +
                          R"(/kwsync/getFile.pyc?fullpath=/FTP/ASP/CLIENT/BIN/VLSECR.EXE"}])");
  const HeadlessResult r = till.download();
  EXPECT_TRUE(r.hasMessage("The server answered with HTTP status 302.")) << r.transcript;
  for (const std::string& entry : till.server().requestLog())
    EXPECT_EQ(entry.find(R"("scheme": "http")"), std::string::npos) << "a request went out over plain HTTP: " << entry;
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

}  // namespace
}  // namespace vl::test
