#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "inet_test_support.h"
#include "platform/base/errors.h"
#include "server_process.h"

namespace vl::net {
namespace {

constexpr std::size_t kBlock = 65536;
const std::vector<std::string> kAcceptTypes{"text/html"};

long residentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

class HttpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vl::test::clearProxyEnvironment();
    ASSERT_TRUE(session_.open());
    ASSERT_TRUE(session_.setStatusCallback(recorder_.callback()));
  }
  void connect(const std::string& host, int port) {
    ASSERT_TRUE(http_.connect(session_, host, port, "", "", 0));
  }
  InetResult get(HttpRequest& request, const std::string& object) {
    if (InetResult r = http_.openRequest(request, "GET", object, "HTTP/1.0", "", kAcceptTypes,
                                         kFlagReload | kFlagNoCacheWrite);
        !r)
      return r;
    return request.send("Content-Type:Text/Plain", "");
  }
  // Reads the whole reply in blocks; fails the test on a read error.
  std::string readAll(HttpRequest& request) {
    std::string all, block(kBlock, '\0');
    std::size_t got = 0;
    while (request.read(block.data(), block.size(), got) && got > 0) all.append(block.data(), got);
    EXPECT_EQ(vl::platform::lastWinError(), 0u);
    return all;
  }

  vl::test::Sandbox sandbox_;
  vl::test::ServerProcess server_{"http_server.py", {}};
  vl::test::StatusRecorder recorder_;
  Session session_;
  HttpConnection http_;
};

TEST_F(HttpClientTest, StreamsALargeBodyInFullBlocksWithBoundedMemory) {
  connect("127.0.0.1", server_.port());
  const std::size_t size = 96u * 1024 * 1024 + 123;
  HttpRequest request;
  ASSERT_TRUE(get(request, "/bytes?size=" + std::to_string(size)));
  EXPECT_EQ(request.statusCode(), 200);

  std::vector<char> block(kBlock);
  std::size_t total = 0, got = 0, shortReads = 0;
  bool intact = true;
  long startKiB = residentKiB(), peakKiB = startKiB;
  while (true) {
    ASSERT_TRUE(request.read(block.data(), block.size(), got));
    if (got == 0) break;
    shortReads += got < kBlock;
    for (std::size_t i = 0; i < got && intact; i += 997) intact = block[i] == static_cast<char>((total + i) % 251);
    total += got;
    if (total % (64 * kBlock) == 0) peakKiB = std::max(peakKiB, residentKiB());
  }
  EXPECT_EQ(total, size);
  EXPECT_EQ(shortReads, 1u);  // only the last piece is short
  EXPECT_TRUE(intact);
  EXPECT_LT(peakKiB - startKiB, 16 * 1024);
}

TEST_F(HttpClientTest, PostsHeadersAndBody) {
  connect("127.0.0.1", server_.port());
  HttpRequest request;
  ASSERT_TRUE(http_.openRequest(request, "POST", "/echo", "HTTP/1.0", "", kAcceptTypes,
                                kFlagReload | kFlagNoCacheWrite));
  std::string body("--b\r\nContent-Disposition: form-data; name=\"folder\"\r\n\r\n\0\xff\r\n--b--\r\n", 65);
  ASSERT_TRUE(request.send("Content-Type: multipart/form-data; boundary=b", body));
  EXPECT_EQ(request.statusCode(), 200);
  std::string echo = readAll(request);
  EXPECT_EQ(echo.rfind("POST /echo HTTP/1.0\n", 0), 0u) << echo;
  EXPECT_NE(echo.find("Content-Type: multipart/form-data; boundary=b\n"), std::string::npos);
  EXPECT_NE(echo.find("Accept: text/html\n"), std::string::npos);
  EXPECT_EQ(echo.substr(echo.size() - body.size()), body);
}

TEST_F(HttpClientTest, ReportsARequestThroughTheStatusCallbackInOrder) {
  connect("127.0.0.1", server_.port());
  HttpRequest request;
  ASSERT_TRUE(get(request, "/bytes?size=300000"));
  std::string body = readAll(request);
  request.close();
  request.close();

  // Milestones in order; sending and receiving pairs may repeat in between.
  std::vector<std::uint32_t> milestones;
  std::uint64_t received = 0;
  for (const auto& e : recorder_.events) {
    if (e.status == kStatusResponseReceived) received += e.value;
    if (e.status == kStatusReceivingResponse || e.status == kStatusResponseReceived) continue;
    if (e.status == kStatusSendingRequest) continue;
    if (!milestones.empty() && milestones.back() == e.status) continue;
    milestones.push_back(e.status);
  }
  const std::vector<std::uint32_t> expected{kStatusResolvingName,     kStatusNameResolved,
                                            kStatusConnectingToServer, kStatusConnectedToServer,
                                            kStatusRequestSent,        kStatusRequestComplete,
                                            kStatusClosingConnection,  kStatusConnectionClosed,
                                            kStatusHandleClosing};
  EXPECT_EQ(milestones, expected);
  EXPECT_EQ(recorder_.events[2].text, "127.0.0.1");
  EXPECT_GT(received, body.size());  // the headers count as received bytes too
  EXPECT_EQ(body.size(), 300000u);
}

