// Windows wildcard matching. The search call rewrites a pattern before it
// matches: "?" becomes a question mark that may also match nothing at a dot or
// the end of the name, "*" before a dot stops at the name's last dot, and a
// dot before "?" / "*" / the end may match the end of the name. That is why
// "*.*" finds names without a dot and "*." finds only names without one.
#include <cctype>
#include <string>

#include "platform/fs/files.h"

namespace vl::fs {
namespace {

// The DOS wildcard forms of *, ? and . that the matcher below understands.
constexpr char kDosStar = '<', kDosQm = '>', kDosDot = '"';

std::string dosPattern(std::string_view pattern) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (c == '?') {
      out += kDosQm;
    } else if (c == '*' && next == '.') {
      out += kDosStar;
    } else if (c == '.' && (next == '?' || next == '*' || next == '\0')) {
      out += kDosDot;
    } else {
      out += c;
    }
  }
  return out;
}

char fold(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool match(std::string_view p, std::string_view n) {
  if (p.empty()) return n.empty();
  char c = p[0];
  std::string_view rest = p.substr(1);
  switch (c) {
    case '*':
      for (std::size_t k = 0; k <= n.size(); ++k)
        if (match(rest, n.substr(k))) return true;
      return false;
    case kDosStar: {
      // May take any characters, but never the name's last dot.
      std::size_t lastDot = n.rfind('.');
      std::size_t limit = lastDot == std::string_view::npos ? n.size() : lastDot;
      for (std::size_t k = 0; k <= limit; ++k)
        if (match(rest, n.substr(k))) return true;
      return false;
    }
    case kDosQm:
      if (n.empty() || n[0] == '.') return match(rest, n);
      return match(rest, n.substr(1));
    case kDosDot:
      if (n.empty()) return match(rest, n);
      return n[0] == '.' && match(rest, n.substr(1));
    default:
      return !n.empty() && fold(c) == fold(n[0]) && match(rest, n.substr(1));
  }
}

bool validShortChar(char c) {
  static const std::string_view kSpecial = "!#$%&'()-@^_`{}~";
  unsigned char u = static_cast<unsigned char>(c);
  return std::isalnum(u) || u >= 0x80 || kSpecial.find(c) != std::string_view::npos;
}

bool validShortPart(std::string_view part, std::size_t max) {
  if (part.size() > max) return false;
  for (char c : part)
    if (!validShortChar(c)) return false;
  return true;
}

}  // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  return match(dosPattern(pattern), name);
}

std::string shortNameOf(std::string_view longName) {
  std::size_t dot = longName.find('.');
  std::string_view base = longName.substr(0, dot);
  std::string_view ext = dot == std::string_view::npos ? std::string_view{} : longName.substr(dot + 1);
  if (base.empty() || !validShortPart(base, 8) || !validShortPart(ext, 3)) return {};
  if (dot != std::string_view::npos && ext.empty()) return {};
  return std::string(longName);
}

}  // namespace vl::fs
