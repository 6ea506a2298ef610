#pragma once
// The on-screen keyboard: fills one entry (or multi-line text field) of the
// caller's window on a touch screen. Every key pressed is copied into the
// field at once, so the user sees the field change behind the keyboard. A
// numeric field (display picture starting with N) gets the numeric keypad
// instead. The keyboard window reopens where the user last left it (the INI
// file's TouchKeypadXPOS / TouchKeypadYPOS in section VLSInet).
#include <string>
#include <string_view>

#include "data/program_state.h"
#include "platform/ui/window.h"

namespace vl::touch {

// Typed text longer than this is cut off.
inline constexpr std::size_t kTypedTextLimit = 254;
// A numeric field is edited as a text of at most this many characters.
inline constexpr std::size_t kNumericFieldText = 20;

// Sets the field's on-screen text itself (the starting text after Cancel) and
// returns the final text. state.WindowResult is 1 after Enter (or an accepted
// keypad entry), 2 otherwise. The caller takes the on-screen text into the
// field's variable afterwards.
std::string TouchKeyboard(ProgramState& state, ui::Window& caller, int fieldNumber, std::string_view text);

}  // namespace vl::touch
