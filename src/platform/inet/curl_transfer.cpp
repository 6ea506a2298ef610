#include "platform/inet/curl_transfer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <utility>

#include "platform/base/platform_config.h"
#include "platform/fs/paths.h"

namespace vl::net::detail {
namespace {

struct GlobalInit {
  GlobalInit() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

void ensureGlobalInit() { static GlobalInit once; }

std::string addressText(const curl_sockaddr* address) {
  char text[INET6_ADDRSTRLEN] = {};
  if (address->family == AF_INET) {
    auto* in = reinterpret_cast<const sockaddr_in*>(&address->addr);
    inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
  } else if (address->family == AF_INET6) {
    auto* in6 = reinterpret_cast<const sockaddr_in6*>(&address->addr);
    inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text);
  }
  return text;
}

// An extra CA bundle is trusted besides the system's: naming it replaces the
// default bundle file, so the system's hashed certificate folder stays named.
void applyCertificates(CURL* easy) {
  const auto& config = vl::platform::platformConfig();
  if (config.caFile.empty()) return;
  std::filesystem::path file(config.caFile);
  if (file.is_relative()) file = config.prefix / file;
  curl_easy_setopt(easy, CURLOPT_CAINFO, file.c_str());
  std::error_code ec;
  if (std::filesystem::is_directory("/etc/ssl/certs", ec))
    curl_easy_setopt(easy, CURLOPT_CAPATH, "/etc/ssl/certs");
}

}  // namespace

CurlTransfer::CurlTransfer(std::shared_ptr<SessionState> session) : session_(std::move(session)) {
  ensureGlobalInit();
  easy_ = curl_easy_init();
  multi_ = curl_multi_init();
}

CurlTransfer::~CurlTransfer() {
  if (added_) curl_multi_remove_handle(multi_, easy_);
  // Cached connections close here (FTP says QUIT); their closing is reported.
  curl_multi_cleanup(multi_);
  curl_easy_cleanup(easy_);
  curl_slist_free_all(connectTo_);
  try {
    session_->deliver();
  } catch (...) {
    // A callback that throws while a handle is being destroyed is ignored.
  }
}

void CurlTransfer::applyRedirection(const std::string& host, int port) {
  curl_slist_free_all(connectTo_);
  connectTo_ = nullptr;
  for (const auto& rule : vl::platform::platformConfig().connectTo) {
    if (!vl::fs::sameName(rule.host, host) || (rule.port != 0 && rule.port != port)) continue;
    std::string item = host + ":" + std::to_string(port) + ":" + rule.targetHost + ":" +
                       std::to_string(rule.targetPort);
    connectTo_ = curl_slist_append(connectTo_, item.c_str());
    break;
  }
  curl_easy_setopt(easy_, CURLOPT_CONNECT_TO, connectTo_);
}

void CurlTransfer::prepare(const std::string& url, const std::string& host, int port,
                           bool ftpReplies) {
  if (added_) curl_multi_remove_handle(multi_, easy_);
  added_ = false;
  curl_easy_reset(easy_);
  finished_ = timedOut_ = paused_ = false;
  result_ = CURLE_OK;
  ftpReplies_ = ftpReplies;
  replyText_.clear();
  hostName_ = host;
  curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy_, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(easy_, CURLOPT_DEBUGFUNCTION, &CurlTransfer::onDebug);
  curl_easy_setopt(easy_, CURLOPT_DEBUGDATA, this);
  curl_easy_setopt(easy_, CURLOPT_OPENSOCKETFUNCTION, &CurlTransfer::onOpenSocket);
  curl_easy_setopt(easy_, CURLOPT_OPENSOCKETDATA, this);
  curl_easy_setopt(easy_, CURLOPT_CLOSESOCKETFUNCTION, &CurlTransfer::onCloseSocket);
  curl_easy_setopt(easy_, CURLOPT_CLOSESOCKETDATA, this);
  long connectMs = session_->connectTimeoutMs > 0 ? session_->connectTimeoutMs
                                                  : session_->receiveTimeoutMs;
  curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, connectMs);
  curl_easy_setopt(easy_, CURLOPT_ACCEPTTIMEOUT_MS, session_->receiveTimeoutMs);
  curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);
  applyRedirection(host, port);
  applyCertificates(easy_);
}

bool CurlTransfer::run(const std::function<bool()>& enough) {
  if (controlSocket_ == CURL_SOCKET_BAD) session_->post(kStatusResolvingName, hostName_);
  curl_multi_add_handle(multi_, easy_);
  added_ = true;
  return resume(enough);
}

bool CurlTransfer::resume(const std::function<bool()>& enough) {
  lastActivity_ = std::chrono::steady_clock::now();
  while (!finished_) {
    int running = 0;
    CURLMcode code = curl_multi_perform(multi_, &running);
    collectDone();
    if (code != CURLM_OK && !finished_) {
      abandon();
      result_ = CURLE_FAILED_INIT;
    }
    session_->deliver();
    if (finished_ || paused_ || (enough && enough())) break;
    if (stalled()) {
      abandon();
      timedOut_ = true;
      session_->deliver();
      break;
    }
    curl_multi_poll(multi_, nullptr, 0, 100, nullptr);
  }
  return finished_;
}

