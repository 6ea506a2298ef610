// The request engine's wire format: object names, flags and the upload form.
#include <cstdio>

#include "http/http_request_engine.h"
#include "platform/inet/internet_codes.h"
#include "platform/sys/system.h"
#include "services/text_utils.h"

namespace vl::http {
namespace {

constexpr std::size_t kObjectNameCapacity = 254;
constexpr std::string_view kCrLf = "\r\n";

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool needsEscape(unsigned char c) {
  return c <= 0x20 || c >= 0x7f || std::string_view("#%&+?").find(static_cast<char>(c)) != std::string_view::npos;
}

// Cut to the capacity, but never between the '%' of an escape and its digits.
std::string cutObjectName(std::string name) {
  if (name.size() <= kObjectNameCapacity) return name;
  std::size_t cut = kObjectNameCapacity;
  for (std::size_t back = 1; back <= 2; ++back)
    if (name[cut - back] == '%') cut -= back;
  name.resize(cut);
  return name;
}

}  // namespace

std::string EncodeQueryValue(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : value) {
    if (needsEscape(c)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string ObjectNameFor(std::string_view requestKind, std::string_view listedFolder,
                          std::string_view remotePath) {
  const std::string prefix(kServicePrefix);
  const std::string_view kind = trimRight(requestKind);
  std::string name;
  if (kind == kListFolder)
    name = prefix + "listFolder.pyc?folder=" + EncodeQueryValue(trimRight(listedFolder)) + "&displaymode=plain";
  else if (kind == kGetFile)
    name = prefix + "getFile.pyc?fullpath=" + EncodeQueryValue(trimRight(remotePath));
  else if (kind == kPutFile)
    name = prefix + "putFile.pyc";
  else if (kind == kDelFile)
    name = prefix + "delFile.pyc?fullpath=" + EncodeQueryValue(trimRight(remotePath));
  else if (kind == kGetDateTime)
    name = prefix + "getServerDateTime.pyc";
  return cutObjectName(std::move(name));
}

std::uint32_t RequestFlags(std::uint32_t port) {
  std::uint32_t flags = net::kFlagReload | net::kFlagNoCacheWrite;
  if (port == 443) flags |= net::kFlagSecure;
  return flags;
}

std::string DrawBoundary() {
  std::string boundary(27, '-');
  for (int i = 0; i < 5; ++i) boundary += std::to_string(sys::random(1000, 9999));
  return boundary;
}

std::string UploadBody(std::string_view boundary, std::string_view folder, std::string_view name,
                       std::string_view fileBytes) {
  const std::string separator = "--" + std::string(boundary) + std::string(kCrLf);
  const std::string disposition = "Content-Disposition: form-data; name=\"";
  std::string body;
  body += separator;
  body += disposition + "folder\"" + std::string(kCrLf) + std::string(kCrLf);
  body += std::string(folder) + std::string(kCrLf);
  body += separator;
  body += disposition + "filename\"" + std::string(kCrLf) + std::string(kCrLf);
  body += kCrLf;
  body += separator;
  body += disposition + "datafile\"; filename=\"" + std::string(name) + "\"" + std::string(kCrLf);
  body += "Content-Type: application/octet-stream" + std::string(kCrLf) + std::string(kCrLf);
  body += fileBytes;
  body += std::string(kCrLf) + "--" + std::string(boundary) + "--" + std::string(kCrLf);
  return body;
}

std::string TemporaryDownloadName(std::string_view localPath) {
  const std::size_t dot = localPath.find('.');
  if (dot == std::string_view::npos) return std::string(localPath);
  return services::ReplaceText(localPath, localPath.substr(dot, 4), ".FTP");
}

std::string WithThousands(std::int64_t bytes) {
  std::string digits = std::to_string(bytes < 0 ? -bytes : bytes);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return bytes < 0 ? "-" + digits : digits;
}

std::string ByteCountField(std::int64_t bytes) {
  std::string text = WithThousands(bytes);
  if (text.size() < 10) text.insert(0, 10 - text.size(), ' ');
  return text;
}

}  // namespace vl::http
