#include "platform/inet/ftp_link.h"

#include <cctype>
#include <cerrno>
#include <utility>

namespace vl::net::detail {
namespace {

// Listings are small; a runaway one is cut off rather than filling memory.
constexpr std::size_t kMaxListingBytes = 64u << 20;

// The URL path of a remote path. A leading "/" is kept as "%2F" so that
// libcurl changes to the absolute folder instead of one below the login folder.
std::string urlPath(std::string_view remote) {
  std::string out = "/";
  if (!remote.empty() && remote.front() == '/') {
    out += "%2F";
    remote.remove_prefix(1);
  }
  for (unsigned char c : remote) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~')
      out += static_cast<char>(c);
    else
      appendEscaped(out, c);
  }
  return out;
}

}  // namespace

FtpLink::FtpLink(std::shared_ptr<SessionState> session, std::string host, int port,
                 std::string user, std::string password, bool passive)
    : session_(session), transfer_(std::move(session)), host_(std::move(host)), port_(port),
      user_(std::move(user)), password_(std::move(password)), passive_(passive) {}

void FtpLink::prepare(std::string_view remote) {
  clearLastResponse();
  std::string url = "ftp://" + host_ + ":" + std::to_string(port_) + urlPath(remote);
  transfer_.prepare(url, host_, port_, true);
  CURL* easy = transfer_.easy();
  curl_easy_setopt(easy, CURLOPT_USERNAME, user_.c_str());
  curl_easy_setopt(easy, CURLOPT_PASSWORD, password_.c_str());
  curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
  curl_easy_setopt(easy, CURLOPT_FTPPORT, passive_ ? nullptr : "-");
}

InetResult FtpLink::perform() {
  transfer_.run();
  std::uint32_t error = transfer_.error();
  return error ? fail(error) : succeed();
}

void FtpLink::complete() {
  session_->post(kStatusRequestComplete, {}, 1);
  session_->deliver();
}

LocalFile::~LocalFile() {
  // Only an abandoned download is still open here; a finished one was closed
  // and checked by its caller.
  if (file) (void)std::fclose(file);
}

size_t writeToFile(char* data, size_t size, size_t count, void* target) {
  auto* local = static_cast<LocalFile*>(target);
  if (!local->file) {
    local->file = std::fopen(local->path.c_str(), "wb");
    if (!local->file) {
      local->openErrno = errno;
      return 0;
    }
    local->created = true;
  }
  return std::fwrite(data, size, count, local->file) * size;
}

size_t readFromFile(char* data, size_t size, size_t count, void* source) {
  std::FILE* file = static_cast<std::FILE*>(source);
  size_t got = std::fread(data, size, count, file);
  if (got == 0 && std::ferror(file)) return CURL_READFUNC_ABORT;
  return got * size;
}

size_t collectText(char* data, size_t size, size_t count, void* target) {
  auto* text = static_cast<std::string*>(target);
  if (text->size() + size * count > kMaxListingBytes) return 0;
  text->append(data, size * count);
  return size * count;
}

}  // namespace vl::net::detail