void CurlTransfer::collectDone() {
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
    if (message->msg != CURLMSG_DONE || message->easy_handle != easy_) continue;
    result_ = message->data.result;
    finished_ = true;
  }
  if (finished_ && added_) {
    curl_multi_remove_handle(multi_, easy_);
    added_ = false;
  }
}

bool CurlTransfer::stalled() const {
  auto quiet = std::chrono::steady_clock::now() - lastActivity_;
  return quiet > std::chrono::milliseconds(session_->receiveTimeoutMs);
}

void CurlTransfer::abandon() {
  if (added_) {
    // Leaving a transfer half-way makes libcurl drop its connection.
    curl_multi_remove_handle(multi_, easy_);
    added_ = false;
  }
  if (!finished_) {
    finished_ = true;
    result_ = CURLE_ABORTED_BY_CALLBACK;
  }
}

void CurlTransfer::unpause() {
  if (!paused_) return;
  paused_ = false;
  curl_easy_pause(easy_, CURLPAUSE_CONT);
}

std::uint32_t CurlTransfer::error() const {
  if (timedOut_) return kErrorInternetTimeout;
  return inetErrorFor(result_, easy_);
}

void appendEscaped(std::string& url, unsigned char c) {
  static const char* hex = "0123456789ABCDEF";
  url += '%';
  url += hex[c >> 4];
  url += hex[c & 15];
}

int CurlTransfer::onDebug(CURL*, curl_infotype type, char* data, size_t size, void* self) {
  auto* transfer = static_cast<CurlTransfer*>(self);
  if (type == CURLINFO_TEXT) return 0;
  transfer->noteTraffic(type, size);
  if (type == CURLINFO_HEADER_IN && transfer->ftpReplies_)
    transfer->takeReplyLine(std::string(data, size));
  return 0;
}

void CurlTransfer::noteTraffic(curl_infotype type, size_t size) {
  lastActivity_ = std::chrono::steady_clock::now();
  if (!announced_ && controlSocket_ != CURL_SOCKET_BAD) {
    announced_ = true;
    session_->post(kStatusConnectedToServer, address_);
  }
  auto count = static_cast<std::uint32_t>(size);
  if (type == CURLINFO_HEADER_IN || type == CURLINFO_DATA_IN) {
    session_->post(kStatusReceivingResponse);
    session_->post(kStatusResponseReceived, {}, count);
  } else if (type == CURLINFO_HEADER_OUT || type == CURLINFO_DATA_OUT) {
    session_->post(kStatusSendingRequest);
    session_->post(kStatusRequestSent, {}, count);
  }
}

// FTP replies arrive a line at a time; "NNN-" opens a reply of several lines
// and "NNN " ends a reply.
void CurlTransfer::takeReplyLine(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (!replyText_.empty()) replyText_ += "\r\n";
  replyText_ += line;
  bool complete = line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) &&
                  std::isdigit(static_cast<unsigned char>(line[1])) &&
                  std::isdigit(static_cast<unsigned char>(line[2])) &&
                  (line.size() == 3 || line[3] == ' ');
  if (!complete) return;
  setLastResponse(static_cast<std::uint32_t>(std::stoul(line.substr(0, 3))), replyText_);
  replyText_.clear();
}

curl_socket_t CurlTransfer::onOpenSocket(void* self, curlsocktype, curl_sockaddr* address) {
  auto* transfer = static_cast<CurlTransfer*>(self);
  curl_socket_t socket = ::socket(address->family, address->socktype, address->protocol);
  if (socket == CURL_SOCKET_BAD) return socket;
  transfer->lastActivity_ = std::chrono::steady_clock::now();
  // Only the control connection is reported; FTP data connections are not.
  if (transfer->controlSocket_ == CURL_SOCKET_BAD) {
    transfer->controlSocket_ = socket;
    transfer->announced_ = false;
    transfer->address_ = addressText(address);
    transfer->session_->post(kStatusNameResolved, transfer->address_);
    transfer->session_->post(kStatusConnectingToServer, transfer->address_);
  }
  return socket;
}

int CurlTransfer::onCloseSocket(void* self, curl_socket_t socket) {
  auto* transfer = static_cast<CurlTransfer*>(self);
  bool control = socket == transfer->controlSocket_;
  bool wasConnected = control && transfer->announced_;
  if (wasConnected) transfer->session_->post(kStatusClosingConnection);
  int rc = ::close(socket);
  if (control) {
    transfer->controlSocket_ = CURL_SOCKET_BAD;
    transfer->announced_ = false;
  }
  if (wasConnected) transfer->session_->post(kStatusConnectionClosed);
  return rc;
}

}  // namespace vl::net::detail
