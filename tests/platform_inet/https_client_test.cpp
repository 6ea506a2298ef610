#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "inet_test_support.h"
#include "platform/base/errors.h"
#include "server_process.h"

namespace vl::net {
namespace {

const std::vector<std::string> kAcceptTypes{"text/html"};
constexpr const char* kServerName = "cloud.vorlan.example";

// An HTTPS server whose self-signed certificate names kServerName; requests
// for that name (and for a second one) are sent to it through ConnectTo.
class HttpsClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vl::test::clearProxyEnvironment();
    std::string dir = sandbox_.prefix().string();
    std::string command = "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"
                          " -subj /CN=" + std::string(kServerName) +
                          " -addext subjectAltName=DNS:" + kServerName + " -keyout " + dir +
                          "/key.pem -out " + dir + "/cert.pem 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    server_ = std::make_unique<vl::test::ServerProcess>(
        "http_server.py", std::vector<std::string>{dir + "/cert.pem", dir + "/key.pem"});
  }
  void writeIni(bool trustCertificate) {
    std::string port = std::to_string(server_->port());
    sandbox_.writePlatformIni("[Network]\r\nConnectTo=" + std::string(kServerName) + ":443:127.0.0.1:" +
                              port + ",other.vorlan.example:443:127.0.0.1:" + port + "\r\n" +
                              (trustCertificate ? "CAFile=cert.pem\r\n" : ""));
  }
  InetResult getEcho(const std::string& host, int& status) {
    Session session;
    if (InetResult r = session.open(); !r) return r;
    HttpConnection http;
    if (InetResult r = http.connect(session, host, 443, "", "", 0); !r) return r;
    HttpRequest request;
    if (InetResult r = http.openRequest(request, "GET", "/echo", "HTTP/1.0", "", kAcceptTypes,
                                        kFlagReload | kFlagNoCacheWrite | kFlagSecure);
        !r)
      return r;
    InetResult result = request.send("Content-Type:Text/Plain", "");
    status = request.statusCode();
    return result;
  }

  vl::test::Sandbox sandbox_;
  std::unique_ptr<vl::test::ServerProcess> server_;
};

TEST_F(HttpsClientTest, VerifiesTheCertificateAgainstSystemAndExtraAuthorities) {
  struct Case {
    const char* what;
    bool trust;
    const char* host;
    std::uint32_t error;
  };
  const Case cases[] = {
      {"unknown authority", false, kServerName, kErrorInternetInvalidCa},
      {"trusted through CAFile", true, kServerName, 0},
      {"trusted but another name", true, "other.vorlan.example", kErrorInternetSecCertCnInvalid},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    writeIni(c.trust);
    int status = 0;
    EXPECT_EQ(getEcho(c.host, status).error, c.error);
    EXPECT_EQ(status, c.error ? 0 : 200);
  }
}

}  // namespace
}  // namespace vl::net
