#include "platform/profile/ini_text.h"

#include <cstddef>

namespace vl::profile::detail {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool sameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// The section name of a "[name]" line; nullopt for any other line. A header
// whose "]" was lost (a file cut short) still names its section.
std::optional<std::string_view> sectionOf(std::string_view line) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  return trim(line.substr(0, line.find(']')));
}

// The key of a "key=value" line; nullopt for comments and lines without "=".
std::optional<std::string_view> keyOf(std::string_view line) {
  std::string_view t = trim(line);
  if (t.empty() || t.front() == ';') return std::nullopt;
  std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return trim(t.substr(0, eq));
}

std::string_view valueOf(std::string_view line) {
  std::string_view v = trim(line.substr(line.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return v;
}

// Index of the first key line of the section's first occurrence, and the end
// of that section (the next header or the end of the file).
struct SectionSpan {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionSpan> findSection(const IniText& ini, std::string_view section, std::size_t from = 0) {
  for (std::size_t i = from; i < ini.lines.size(); ++i) {
    auto name = sectionOf(ini.lines[i]);
    if (!name || !sameText(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < ini.lines.size() && !sectionOf(ini.lines[end])) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> findKey(const IniText& ini, const SectionSpan& span, std::string_view key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    auto k = keyOf(ini.lines[i]);
    if (k && sameText(*k, key)) return i;
  }
  return std::nullopt;
}

}  // namespace

IniText parseIni(std::string_view bytes) {
  IniText ini;
  if (bytes.substr(0, kBom.size()) == kBom) {
    ini.byteOrderMark = true;
    bytes.remove_prefix(kBom.size());
  }
  while (!bytes.empty()) {
    std::size_t nl = bytes.find('\n');
    std::string_view line = bytes.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ini.lines.emplace_back(line);
    if (nl == std::string_view::npos) break;
    bytes.remove_prefix(nl + 1);
  }
  return ini;
}

std::string renderIni(const IniText& ini) {
  std::string out = ini.byteOrderMark ? std::string(kBom) : std::string();
  for (const auto& line : ini.lines) out += line + "\r\n";
  return out;
}

std::optional<std::string> findValue(const IniText& ini, std::string_view section, std::string_view key) {
  // Later sections of the same name are searched too; the first key found wins.
  for (auto span = findSection(ini, section); span; span = findSection(ini, section, span->end)) {
    if (auto at = findKey(ini, *span, key)) return std::string(valueOf(ini.lines[*at]));
  }
  return std::nullopt;
}

void setValue(IniText& ini, std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  auto span = findSection(ini, section);
  for (auto s = span; s; s = findSection(ini, section, s->end)) {
    if (auto at = findKey(ini, *s, key)) {
      ini.lines[*at] = std::string(*keyOf(ini.lines[*at])) + "=" + std::string(value);
      return;
    }
  }
  if (span) {
    // After the section's last non-blank line, before the blank lines that part it from the next.
    std::size_t at = span->end;
    while (at > span->header + 1 && trim(ini.lines[at - 1]).empty()) --at;
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    return;
  }
  if (!ini.lines.empty() && !trim(ini.lines.back()).empty()) ini.lines.emplace_back();
  ini.lines.push_back("[" + std::string(section) + "]");
  ini.lines.push_back(line);
}

}  // namespace vl::profile::detail
