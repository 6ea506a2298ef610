#pragma once
// Display pictures of entries and variable texts.
//   @sN      text of up to N characters
//   @nW[b]   whole number of up to W digits ("@n4b": up to 4 digits, blank when
//            zero); "@n-W" also allows a leading minus; "_" after @n is accepted
//            and ignored (no thousands separators are ever shown)
// An empty or unknown picture is a text without a width limit.
#include <optional>
#include <string>
#include <string_view>

namespace vl::ui {

struct Picture {
  enum class Kind { Text, Number };
  Kind kind = Kind::Text;
  int width = 0;               // characters for text (0 = unlimited), digits for numbers
  bool blankWhenZero = false;
  bool allowNegative = false;

  bool isNumber() const { return kind == Kind::Number; }
};

Picture parsePicture(std::string_view picture);

// What the control shows for a number: "" for 0 with b, "####" when the value
// needs more digits than the picture has.
std::string formatNumber(const Picture& picture, long long value);

// Whether a person can type c after `sofar` in an entry with this picture.
// A text picture takes any character (a full field drops further ones: see
// fitsText); a number picture takes digits up to its width and, when allowed,
// a leading minus.
bool acceptsChar(const Picture& picture, std::string_view sofar, char c);
bool fitsText(const Picture& picture, std::string_view sofar);

// Reads an entry's on-screen text as a number; blank reads as 0, anything that
// is not a number gives nothing.
std::optional<long long> readNumber(std::string_view text);

}  // namespace vl::ui
