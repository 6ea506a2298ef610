#include "platform/inet/ftp_listing.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string>

namespace vl::net::detail {
namespace {

bool isDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

bool toSize(std::string_view s, std::uint64_t& size) {
  if (!isDigits(s)) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), size);
  return ec == std::errc() && end == s.data() + s.size();
}

// Splits off whitespace-separated words and remembers where each one starts,
// so that a name with blanks can be taken from the rest of the line.
struct Words {
  std::vector<std::string_view> text;
  std::vector<std::size_t> start;
};

Words splitWords(std::string_view line) {
  Words words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::size_t begin = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    words.text.push_back(line.substr(begin, i - begin));
    words.start.push_back(begin);
  }
  return words;
}

bool isMonth(std::string_view word) {
  static constexpr std::array<std::string_view, 12> months = {
      "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
  if (word.size() != 3) return false;
  std::string lower;
  for (char c : word) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (auto m : months)
    if (lower == m) return true;
  return false;
}

bool finish(std::string_view name, std::uint64_t size, bool directory, FindData& entry) {
  if (name.empty() || name == "." || name == "..") return false;
  entry.name = std::string(name);
  entry.size = directory ? 0 : size;
  entry.attributes = directory ? kAttributeDirectory : kAttributeNormal;
  return true;
}

// drwxr-xr-x 2 owner group 4096 Jan 01 12:00 name (the group may be missing).
bool parseUnix(std::string_view line, const Words& w, FindData& entry) {
  char kind = line.front();
  if (std::string_view("-dlbcps").find(kind) == std::string_view::npos) return false;
  for (std::size_t m = 2; m + 3 < w.text.size(); ++m) {
    std::uint64_t size = 0;
    if (!isMonth(w.text[m]) || !toSize(w.text[m - 1], size) || !isDigits(w.text[m + 1])) continue;
    std::string_view name = line.substr(w.start[m + 3]);
    if (kind == 'l') name = name.substr(0, name.find(" -> "));
    return finish(name, size, kind == 'd', entry);
  }
  return false;
}

// 01-15-24  10:30AM  <DIR>  Folder  or  01-15-24  10:30AM  1234 file.txt
bool parseDos(std::string_view line, const Words& w, FindData& entry) {
  if (w.text.size() < 4) return false;
  std::string_view date = w.text[0], time = w.text[1];
  if (date.size() < 8 || !std::isdigit(static_cast<unsigned char>(date[0])) ||
      (date.find('-') == std::string_view::npos && date.find('/') == std::string_view::npos))
    return false;
  if (time.find(':') == std::string_view::npos) return false;
  std::string_view name = line.substr(w.start[3]);
  if (w.text[2] == "<DIR>") return finish(name, 0, true, entry);
  std::uint64_t size = 0;
  return toSize(w.text[2], size) && finish(name, size, false, entry);
}

// type=file;size=123;modify=20240101120000; name
bool parseMlsd(std::string_view line, FindData& entry) {
  std::size_t gap = line.find("; ");
  if (gap == std::string_view::npos || line.find('=') > gap) return false;
  std::string_view facts = line.substr(0, gap + 1), name = line.substr(gap + 2);
  std::string type;
  std::uint64_t size = 0;
  while (!facts.empty()) {
    std::size_t end = facts.find(';');
    std::string_view fact = facts.substr(0, end);
    facts = end == std::string_view::npos ? std::string_view() : facts.substr(end + 1);
    std::size_t eq = fact.find('=');
    if (eq == std::string_view::npos) continue;
    std::string key;
    for (char c : fact.substr(0, eq)) key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string_view value = fact.substr(eq + 1);
    if (key == "type") {
      for (char c : value) type += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (key == "size") {
      toSize(value, size);
    }
  }
  if (type == "cdir" || type == "pdir") return false;
  return finish(name, size, type == "dir", entry);
}

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool glob(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || upper(pattern[p]) == upper(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool parseListingLine(std::string_view line, FindData& entry) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  if (line.empty()) return false;
  Words words = splitWords(line);
  if (words.text.empty()) return false;
  return parseUnix(line, words, entry) || parseDos(line, words, entry) || parseMlsd(line, entry);
}

std::vector<FindData> parseListing(std::string_view text) {
  std::vector<FindData> entries;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    FindData entry;
    if (parseListingLine(line, entry)) entries.push_back(std::move(entry));
  }
  return entries;
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern.empty() || pattern == "*" || pattern == "*.*") return true;
  if (glob(name, pattern)) return true;
  if (pattern.size() > 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos)
    return glob(name, pattern.substr(0, pattern.size() - 2));
  return false;
}

}  // namespace vl::net::detail
