#include "platform/inet/http_exchange.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <optional>
#include <utility>

namespace vl::net::detail {
namespace {

// The reply is pulled from the network as the caller reads it: at most this
// much (or one read's worth, when that is more) waits in memory.
constexpr std::size_t kBufferLimit = std::size_t{256} * 1024;

// The object name as a URL path: blanks, control characters, bytes outside
// ASCII and '#' are escaped, everything else goes out as the program wrote it.
std::string urlObject(std::string_view object) {
  std::string out;
  if (object.empty() || object.front() != '/') out += '/';
  for (unsigned char c : object) {
    if (c <= 0x20 || c >= 0x7f || c == '#')
      appendEscaped(out, c);
    else
      out += static_cast<char>(c);
  }
  return out;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// The value of a Content-Length line as a number; nullopt unless it is
// plain decimal digits that a 64-bit count holds.
std::optional<std::uint64_t> lengthValue(std::string_view line) {
  std::string_view value = line.substr(line.find(':') + 1);
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back()))) value.remove_suffix(1);
  if (value.empty() || value.size() > 18) return std::nullopt;
  std::uint64_t number = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return number;
}

std::string joined(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) {
    if (item.empty()) continue;
    if (!out.empty()) out += ", ";
    out += item;
  }
  return out;
}

}  // namespace

HttpExchange::HttpExchange(std::shared_ptr<SessionState> session, HttpTarget target)
    : session_(std::move(session)), target_(std::move(target)) {}

HttpExchange::~HttpExchange() {
  transfer_.reset();
  curl_slist_free_all(headerList_);
}

void HttpExchange::setRequestOptions(std::string_view headers) {
  CURL* easy = transfer_->easy();
  long version = target_.version == "HTTP/1.1" ? CURL_HTTP_VERSION_1_1 : CURL_HTTP_VERSION_1_0;
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, version);
  if (target_.verb == "GET") {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  } else if (target_.verb == "HEAD") {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
  } else {
    if (target_.verb != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, target_.verb.c_str());
    if (target_.verb == "POST" || !body_.empty()) {
      curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body_.size()));
      curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body_.data());
    }
  }
  curl_slist_free_all(headerList_);
  headerList_ = nullptr;
  std::size_t start = 0;
  while (start < headers.size()) {
    std::size_t end = headers.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = headers.size();
    if (end > start) headerList_ = curl_slist_append(headerList_, std::string(headers.substr(start, end - start)).c_str());
    start = end + 1;
  }
  if (std::string accept = joined(target_.acceptTypes); !accept.empty())
    headerList_ = curl_slist_append(headerList_, ("Accept: " + accept).c_str());
  if (!target_.referrer.empty())
    headerList_ = curl_slist_append(headerList_, ("Referer: " + target_.referrer).c_str());
  headerList_ = curl_slist_append(headerList_, "Expect:");
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headerList_);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpExchange::onBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpExchange::onHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
}

InetResult HttpExchange::send(std::string_view headers, std::string_view body) {
  if (!session_->open) return fail(kErrorInvalidHandle);
  transfer_.reset();
  body_.assign(body);
  buffer_.clear();
  offset_ = 0;
  wanted_ = 0;
  sent_ = headersDone_ = badLength_ = false;
  status_ = 0;
  contentLength_.reset();
  transfer_ = std::make_unique<CurlTransfer>(session_);
  std::string url = (target_.secure ? "https://" : "http://") + target_.host + ":" +
                    std::to_string(target_.port) + urlObject(target_.objectName);
  transfer_->prepare(url, target_.host, target_.port, false);
  setRequestOptions(headers);
  transfer_->run([this] { return headersDone_; });
  if (badLength_) return fail(kErrorHttpInvalidServerResponse);
  if (!headersDone_ && transfer_->finished() && transfer_->error())
    return fail(transfer_->error());
  if (!headersDone_ && !transfer_->finished()) return fail(kErrorInternetTimeout);
  sent_ = true;
  session_->post(kStatusRequestComplete, {}, 1);
  session_->deliver();
  return succeed();
}

InetResult HttpExchange::read(char* buffer, std::size_t size, std::size_t& bytesRead) {
  bytesRead = 0;
  if (!session_->open) return fail(kErrorInvalidHandle);
  if (!sent_) return fail(kErrorInternetIncorrectHandleState);
  wanted_ = size;
  while (available() < size && !transfer_->finished()) {
    transfer_->unpause();
    if (available() >= size) break;
    transfer_->resume([this, size] { return available() >= size; });
  }
  bytesRead = std::min(size, available());
  if (bytesRead > 0) {
    std::memcpy(buffer, buffer_.data() + offset_, bytesRead);
    offset_ += bytesRead;
    if (offset_ == buffer_.size()) {
      buffer_.clear();
      offset_ = 0;
    }
    return succeed();
  }
  if (std::uint32_t error = transfer_->error()) return fail(error);
  return succeed();
}

size_t HttpExchange::onBody(char* data, size_t size, size_t count, void* self) {
  auto* exchange = static_cast<HttpExchange*>(self);
  if (exchange->available() >= std::max(kBufferLimit, exchange->wanted_)) {
    exchange->transfer_->markPaused();
    return CURL_WRITEFUNC_PAUSE;
  }
  if (exchange->offset_ > 0 && exchange->offset_ >= exchange->buffer_.size() / 2) {
    exchange->buffer_.erase(exchange->buffer_.begin(),
                            exchange->buffer_.begin() + static_cast<std::ptrdiff_t>(exchange->offset_));
    exchange->offset_ = 0;
  }
  exchange->buffer_.insert(exchange->buffer_.end(), data, data + size * count);
  return size * count;
}

size_t HttpExchange::onHeader(char* data, size_t size, size_t count, void* self) {
  auto* exchange = static_cast<HttpExchange*>(self);
  std::string_view line(data, size * count);
  if (line.substr(0, 5) == "HTTP/") {
    const std::size_t space = line.find(' ');
    // A status that is not a number stays 0, which no caller takes for success.
    int status = 0;
    if (space != std::string_view::npos) {
      const std::string_view code = line.substr(space + 1, 3);
      std::from_chars(code.data(), code.data() + code.size(), status);
    }
    exchange->status_ = status;
    exchange->contentLength_.reset();
  } else if (startsWithNoCase(line, "content-length:")) {
    // A length that is not a plain number, or two that disagree, leave the
    // end of the reply unknown: the reply is refused rather than read to
    // whichever end libcurl would pick.
    const std::optional<std::uint64_t> length = lengthValue(line);
    if (!length || (exchange->contentLength_ && *exchange->contentLength_ != *length)) {
      exchange->badLength_ = true;
      return 0;
    }
    exchange->contentLength_ = length;
  } else if ((line == "\r\n" || line == "\n") && exchange->status_ >= 200) {
    exchange->headersDone_ = true;
  }
  return size * count;
}

}  // namespace vl::net::detail
