#include "platform/profile/profile.h"

#include <cctype>
#include <climits>
#include <fstream>
#include <sstream>

#include "platform/base/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "platform/profile/ini_text.h"

namespace vl::profile {
namespace {

namespace stdfs = std::filesystem;

std::optional<std::string> readHostFile(const stdfs::path& hostFile) {
  std::ifstream in(hostFile, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return bytes.str();
}

std::optional<std::string> lookUp(const stdfs::path& hostFile, std::string_view section, std::string_view key) {
  if (hostFile.empty()) return std::nullopt;
  auto bytes = readHostFile(hostFile);
  if (!bytes) return std::nullopt;
  return detail::findValue(detail::parseIni(*bytes), section, key);
}

// What fits the caller's 1,024-byte buffer.
std::string fitBuffer(std::string_view text) { return std::string(text.substr(0, kProfileValueChars)); }

// The profile call cuts the default's trailing blanks.
std::string defaultText(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return fitBuffer(text);
}

// A line break inside a value would split it into lines of its own.
std::string_view singleLine(std::string_view value) { return value.substr(0, value.find_first_of("\r\n")); }

int toDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

int profileTextToInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  // Wraps around in 32 bits like the system's unsigned conversion does.
  std::uint32_t value = 0;
  for (; i < text.size() && toDigit(text[i]) < base; ++i)
    value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(toDigit(text[i]));
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

std::string getStringAt(const stdfs::path& hostFile, std::string_view section, std::string_view key,
                        std::string_view defaultValue) {
  auto value = lookUp(hostFile, section, key);
  return value ? fitBuffer(*value) : defaultText(defaultValue);
}

int getIntAt(const stdfs::path& hostFile, std::string_view section, std::string_view key, int defaultValue) {
  auto value = lookUp(hostFile, section, key);
  if (!value || value->empty()) return defaultValue;
  return profileTextToInt(*value);
}

bool writeStringAt(const stdfs::path& hostFile, std::string_view section, std::string_view key,
                   std::string_view value) {
  if (hostFile.empty()) return false;
  auto bytes = readHostFile(hostFile);
  std::error_code ec;
  if (!bytes && stdfs::exists(hostFile, ec)) {
    // A file we cannot read must not be replaced by one holding only this key.
    vl::platform::setLastWinError(vl::platform::kErrorAccessDenied);
    return false;
  }
  auto ini = detail::parseIni(bytes ? *bytes : std::string());
  detail::setValue(ini, section, key, singleLine(value));
  return vl::fs::replaceHostFileContents(hostFile, detail::renderIni(ini));
}

std::string getString(std::string_view iniPath, std::string_view section, std::string_view key,
                      std::string_view defaultValue) {
  return getStringAt(vl::fs::toHostPath(iniPath), section, key, defaultValue);
}

int getInt(std::string_view iniPath, std::string_view section, std::string_view key, int defaultValue) {
  return getIntAt(vl::fs::toHostPath(iniPath), section, key, defaultValue);
}

bool writeString(std::string_view iniPath, std::string_view section, std::string_view key,
                 std::string_view value) {
  auto host = vl::fs::hostPathForFile(iniPath);
  return !host.empty() && writeStringAt(host, section, key, value);
}

bool writeInt(std::string_view iniPath, std::string_view section, std::string_view key, long value) {
  return writeString(iniPath, section, key, std::to_string(value));
}

}  // namespace vl::profile
