#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

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
  // Opens a session, a connection to `host` and a sent HTTPS GET of `object`.
  InetResult sendGet(const std::string& host, const std::string& object, Session& session,
                     HttpConnection& http, HttpRequest& request) {
    if (InetResult r = session.open(); !r) return r;
    if (InetResult r = http.connect(session, host, 443, "", "", 0); !r) return r;
    if (InetResult r = http.openRequest(request, "GET", object, "HTTP/1.0", "", kAcceptTypes,
                                        kFlagReload | kFlagNoCacheWrite | kFlagSecure);
        !r)
      return r;
    return request.send("Content-Type:Text/Plain", "");
  }
  InetResult getEcho(const std::string& host, int& status) {
    Session session;
    HttpConnection http;
    HttpRequest request;
    InetResult result = sendGet(host, "/echo", session, http, request);
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

// A body much longer than one TLS record or one read, pulled in 65,536-byte
// reads as the file download does: every read but the last is full and the
// bytes arrive intact, in order, to the last one.
TEST_F(HttpsClientTest, ReadsALongBodyInFullBlocksByteForByte) {
  writeIni(true);
  const std::size_t size = 6u * 1024 * 1024 + 4321;
  Session session;
  HttpConnection http;
  HttpRequest request;
  ASSERT_TRUE(sendGet(kServerName, "/bytes?size=" + std::to_string(size), session, http, request));
  EXPECT_EQ(request.statusCode(), 200);
  std::vector<char> block(65536);
  std::size_t total = 0, got = 0, shortReads = 0, firstWrong = size;
  while (true) {
    InetResult result = request.read(block.data(), block.size(), got);
    ASSERT_TRUE(result) << "error " << result.error << " after " << total << " bytes";
    if (got == 0) break;
    shortReads += got < block.size();
    for (std::size_t i = 0; i < got && firstWrong == size; ++i)
      if (block[i] != static_cast<char>((total + i) % 251)) firstWrong = total + i;
    total += got;
  }
  EXPECT_EQ(total, size);
  EXPECT_EQ(shortReads, 1u);
  EXPECT_EQ(firstWrong, size) << "first wrong byte";
}

}  // namespace
}  // namespace vl::net
