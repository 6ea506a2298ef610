#include <utility>

#include "platform/base/errors.h"
#include "platform/base/platform_config.h"
#include "platform/inet/internet.h"
#include "platform/inet/session_state.h"

namespace vl::net {
namespace detail {

void SessionState::post(std::uint32_t status, std::string text, std::uint32_t value) {
  if (callback) pending_.push_back(StatusEvent{status, std::move(text), value});
}

void SessionState::deliver() {
  while (!pending_.empty() && callback) {
    std::vector<StatusEvent> batch;
    batch.swap(pending_);
    for (const StatusEvent& event : batch) {
      // The callback may remove itself (or close the session) on the way.
      if (!callback) break;
      StatusCallback current = callback;
      current(event);
    }
  }
  pending_.clear();
}

InetResult fail(std::uint32_t error) {
  vl::platform::setLastWinError(error);
  return InetResult{error};
}

InetResult succeed() {
  vl::platform::setLastWinError(0);
  return InetResult{0};
}

namespace {
struct ResponseRecord {
  bool present = false;
  LastResponse response;
};
thread_local ResponseRecord lastReply;
}  // namespace

void clearLastResponse() { lastReply = ResponseRecord{}; }

void setLastResponse(std::uint32_t code, std::string text) {
  lastReply.present = true;
  lastReply.response = LastResponse{code, std::move(text)};
}

}  // namespace detail

bool lastResponseInfo(LastResponse& response) {
  if (!detail::lastReply.present) return false;
  response = detail::lastReply.response;
  return true;
}

Session::Session() = default;
Session::~Session() { detail::closeQuietly([this] { close(); }); }
Session::Session(Session&&) noexcept = default;
Session& Session::operator=(Session&& other) noexcept {
  if (this != &other) {
    detail::closeQuietly([this] { close(); });
    state_ = std::move(other.state_);
  }
  return *this;
}

InetResult Session::open() {
  close();
  state_ = std::make_shared<detail::SessionState>();
  state_->open = true;
  int seconds = vl::platform::platformConfig().receiveTimeoutSeconds;
  state_->receiveTimeoutMs = (seconds > 0 ? seconds : 60) * 1000L;
  return detail::succeed();
}

bool Session::isOpen() const { return state_ && state_->open; }

InetResult Session::setOption(std::uint32_t option, std::uint32_t value) {
  if (!isOpen()) return detail::fail(kErrorInvalidHandle);
  if (option == kOptionConnectTimeout) {
    state_->connectTimeoutMs = static_cast<long>(value);
  } else if (option == kOptionReceiveTimeout) {
    if (value == 0) return detail::fail(kErrorInternetInvalidOption);
    state_->receiveTimeoutMs = static_cast<long>(value);
  } else {
    return detail::fail(kErrorInternetInvalidOption);
  }
  return detail::succeed();
}

InetResult Session::setStatusCallback(StatusCallback callback) {
  if (!isOpen()) return detail::fail(kErrorInvalidHandle);
  state_->callback = std::move(callback);
  return detail::succeed();
}

void Session::close() {
  if (!state_) return;
  auto state = std::move(state_);
  state_.reset();
  // Connections and requests made from the session refuse work from now on.
  state->open = false;
  state->post(kStatusHandleClosing);
  try {
    state->deliver();
  } catch (...) {
    state->callback = nullptr;
    throw;
  }
  state->callback = nullptr;
}

}  // namespace vl::net
