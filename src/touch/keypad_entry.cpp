// KeypadEntry: the keypad window's procedure.
#include <string>

#include "platform/ui/backend.h"
#include "platform/ui/window.h"
#include "services/messages.h"
#include "touch/keypad.h"
#include "touch/keypad_text.h"
#include "touch/keypad_window.h"

namespace vl::touch {
namespace {

constexpr std::string_view kInvalidPassword = "Invalid password.||Try again.";

struct Keypad {
  ProgramState& state;
  ui::Window& window;
  std::string& text;
  std::size_t length;
  bool password;
};

// Shows the text with the cursor after its last character.
void showText(Keypad& k) {
  k.window.setText(kOutNumber, k.text);
  k.window.select(kOutNumber);
}

// What the person may have typed into the entry becomes the text.
void takeOver(Keypad& k) {
  k.text = keypadTrimmed(k.window.text(kOutNumber));
  if (k.text.size() > k.length) k.text.resize(k.length);
}

// The wrong-code box: a beep and the information icon, like the other
// prompts the till shows its users.
void showInvalidPassword() {
  ui::setCursor(ui::Cursor::Normal);
  services::showBox({.caption = std::string(services::kDefaultCaption),
                     .text = std::string(kInvalidPassword),
                     .icon = ui::Icon::Information,
                     .beep = true});
}

// True when the entry is accepted and the window is to close.
bool pressOk(Keypad& k) {
  takeOver(k);
  const auto value = keypadNumber(k.text);
  if ((value && *value == static_cast<long double>(DailyAccessCode())) || !k.password) {
    k.state.WindowResult = kWindowCompleted;
    return true;
  }
  showInvalidPassword();
  return false;
}

// A swiped card or a code typed on a real keyboard ends with the alert key.
bool alertKey(Keypad& k) {
  takeOver(k);
  const bool codeLike = keypadNumber(k.text) || k.text.find('*') != std::string::npos ||
                        (k.text.find(';') != std::string::npos && k.text.find('?') != std::string::npos);
  return codeLike && pressOk(k);
}

void typeCharacter(Keypad& k, char c) {
  if (c == '.' && k.text.find('.') != std::string::npos) {
    ui::beep();
    return;
  }
  appendKeypadCharacter(k.text, c, k.length);
  showText(k);
}

void replaceText(Keypad& k, const std::optional<std::string>& text) {
  if (!text) return;
  k.text = *text;
  k.window.setText(kOutNumber, k.text);
  k.window.display();
}

// One key pressed; true when the window is to close.
bool pressKey(Keypad& k, int control) {
  if (const char c = keypadCharacter(control); c != '\0') {
    typeCharacter(k, c);
    return false;
  }
  switch (control) {
    case kKeyC:
      k.text = keypadTrimmed(k.text);
      if (!k.text.empty()) k.text.pop_back();
      showText(k);
      return false;
    case kKeyClear: replaceText(k, std::string()); return false;
    case kKeyPlus: replaceText(k, keypadPlus(k.text, k.length)); return false;
    case kKeyMinus: replaceText(k, keypadMinus(k.text, k.length)); return false;
    case kKeyCancel: return true;
    case kKeyOk: return pressOk(k);
    case kOutNumber: takeOver(k); return false;
    default: return false;
  }
}

void openKeypad(Keypad& k, KeypadKind kind, std::string& label) {
  ui::Window& w = k.window;
  w.open();
  if (kind == KeypadKind::WholeNumber) w.setDisabled(kKeyDot, true);
  w.bind(kPromptLabel, ui::bindVar(label));
  w.display(kPromptLabel);
  if (keypadNumber(k.text).value_or(0) == 0) k.text.clear();
  if (k.password) w.setMasked(kOutNumber, true);
  // A real keyboard may type into the entry too, but no further than the text holds.
  w.setPicture(kOutNumber, "@s" + std::to_string(k.length));
  showText(k);
}

}  // namespace

void KeypadEntry(ProgramState& state, std::string_view prompt, std::string& text, std::size_t length,
                 KeypadKind kind) {
  state.WindowResult = kWindowCancelled;
  const std::string original = text;
  std::string label = keypadLabel(prompt);
  text = keypadTrimmed(text);
  if (text.size() > length) text.resize(length);
  ui::Window window(kKeypadWindow);
  Keypad k{state, window, text, length, label == kPasswordLabel};
  openKeypad(k, kind, label);
  bool done = false;
  while (ui::Event e = window.accept()) {
    if (e.kind == ui::EventKind::Accepted) {
      done = pressKey(k, e.control);
    } else if (e.kind == ui::EventKind::AlertKey && e.control == kOutNumber) {
      done = alertKey(k);
    } else if (e.kind == ui::EventKind::Rejected) {
      ui::beep();
      window.display(e.control);
      window.select(e.control);
    }
    if (done) window.close();
  }
  // Anything but an accepted entry gives the caller back what it had.
  if (state.WindowResult != kWindowCompleted) text = original;
}

}  // namespace vl::touch
