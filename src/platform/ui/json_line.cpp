#include "platform/ui/json_line.h"

#include <cstdio>

namespace vl::ui {
namespace {

// Length of the valid UTF-8 sequence starting at s[i], 0 when it is not one.
std::size_t utf8Length(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t n = 0;
  unsigned min = 0;
  if (b >= 0xC2 && b <= 0xDF) n = 2, min = 0x80;
  else if (b >= 0xE0 && b <= 0xEF) n = 3, min = 0x800;
  else if (b >= 0xF0 && b <= 0xF4) n = 4, min = 0x10000;
  else return 0;
  if (i + n > s.size()) return 0;
  unsigned cp = b & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

void appendEscape(std::string& out, unsigned code) {
  char buf[8];  // backslash, u and four hex digits: every code escaped here is below 0x10000
  (void)std::snprintf(buf, sizeof buf, "\\u%04x", code);
  out += buf;
}

}  // namespace

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      if (std::size_t n = utf8Length(text, i)) {
        out.append(text.substr(i, n));
        i += n;
      } else {
        appendEscape(out, c);
        ++i;
      }
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) appendEscape(out, c);
        else out += static_cast<char>(c);
    }
    ++i;
  }
  return out + "\"";
}

void JsonLine::key(std::string_view key) {
  if (body_.size() > 1) body_ += ",";
  body_ += jsonString(key);
  body_ += ":";
}

JsonLine& JsonLine::add(std::string_view k, std::string_view text) {
  key(k);
  body_ += jsonString(text);
  return *this;
}

JsonLine& JsonLine::add(std::string_view k, long long number) {
  key(k);
  body_ += std::to_string(number);
  return *this;
}

JsonLine& JsonLine::add(std::string_view k, bool flag) {
  key(k);
  body_ += flag ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::addRaw(std::string_view k, std::string_view json) {
  key(k);
  body_ += json;
  return *this;
}

}  // namespace vl::ui
