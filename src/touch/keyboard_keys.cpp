#include "touch/keyboard_keys.h"

#include <cctype>
#include <string_view>

namespace vl::touch {
namespace {

// The standard US layout and its shifted twin, in key order.
constexpr std::string_view kUnshifted = "1234567890-=qwertyuiop[]\\asdfghjkl;'zxcvbnm,./";
constexpr std::string_view kShifted = "!@#$%^&*()_+QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?";
static_assert(kUnshifted.size() == kCharacterKeys && kShifted.size() == kCharacterKeys);

// Keys 13 to 46: everything below the top row of digits.
constexpr int kFirstBelowTopRow = 13;

std::size_t index(int key) { return static_cast<std::size_t>(key - 1); }

bool isLetterKey(int key) { return std::islower(static_cast<unsigned char>(kUnshifted[index(key)])) != 0; }

void showAll(KeyboardKeys& keys, bool shifted) { keys.shifted.fill(shifted); }

void showLettersShifted(KeyboardKeys& keys) {
  for (int key = 1; key <= kCharacterKeys; ++key) {
    if (isLetterKey(key)) keys.shifted[index(key)] = true;
  }
}

}  // namespace

char keyCharacter(const KeyboardKeys& keys, int key) {
  return (keys.shifted[index(key)] ? kShifted : kUnshifted)[index(key)];
}

std::string keyCaption(const KeyboardKeys& keys, int key) {
  const char c = keyCharacter(keys, key);
  return c == '&' ? "&&" : std::string(1, c);
}

void pressShift(KeyboardKeys& keys) {
  keys.shift = !keys.shift;
  showAll(keys, keys.shift);
  if (!keys.shift && keys.caps) showLettersShifted(keys);
}

void pressCaps(KeyboardKeys& keys) {
  keys.caps = !keys.caps;
  if (keys.caps) {
    showLettersShifted(keys);
  } else {
    showAll(keys, false);
    keys.shift = false;
  }
}

void characterTyped(KeyboardKeys& keys) {
  if (!keys.shift || keys.caps) return;
  keys.shift = false;
  showAll(keys, false);
}

void capitaliseNext(KeyboardKeys& keys) {
  if (keys.caps) return;
  for (int key = kFirstBelowTopRow; key <= kCharacterKeys; ++key) keys.shifted[index(key)] = true;
  keys.shift = true;
}

}  // namespace vl::touch
