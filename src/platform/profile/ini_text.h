#pragma once
// Internal to platform/profile: an INI file as its lines, edited in place the
// way the Windows profile calls edit it, so that everything a write does not
// touch (comments, blank lines, order, lines we do not understand) is kept.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl::profile::detail {

struct IniText {
  bool byteOrderMark = false;
  std::vector<std::string> lines;  // without their line ends
};

IniText parseIni(std::string_view bytes);
// Every line ends in CR LF; the byte-order mark is kept when there was one.
std::string renderIni(const IniText& ini);

// The value of the first matching key in the first matching section: trimmed,
// one pair of enclosing quotes removed. nullopt when there is none.
std::optional<std::string> findValue(const IniText& ini, std::string_view section, std::string_view key);

// Replaces the first matching key's value, or adds the key at the end of the
// first matching section, or adds the section at the end of the file.
void setValue(IniText& ini, std::string_view section, std::string_view key, std::string_view value);

}  // namespace vl::profile::detail
