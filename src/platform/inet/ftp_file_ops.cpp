// FTP downloads, uploads and deletions on an open connection.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/base/errors.h"
#include "platform/fs/paths.h"
#include "platform/inet/ftp_link.h"
#include "platform/inet/internet.h"

namespace vl::net {

using detail::fail;

namespace {

using vl::platform::kErrorFileExists;
using vl::platform::kErrorInvalidParameter;
using vl::platform::kErrorPathNotFound;

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

InetResult FtpConnection::getFile(std::string_view remotePath, std::string_view localPath,
                                  bool failIfExists) {
  if (!link_ || !link_->session()->open) return fail(kErrorInvalidHandle);
  detail::LocalFile local;
  local.path = vl::fs::toHostPath(localPath);
  if (local.path.empty()) return fail(kErrorPathNotFound);
  std::error_code ec;
  if (failIfExists && std::filesystem::exists(local.path, ec)) return fail(kErrorFileExists);

  link_->prepare(remotePath);
  curl_easy_setopt(link_->easy(), CURLOPT_WRITEFUNCTION, &detail::writeToFile);
  curl_easy_setopt(link_->easy(), CURLOPT_WRITEDATA, &local);
  InetResult result = link_->perform();
  if (local.openErrno) result = fail(vl::platform::winErrorFromErrno(local.openErrno));
  if (result && !local.file) {
    // An empty remote file still gives a local file.
    local.file = std::fopen(local.path.c_str(), "wb");
    if (!local.file) return fail(vl::platform::winErrorFromErrno(errno));
    local.created = true;
  }
  if (local.file && std::fclose(local.file) != 0 && result)
    result = fail(vl::platform::winErrorFromErrno(errno));
  local.file = nullptr;
  if (!result) {
    if (local.created) std::filesystem::remove(local.path, ec);
    vl::platform::setLastWinError(result.error);
    return result;
  }
  link_->complete();
  return result;
}

InetResult FtpConnection::putFile(std::string_view localPath, std::string_view remotePath) {
  if (!link_ || !link_->session()->open) return fail(kErrorInvalidHandle);
  std::filesystem::path host = vl::fs::toHostPath(localPath);
  if (host.empty()) return fail(kErrorPathNotFound);
  std::FILE* file = std::fopen(host.c_str(), "rb");
  if (!file) return fail(vl::platform::winErrorFromErrno(errno));
  std::error_code ec;
  auto size = std::filesystem::file_size(host, ec);

  link_->prepare(remotePath);
  curl_easy_setopt(link_->easy(), CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(link_->easy(), CURLOPT_READFUNCTION, &detail::readFromFile);
  curl_easy_setopt(link_->easy(), CURLOPT_READDATA, file);
  if (!ec) curl_easy_setopt(link_->easy(), CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  InetResult result = link_->perform();
  bool readFailed = std::ferror(file) != 0;
  (void)std::fclose(file);  // read only: nothing is lost when closing fails
  if (!result && readFailed) return fail(vl::platform::kErrorReadFault);
  if (result) link_->complete();
  return result;
}

// The command goes out before any change of folder, so a relative name would
// act wherever the previous operation left the server: callers give absolute
// paths.
InetResult FtpConnection::deleteFile(std::string_view remotePath) {
  if (!link_ || !link_->session()->open) return fail(kErrorInvalidHandle);
  if (remotePath.empty() || hasLineBreak(remotePath)) return fail(kErrorInvalidParameter);
  std::string command = "DELE " + std::string(remotePath);
  curl_slist* quote = curl_slist_append(nullptr, command.c_str());
  link_->prepare("");
  curl_easy_setopt(link_->easy(), CURLOPT_NOBODY, 1L);
  curl_easy_setopt(link_->easy(), CURLOPT_QUOTE, quote);
  InetResult result = link_->perform();
  curl_slist_free_all(quote);
  if (result) link_->complete();
  return result;
}

}  // namespace vl::net
