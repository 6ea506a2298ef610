#pragma once
// The on-screen numeric keypad: a modal window that edits one text value of
// the caller in place, for touch-screen tills without a keyboard. At startup
// it is the access prompt (prompt "Password:", masked, only today's access
// code lets the user through); from the touch keyboard it fills a numeric
// field of the setup window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/program_state.h"

namespace vl::touch {

enum class KeypadKind {
  Decimal,      // the point key works, at most one point in the text
  WholeNumber,  // the point key is disabled
};

// Edits `text` (its trailing blanks are ignored) with the keypad. Afterwards
// `text` holds the edited value, at most `length` characters, and
// state.WindowResult is 1 when OK accepted it, 2 when the window was
// cancelled or closed (the text is then the value it had at the call).
void KeypadEntry(ProgramState& state, std::string_view prompt, std::string& text, std::size_t length,
                 KeypadKind kind);

// The mask that DailyAccessCode mixes into the day number. Every till must
// use the same value, or the codes support technicians are given stop working.
inline constexpr std::uint32_t kAccessCodeMask = 0xC3A5;

// Today's access code (local date): at most six decimal digits, the same on
// every terminal, changing with the calendar day.
long DailyAccessCode();

// The code for a given day number (days since 28 December 1800).
long AccessCodeForDay(std::int32_t dayNumber);

}  // namespace vl::touch
