// The keyboard button: the on-screen keyboard for the entry selected last.
#include "app/setup_context.h"
#include "services/messages.h"
#include "touch/touch_keyboard.h"

namespace vl::setup {
namespace {

constexpr std::string_view kSelectEntry = "Select an entry field.";

// An entry a person could type into right now. A disabled or hidden entry
// (the terminal ID after trusted mode was cleared) is no more editable
// through the keyboard than by hand.
bool editableEntry(const ui::Window& window, int n) {
  if (n < 1 || n > window.count()) return false;
  const ui::ControlState& c = window.control(n);
  return c.desc->kind == ui::ControlKind::Entry && !c.has(ui::kReadOnly) && !c.has(ui::kHidden) &&
         window.enabled(n);
}

}  // namespace

void ApplyKeyboardRule(SetupContext& ctx) {
  const int n = ctx.state.lastSelectedControl;
  if (!editableEntry(ctx.window, n)) {
    services::ShowMessage(kSelectEntry, "", services::kMessageWarning, true);
    return;
  }
  touch::TouchKeyboard(ctx.state, ctx.window, n, ctx.window.text(n));
  // Whether Enter or Cancel closed it, the entry acts as if it had been typed.
  ctx.window.update(n);
  ctx.window.post(ui::EventKind::Accepted, n);
  ctx.window.display();
}

}  // namespace vl::setup
