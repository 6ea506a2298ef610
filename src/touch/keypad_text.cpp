#include "touch/keypad_text.h"

#include <cctype>
#include <cstdio>

namespace vl::touch {
namespace {

bool isBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// Without the blanks around it and without a leading plus sign.
std::string_view stripped(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text[0] == '+') text.remove_prefix(1);
  return text;
}

// The text plus delta, written back as text. Whole numbers stay exact; a
// decimal keeps as many decimals as it had ("2.50" + 1 is "3.50").
std::string addToKeypadNumber(std::string_view text, long double value, int delta) {
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos && text.size() <= 18) {
    return std::to_string(std::stoll(std::string(text)) + delta);
  }
  const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
  // Measured first: a long number would not fit a fixed buffer.
  const long double sum = value + delta;
  const int size = std::snprintf(nullptr, 0, "%.*Lf", decimals, sum);
  if (size < 0) return std::string(text);
  std::string result(static_cast<std::size_t>(size), '\0');
  (void)std::snprintf(result.data(), result.size() + 1, "%.*Lf", decimals, sum);
  if (result.find_first_not_of("-0.") == std::string::npos && result[0] == '-') result.erase(0, 1);
  return result;
}

std::optional<std::string> fitting(std::string text, std::size_t length) {
  // A result the text cannot hold would be cut into another number: leave it.
  if (text.size() > length) return std::nullopt;
  return text;
}

}  // namespace

std::string keypadTrimmed(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

std::string keypadLabel(std::string_view prompt) {
  std::string label;
  if (isBlank(prompt)) return label;
  label = prompt.find(':') != std::string_view::npos ? std::string(prompt) : keypadTrimmed(prompt) + ":";
  if (label.size() > kPromptWidth) label.resize(kPromptWidth);
  return label;
}

std::optional<long double> keypadNumber(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  bool digit = false, point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digit) return std::nullopt;
  return std::stold(std::string(text));
}

void appendKeypadCharacter(std::string& text, char c, std::size_t length) {
  text = keypadTrimmed(text);
  if (text.size() < length) text += c;
}

std::optional<std::string> keypadPlus(std::string_view text, std::size_t length) {
  if (isBlank(text)) return fitting("1", length);
  const auto value = keypadNumber(text);
  if (!value) return std::nullopt;
  return fitting(addToKeypadNumber(stripped(text), *value, 1), length);
}

std::optional<std::string> keypadMinus(std::string_view text, std::size_t length) {
  const auto value = keypadNumber(text);
  if (!value || *value <= 0) return std::nullopt;
  return fitting(addToKeypadNumber(stripped(text), *value, -1), length);
}

}  // namespace vl::touch
