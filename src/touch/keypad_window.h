#pragma once
// The keypad window P1$MODALWINDOW: 17 flat picture keys, the entry that
// shows the edited text and the prompt label above it.
#include "platform/ui/window_desc.h"

namespace vl::touch {

// Control numbers, in the order the window declares them.
enum KeypadControl : int {
  kKeySeven = 1,
  kKeyEight,
  kKeyNine,
  kKeyFour,
  kKeyFive,
  kKeySix,
  kKeyOne,
  kKeyTwo,
  kKeyThree,
  kKeyZero,
  kKeyDot,
  kKeyCancel,
  kKeyC,
  kKeyPlus,
  kKeyMinus,
  kKeyClear,
  kKeyOk,
  kOutNumber,
  kPromptLabel,
};

extern const ui::WindowDesc kKeypadWindow;

// The character a digit or point key types, '\0' for the other controls.
char keypadCharacter(int control);

}  // namespace vl::touch