TEST_F(HttpClientTest, ConnectToRedirectionKeepsTheHostHeader) {
  sandbox_.writePlatformIni("[Network]\r\nConnectTo=cloud.vorlan.example:80:127.0.0.1:" +
                            std::to_string(server_.port()) + "\r\n");
  connect("cloud.vorlan.example", 80);
  HttpRequest request;
  ASSERT_TRUE(get(request, "/echo"));
  std::string echo = readAll(request);
  EXPECT_NE(echo.find("Host: cloud.vorlan.example\n"), std::string::npos) << echo;
  // The test server shows header lines in its own normalised form.
  EXPECT_NE(echo.find("Content-Type: Text/Plain\n"), std::string::npos) << echo;
}

TEST_F(HttpClientTest, HandsBackRedirectsAndErrorStatusesWithoutFollowing) {
  connect("127.0.0.1", server_.port());
  HttpRequest moved, missing;
  ASSERT_TRUE(get(moved, "/moved"));
  EXPECT_EQ(moved.statusCode(), 302);
  EXPECT_EQ(readAll(moved), "moved");
  ASSERT_TRUE(get(missing, "/no such file"));
  EXPECT_EQ(missing.statusCode(), 404);
}

TEST_F(HttpClientTest, SendFailuresGiveInternetErrors) {
  struct Case {
    const char* what;
    std::string host;
    int port;
    const char* object;
    std::uint32_t error;
  };
  const Case cases[] = {
      {"nothing listening", "127.0.0.1", vl::test::unusedPort(), "/echo", kErrorInternetCannotConnect},
      {"unknown name", "cloud.nowhere.invalid", 80, "/echo", kErrorInternetNameNotResolved},
      {"no reply at all", "127.0.0.1", server_.port(), "/empty", kErrorHttpInvalidServerResponse},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HttpConnection http;
    ASSERT_TRUE(http.connect(session_, c.host, c.port, "", "", 0));  // no traffic yet
    HttpRequest request;
    ASSERT_TRUE(http.openRequest(request, "GET", c.object, "HTTP/1.0", "", kAcceptTypes, 0));
    EXPECT_EQ(request.send("", "").error, c.error);
    EXPECT_EQ(vl::platform::lastWinError(), c.error);
  }
}

TEST_F(HttpClientTest, AStalledReplyTimesOut) {
  sandbox_.writePlatformIni("[Network]\r\nReceiveTimeout=1\r\n");
  Session session;
  ASSERT_TRUE(session.open());
  HttpConnection http;
  ASSERT_TRUE(http.connect(session, "127.0.0.1", server_.port(), "", "", 0));
  HttpRequest request;
  ASSERT_TRUE(http.openRequest(request, "GET", "/stall", "HTTP/1.0", "", kAcceptTypes, 0));
  ASSERT_TRUE(request.send("", ""));
  auto start = std::chrono::steady_clock::now();
  std::vector<char> block(kBlock);
  std::size_t got = 0, total = 0;
  InetResult result;
  while ((result = request.read(block.data(), block.size(), got)) && got > 0) total += got;
  EXPECT_EQ(result.error, kErrorInternetTimeout);
  EXPECT_EQ(total, 10u);  // what arrived before the silence is still handed over
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(HttpClientTest, HandlesCloseOnceAndRefuseWorkOnceTheSessionHasClosed) {
  connect("127.0.0.1", server_.port());
  HttpRequest request;
  ASSERT_TRUE(get(request, "/echo"));
  ASSERT_TRUE(session_.setStatusCallback(nullptr));
  std::size_t seen = recorder_.events.size();
  session_.close();
  session_.close();
  EXPECT_FALSE(session_.isOpen());

  std::vector<char> block(kBlock);
  std::size_t got = 0;
  EXPECT_EQ(request.read(block.data(), block.size(), got).error, kErrorInvalidHandle);
  HttpRequest another;
  EXPECT_EQ(http_.openRequest(another, "GET", "/echo", "HTTP/1.0", "", kAcceptTypes, 0).error,
            kErrorInvalidHandle);
  request.close();
  http_.close();
  http_.close();
  EXPECT_EQ(recorder_.events.size(), seen);  // nothing after the callback was removed
}

}  // namespace
}  // namespace vl::net
