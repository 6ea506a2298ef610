#pragma once
// The state behind an HTTP request handle: what was opened, the transfer
// that carries it once sent, and the part of the reply not yet read.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/inet/curl_transfer.h"

namespace vl::net::detail {

struct HttpTarget {
  std::string host;
  int port = 0;
  std::string verb;
  std::string objectName;
  std::string version;
  std::string referrer;
  std::vector<std::string> acceptTypes;
  bool secure = false;
};

class HttpExchange {
 public:
  HttpExchange(std::shared_ptr<SessionState> session, HttpTarget target);
  ~HttpExchange();
  HttpExchange(const HttpExchange&) = delete;
  HttpExchange& operator=(const HttpExchange&) = delete;

  InetResult send(std::string_view headers, std::string_view body);
  InetResult read(char* buffer, std::size_t size, std::size_t& bytesRead);
  int statusCode() const { return status_; }
  const std::shared_ptr<SessionState>& session() const { return session_; }

 private:
  static size_t onBody(char* data, size_t size, size_t count, void* self);
  static size_t onHeader(char* data, size_t size, size_t count, void* self);
  void setRequestOptions(std::string_view headers);
  std::size_t available() const { return buffer_.size() - offset_; }

  std::shared_ptr<SessionState> session_;
  HttpTarget target_;
  std::unique_ptr<CurlTransfer> transfer_;
  curl_slist* headerList_ = nullptr;
  std::string body_;
  std::vector<char> buffer_;
  std::size_t offset_ = 0;
  std::size_t wanted_ = 0;
  bool sent_ = false;
  bool headersDone_ = false;
  bool badLength_ = false;  // a malformed or contradictory Content-Length came
  std::optional<std::uint64_t> contentLength_;
  int status_ = 0;
};

}  // namespace vl::net::detail
