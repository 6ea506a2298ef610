#pragma once
// One libcurl easy handle driven through its own multi handle on the calling
// thread. The multi handle keeps the connection between transfers (the FTP
// control connection), turns what libcurl does into status notifications,
// keeps the FTP server's replies, and fails a transfer that has not moved for
// the receive timeout.
#include <curl/curl.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/inet/session_state.h"

namespace vl::net::detail {

class CurlTransfer {
 public:
  explicit CurlTransfer(std::shared_ptr<SessionState> session);
  ~CurlTransfer();
  CurlTransfer(const CurlTransfer&) = delete;
  CurlTransfer& operator=(const CurlTransfer&) = delete;

  CURL* easy() const { return easy_; }
  SessionState& session() const { return *session_; }

  // Resets the handle for a new transfer of `url` to `host`:`port` (as the
  // program named them; platform.ini may redirect) and sets what every
  // transfer shares. `ftpReplies` keeps the server's reply lines.
  void prepare(const std::string& url, const std::string& host, int port, bool ftpReplies);
  // Starts the prepared transfer and runs it until it has finished or
  // `enough` says so. Returns true when it has finished.
  bool run(const std::function<bool()>& enough = {});
  // Runs a started transfer further, as run() does.
  bool resume(const std::function<bool()>& enough = {});
  bool finished() const { return finished_; }
  // The Windows Internet error of the finished transfer, 0 on success.
  std::uint32_t error() const;
  // Whether a control connection is open and logged in.
  bool connected() const { return controlSocket_ != CURL_SOCKET_BAD && announced_; }
  // Lets a transfer paused by its write callback go on.
  void unpause();
  void markPaused() { paused_ = true; }
  bool paused() const { return paused_; }
  // Stops a running transfer; its connection is closed.
  void abandon();

 private:
  static int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* self);
  static curl_socket_t onOpenSocket(void* self, curlsocktype purpose, curl_sockaddr* address);
  static int onCloseSocket(void* self, curl_socket_t socket);
  void takeReplyLine(std::string line);
  void noteTraffic(curl_infotype type, size_t size);
  void collectDone();
  bool stalled() const;
  void applyRedirection(const std::string& host, int port);

  std::shared_ptr<SessionState> session_;
  CURL* easy_ = nullptr;
  CURLM* multi_ = nullptr;
  curl_slist* connectTo_ = nullptr;
  bool added_ = false;
  bool finished_ = false;
  bool timedOut_ = false;
  bool paused_ = false;
  CURLcode result_ = CURLE_OK;
  bool ftpReplies_ = false;
  std::string replyText_;
  std::string hostName_;
  std::string address_;
  curl_socket_t controlSocket_ = CURL_SOCKET_BAD;
  bool announced_ = false;  // "connected" was posted for the control socket
  std::chrono::steady_clock::time_point lastActivity_;
};

// Appends `c` to a URL as "%XX".
void appendEscaped(std::string& url, unsigned char c);

// The Windows Internet error for a libcurl result.
std::uint32_t inetErrorFor(CURLcode code, CURL* easy);

}  // namespace vl::net::detail
