// HTTP connection and request handles over HttpExchange.
#include <utility>

#include "platform/inet/http_exchange.h"
#include "platform/inet/internet.h"

namespace vl::net {

using detail::fail;
using detail::succeed;

HttpConnection::HttpConnection() = default;
HttpConnection::~HttpConnection() { detail::closeQuietly([this] { close(); }); }
HttpConnection::HttpConnection(HttpConnection&&) noexcept = default;
HttpConnection& HttpConnection::operator=(HttpConnection&& other) noexcept {
  if (this != &other) {
    detail::closeQuietly([this] { close(); });
    session_ = std::move(other.session_);
    host_ = std::move(other.host_);
    port_ = other.port_;
    open_ = std::exchange(other.open_, false);
  }
  return *this;
}

InetResult HttpConnection::connect(Session& session, std::string_view host, int port,
                                   std::string_view, std::string_view, std::uint32_t) {
  close();
  if (!session.isOpen()) return fail(kErrorInvalidHandle);
  session_ = session.state_;
  host_ = host;
  port_ = port;
  open_ = true;
  return succeed();
}

bool HttpConnection::isOpen() const { return open_; }

InetResult HttpConnection::openRequest(HttpRequest& request, std::string_view verb,
                                       std::string_view objectName, std::string_view version,
                                       std::string_view referrer,
                                       const std::vector<std::string>& acceptTypes,
                                       std::uint32_t flags) {
  request.close();
  if (!open_ || !session_->open) return fail(kErrorInvalidHandle);
  detail::HttpTarget target{host_,
                            port_,
                            verb.empty() ? std::string("GET") : std::string(verb),
                            std::string(objectName),
                            std::string(version),
                            std::string(referrer),
                            acceptTypes,
                            (flags & kFlagSecure) != 0};
  request.exchange_ = std::make_unique<detail::HttpExchange>(session_, std::move(target));
  return succeed();
}

void HttpConnection::close() {
  if (!open_) return;
  open_ = false;
  auto session = std::move(session_);
  session_.reset();
  session->post(kStatusHandleClosing);
  session->deliver();
}

HttpRequest::HttpRequest() = default;
HttpRequest::~HttpRequest() { detail::closeQuietly([this] { close(); }); }
HttpRequest::HttpRequest(HttpRequest&&) noexcept = default;
HttpRequest& HttpRequest::operator=(HttpRequest&& other) noexcept {
  if (this != &other) {
    detail::closeQuietly([this] { close(); });
    exchange_ = std::move(other.exchange_);
  }
  return *this;
}

bool HttpRequest::isOpen() const { return exchange_ != nullptr; }

InetResult HttpRequest::send(std::string_view headers, std::string_view body) {
  if (!exchange_) return fail(kErrorInvalidHandle);
  return exchange_->send(headers, body);
}

InetResult HttpRequest::read(char* buffer, std::size_t size, std::size_t& bytesRead) {
  bytesRead = 0;
  if (!exchange_) return fail(kErrorInvalidHandle);
  return exchange_->read(buffer, size, bytesRead);
}

int HttpRequest::statusCode() const { return exchange_ ? exchange_->statusCode() : 0; }

void HttpRequest::close() {
  if (!exchange_) return;
  auto session = exchange_->session();
  // A connection still open is closed (and reported) first.
  exchange_.reset();
  session->post(kStatusHandleClosing);
  session->deliver();
}

}  // namespace vl::net
