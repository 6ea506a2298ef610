#pragma once
// The keypad's rules on the edited text, apart from the window: reading it as
// a number, the keys that change it, and the label built from the prompt.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vl::touch {

inline constexpr std::size_t kPromptWidth = 50;
inline constexpr std::string_view kPasswordLabel = "Password:";

// The label shown above the entry: blank for a blank prompt, the prompt as it
// is when it holds a ":", else the prompt without trailing blanks plus ":".
std::string keypadLabel(std::string_view prompt);

// The text as a number: blanks around it, an optional sign, digits with at
// most one point, at least one digit. Anything else is not a number.
std::optional<long double> keypadNumber(std::string_view text);

// Appends a digit or point; a character that does not fit into `length` is lost.
void appendKeypadCharacter(std::string& text, char c, std::size_t length);

// The + and - keys: the new text, or nothing when the key does nothing.
std::optional<std::string> keypadPlus(std::string_view text, std::size_t length);
std::optional<std::string> keypadMinus(std::string_view text, std::size_t length);

// The text without trailing blanks.
std::string keypadTrimmed(std::string_view text);

}  // namespace vl::touch
