// FTP over one control connection: the connection logs in when it is made and
// every listing, download, upload and deletion then reuses it.
#include <string>
#include <utility>

#include "platform/inet/ftp_link.h"
#include "platform/inet/ftp_listing.h"
#include "platform/inet/internet.h"

namespace vl::net {

using detail::fail;
using detail::succeed;

FtpFind::FtpFind() = default;
FtpFind::~FtpFind() { detail::closeQuietly([this] { close(); }); }
FtpFind::FtpFind(FtpFind&&) noexcept = default;
FtpFind& FtpFind::operator=(FtpFind&& other) noexcept {
  if (this != &other) {
    detail::closeQuietly([this] { close(); });
    session_ = std::move(other.session_);
    entries_ = std::move(other.entries_);
    position_ = other.position_;
  }
  return *this;
}

bool FtpFind::isOpen() const { return session_ != nullptr; }

InetResult FtpFind::next(FindData& data) {
  if (!isOpen()) return fail(kErrorInvalidHandle);
  if (position_ >= entries_.size()) return fail(kErrorNoMoreFiles);
  data = entries_[position_++];
  return succeed();
}

void FtpFind::close() {
  if (!session_) return;
  auto session = std::move(session_);
  session_.reset();
  entries_.clear();
  position_ = 0;
  session->post(kStatusHandleClosing);
  session->deliver();
}

FtpConnection::FtpConnection() = default;
FtpConnection::~FtpConnection() { detail::closeQuietly([this] { close(); }); }
FtpConnection::FtpConnection(FtpConnection&&) noexcept = default;
FtpConnection& FtpConnection::operator=(FtpConnection&& other) noexcept {
  if (this != &other) {
    detail::closeQuietly([this] { close(); });
    link_ = std::move(other.link_);
  }
  return *this;
}

InetResult FtpConnection::connect(Session& session, std::string_view host, int port,
                                  std::string_view user, std::string_view password,
                                  std::uint32_t flags) {
  close();
  if (!session.isOpen()) return fail(kErrorInvalidHandle);
  auto link = std::make_unique<detail::FtpLink>(session.state_, std::string(host), port,
                                                std::string(user), std::string(password),
                                                (flags & kFlagPassive) != 0);
  // Logging in without a transfer: the login folder with no body.
  link->prepare("");
  curl_easy_setopt(link->easy(), CURLOPT_NOBODY, 1L);
  InetResult result = link->perform();
  if (result) link_ = std::move(link);
  return result;
}

bool FtpConnection::isOpen() const { return link_ != nullptr; }

void FtpConnection::close() {
  if (!link_) return;
  std::shared_ptr<detail::SessionState> session = link_->session();
  // Destroying the link says QUIT; the closing of the connection is reported.
  auto link = std::move(link_);
  link_.reset();
  link.reset();
  session->post(kStatusHandleClosing);
  session->deliver();
}

InetResult FtpConnection::findFirst(std::string_view pattern, FindData& first, FtpFind& find) {
  find.close();
  if (!link_ || !link_->session()->open) return fail(kErrorInvalidHandle);
  std::size_t slash = pattern.rfind('/');
  bool hasFolder = slash != std::string_view::npos;
  std::string_view folder = hasFolder ? pattern.substr(0, slash + 1) : std::string_view();
  std::string_view mask = hasFolder ? pattern.substr(slash + 1) : pattern;

  std::string listing;
  link_->prepare(folder);
  curl_easy_setopt(link_->easy(), CURLOPT_WRITEFUNCTION, &detail::collectText);
  curl_easy_setopt(link_->easy(), CURLOPT_WRITEDATA, &listing);
  InetResult result = link_->perform();
  if (!result) return result;

  std::vector<FindData> entries;
  for (FindData& entry : detail::parseListing(listing))
    if (detail::matchesPattern(entry.name, mask)) entries.push_back(std::move(entry));
  link_->complete();
  if (entries.empty()) return fail(kErrorNoMoreFiles);
  first = entries.front();
  find.session_ = link_->session();
  find.entries_ = std::move(entries);
  find.position_ = 1;
  return succeed();
}

}  // namespace vl::net
