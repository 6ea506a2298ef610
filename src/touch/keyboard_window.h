#pragma once
// The on-screen keyboard window P1$TOUCHKEYPAD: 46 character keys in the
// standard US layout, the function keys and the text line that shows what
// has been typed.
#include "platform/ui/window_desc.h"

namespace vl::touch {

// Control numbers, in the order the window declares them. The character keys
// are 1 to kCharacterKeys, left to right and top to bottom.
inline constexpr int kCharacterKeys = 46;
enum KeyboardControl : int {
  kKbdBackSpace = kCharacterKeys + 1,
  kKbdEnter,
  kKbdShift,
  kKbdSpacebar,
  kKbdCancel,
  kKbdCaps,
  kKbdClear,
  kRetString,
};

extern const ui::WindowDesc kKeyboardWindow;

}  // namespace vl::touch
