#include "services/text_utils.h"

#include <limits>

namespace vl::services {
namespace {

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool isBlank(std::string_view s) { return trimRight(s).empty(); }

// The count is a 16-bit number; a list that could not be counted in it stops
// growing there, so the count and the list always agree.
constexpr std::size_t kMaxEntries = std::numeric_limits<std::int16_t>::max();

void addEntry(TextList& list, std::string_view entry) {
  if (list.size() >= kMaxEntries) return;
  list.emplace_back(trimRight(entry.substr(0, kTextListEntryWidth)));
}

void splitAtCharacter(TextList& list, std::string_view text, char delimiter) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != delimiter) continue;
    addEntry(list, text.substr(start, i - start));
    start = i + 1;
  }
  const std::string_view rest = text.substr(start);
  if (!isBlank(rest)) addEntry(list, rest);
  if (!text.empty() && text.back() == delimiter) addEntry(list, {});
}

void splitAtString(TextList& list, std::string_view text, std::string_view delimiter) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t hit = text.find(delimiter, start);
    if (hit == std::string_view::npos) break;
    addEntry(list, text.substr(start, hit - start));
    start = hit + delimiter.size();
  }
  const std::string_view rest = text.substr(start);
  if (!isBlank(rest)) addEntry(list, rest);
}

}  // namespace

std::int16_t SplitText(TextList& list, std::string_view text, std::string_view delimiter) {
  list.clear();
  const std::string_view body = trimRight(text);
  const std::string_view delim = trimRight(delimiter);
  if (delim.empty()) {
    // Never called so; a blank delimiter would match everywhere, so the whole
    // text is taken as one entry rather than looping on empty matches.
    if (!body.empty()) addEntry(list, body);
  } else if (delim.size() == 1) {
    splitAtCharacter(list, body, delim.front());
  } else {
    splitAtString(list, body, delim);
  }
  return static_cast<std::int16_t>(list.size());
}

std::string ReplaceText(std::string_view text, std::string_view find, std::string_view replacement) {
  const std::string_view what = trimRight(find);
  const std::string_view with = trimRight(replacement);
  if (what == with) return std::string(text);
  const std::size_t n = trimRight(text).size();
  if (what.size() == 1 && with.size() <= 1) {
    const char by = with.empty() ? ' ' : with.front();
    std::string out(text);
    for (std::size_t i = 0; i < n; ++i) {
      if (out[i] == what.front()) out[i] = by;
    }
    return out;
  }
  if (what.empty()) return std::string(text);
  std::string out;
  std::size_t start = 0;
  for (std::size_t hit = text.find(what); hit != std::string_view::npos; hit = text.find(what, start)) {
    out.append(text.substr(start, hit - start));
    out.append(with);
    start = hit + what.size();
  }
  out.append(text.substr(start));
  return out;
}

std::string RemoveCommas(std::string_view text) {
  std::string out;
  for (const char c : trimRight(text)) {
    if (c == ',') continue;
    if (out.size() == kRemoveCommasWidth) break;
    out.push_back(c);
  }
  return std::string(trimRight(out));
}

}  // namespace vl::services
