#include "platform/ui/picture.h"

#include <cctype>
#include <charconv>

namespace vl::ui {

Picture parsePicture(std::string_view p) {
  Picture result;
  if (p.size() < 2 || p[0] != '@') return result;
  const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(p[1])));
  std::string_view rest = p.substr(2);
  if (kind == 'n') {
    result.kind = Picture::Kind::Number;
    while (!rest.empty() && (rest[0] == '-' || rest[0] == '_')) {
      if (rest[0] == '-') result.allowNegative = true;
      rest.remove_prefix(1);
    }
  } else if (kind != 's') {
    return result;
  }
  int width = 0;
  auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), width);
  if (ec == std::errc()) result.width = width;
  rest = rest.substr(static_cast<std::size_t>(end - rest.data()));
  if (result.isNumber() && !rest.empty() && (rest[0] == 'b' || rest[0] == 'B')) {
    result.blankWhenZero = true;
  }
  return result;
}

std::string formatNumber(const Picture& picture, long long value) {
  if (value == 0 && picture.blankWhenZero) return "";
  std::string digits = std::to_string(value);
  const std::size_t magnitude = digits.size() - (value < 0 ? 1 : 0);
  if (picture.width > 0 && magnitude > static_cast<std::size_t>(picture.width)) {
    return std::string(static_cast<std::size_t>(picture.width), '#');
  }
  return digits;
}

bool fitsText(const Picture& picture, std::string_view sofar) {
  return picture.width <= 0 || sofar.size() < static_cast<std::size_t>(picture.width);
}

bool acceptsChar(const Picture& picture, std::string_view sofar, char c) {
  if (!picture.isNumber()) return true;
  if (c == '-') return picture.allowNegative && sofar.empty();
  if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  std::size_t digits = sofar.size() - (!sofar.empty() && sofar[0] == '-' ? 1 : 0);
  return picture.width <= 0 || digits < static_cast<std::size_t>(picture.width);
}

std::optional<long long> readNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return 0;
  long long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace vl::ui
