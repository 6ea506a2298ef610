#pragma once
// What the keyboard's 46 character keys show and type, and how Shift and Caps
// change that. Keys are numbered 1 to 46 like their controls.
//
// Caps shifts the letter keys only; the digits and punctuation show their
// shifted characters only while Shift is on. (Were Caps to shift every key
// below the top row, an upper-case field, which opens with Caps locked on,
// could never receive "/" or "\", and a cloud folder such as ACME/SHOPF12
// could not be typed into the very field the keyboard serves.)
#include <array>
#include <string>

#include "touch/keyboard_window.h"

namespace vl::touch {

struct KeyboardKeys {
  std::array<bool, kCharacterKeys> shifted{};  // key n shows its shifted character
  bool shift = false;
  bool caps = false;
};

// The character key n types as it is shown now.
char keyCharacter(const KeyboardKeys& keys, int key);
// Its caption: the character, "&&" for the ampersand (a lone "&" would only
// mark a mnemonic).
std::string keyCaption(const KeyboardKeys& keys, int key);

// The Shift key: off again (the letter keys stay shifted while Caps is on),
// or on with every key shifted.
void pressShift(KeyboardKeys& keys);
// The Caps key: on shifts the letter keys and leaves the others as they are;
// off shows every key unshifted and switches Shift off too.
void pressCaps(KeyboardKeys& keys);
// After a character key: Shift acts on one character only, unless Caps is on.
void characterTyped(KeyboardKeys& keys);
// A capitalising field after a blank or a Clear: the next character is a
// capital. Caps already does that for the letters, so Shift is left alone
// then rather than shifting the punctuation until it is pressed again.
void capitaliseNext(KeyboardKeys& keys);

}  // namespace vl::touch
