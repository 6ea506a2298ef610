// TouchKeyboard: the keyboard window's procedure, and the hand-over of
// numeric fields to the keypad.
#include "touch/touch_keyboard.h"

#include <algorithm>
#include <cctype>

#include "data/ini_keys.h"
#include "platform/profile/profile.h"
#include "touch/keyboard_keys.h"
#include "touch/keyboard_window.h"
#include "touch/keypad.h"

namespace vl::touch {
namespace {

struct Keyboard {
  ProgramState& state;
  ui::Window& caller;
  int field;
  ui::Window& window;
  std::string typed;
  KeyboardKeys keys;
};

// The first letter of the field's display picture, in upper case.
char pictureLetter(const ui::ControlState& field) {
  if (field.picture.isNumber()) return 'N';
  const std::string_view picture = field.desc->picture;
  const std::size_t at = picture.find_first_not_of('@');
  return at == std::string_view::npos ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(picture[at])));
}

// A numeric field takes no more digits through the keypad than it takes typed.
std::size_t numericLength(const ui::ControlState& field) {
  const int digits = field.picture.width + (field.picture.allowNegative ? 1 : 0);
  return digits > 0 ? std::min<std::size_t>(kNumericFieldText, static_cast<std::size_t>(digits)) : kNumericFieldText;
}

std::string numericField(ProgramState& state, ui::Window& caller, int field, std::string_view text) {
  std::string value(text.substr(0, kNumericFieldText));
  KeypadEntry(state, "", value, numericLength(caller.control(field)), KeypadKind::WholeNumber);
  if (state.WindowResult != kWindowCompleted) return std::string(text);
  caller.setText(field, value);
  return value;
}

// The field shows no more than its picture holds, as when typed on a keyboard.
void showInField(Keyboard& k) {
  const ui::Picture& picture = k.caller.control(k.field).picture;
  const auto width = static_cast<std::size_t>(picture.width);
  k.caller.setText(k.field, !picture.isNumber() && width > 0 ? k.typed.substr(0, std::min(width, k.typed.size()))
                                                            : k.typed);
}

void copyToField(Keyboard& k) {
  k.window.select(kRetString);
  k.window.setText(kRetString, k.typed);
  showInField(k);
}

void showKeys(Keyboard& k) {
  for (int key = 1; key <= kCharacterKeys; ++key) k.window.setText(key, keyCaption(k.keys, key));
}

void append(Keyboard& k, char c) {
  if (k.typed.size() < kTypedTextLimit) k.typed += c;
  copyToField(k);
}

bool capitalises(const Keyboard& k) { return k.caller.control(k.field).has(ui::kCapitalised); }

void typeKey(Keyboard& k, int control) {
  switch (control) {
    case kKbdSpacebar:
      append(k, ' ');
      if (capitalises(k)) capitaliseNext(k.keys);
      break;
    case kKbdBackSpace:
      if (!k.typed.empty()) k.typed.pop_back();
      copyToField(k);
      break;
    case kKbdClear: {
      const bool hadText = !k.typed.empty();
      k.typed.clear();
      copyToField(k);
      if (hadText && capitalises(k)) capitaliseNext(k.keys);
      break;
    }
    case kKbdShift: pressShift(k.keys); break;
    case kKbdCaps: pressCaps(k.keys); break;
    case kRetString:  // typed on a real keyboard
      k.typed = k.window.text(kRetString).substr(0, kTypedTextLimit);
      copyToField(k);
      break;
    default:
      if (control < 1 || control > kCharacterKeys) return;
      append(k, keyCharacter(k.keys, control));
      characterTyped(k.keys);
  }
  showKeys(k);
  k.window.setText(kRetString, k.typed);
}

void placeWindow(Keyboard& k) {
  const std::string_view ini = k.state.IniPath.trimmed();
  const int x = profile::getInt(ini, ini::kSectionVLSInet, ini::kKeyTouchKeypadXPOS, k.window.x());
  const int y = profile::getInt(ini, ini::kSectionVLSInet, ini::kKeyTouchKeypadYPOS, k.window.y());
  k.window.moveTo(x, y);
}

void rememberPlace(Keyboard& k) {
  const std::string_view ini = k.state.IniPath.trimmed();
  profile::writeInt(ini, ini::kSectionVLSInet, ini::kKeyTouchKeypadXPOS, k.window.x());
  profile::writeInt(ini, ini::kSectionVLSInet, ini::kKeyTouchKeypadYPOS, k.window.y());
}

void openKeyboard(Keyboard& k) {
  const ui::ControlState& field = k.caller.control(k.field);
  placeWindow(k);  // before it shows, so it never appears anywhere else
  k.window.open();
  if (k.typed.empty() && (field.has(ui::kCapitalised) || field.has(ui::kMultiLine))) pressShift(k.keys);
  if (field.has(ui::kUpperCase) || pictureLetter(field) == 'T') pressCaps(k.keys);
  if (field.has(ui::kUpperCase)) k.window.setDisabled(kKbdCaps, true);
  showKeys(k);
  k.window.setText(kRetString, k.typed);
  k.window.select(kRetString);
}

// True when the window is to close.
bool pressKey(Keyboard& k, int control, std::string_view starting) {
  if (control == kKbdEnter) {
    k.state.WindowResult = kWindowCompleted;
    k.typed = k.window.text(kRetString).substr(0, kTypedTextLimit);
    showInField(k);
    return true;
  }
  if (control == kKbdCancel) {
    k.typed = std::string(starting);
    showInField(k);
    return true;
  }
  typeKey(k, control);
  return false;
}

}  // namespace

std::string TouchKeyboard(ProgramState& state, ui::Window& caller, int fieldNumber, std::string_view text) {
  // A copy: the caller may hand over the field's own on-screen text, which changes as keys are typed.
  const std::string starting(text);
  state.WindowResult = kWindowCancelled;
  if (pictureLetter(caller.control(fieldNumber)) == 'N') return numericField(state, caller, fieldNumber, starting);
  ui::Window window(kKeyboardWindow);
  Keyboard k{state, caller, fieldNumber, window, starting.substr(0, kTypedTextLimit), {}};
  openKeyboard(k);
  while (ui::Event e = window.accept()) {
    if (e.kind == ui::EventKind::Accepted && pressKey(k, e.control, starting)) window.close();
  }
  // Enter, Cancel and the close box alike: the window reopens where it was.
  rememberPlace(k);
  return k.typed;
}

}  // namespace vl::touch
