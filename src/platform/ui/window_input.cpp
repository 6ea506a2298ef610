// What a person does to a window, turned into the events the program sees.
// The headless robot calls these for its script lines; the wx backend calls
// them from the native controls' handlers.
#include <cctype>

#include "platform/ui/window.h"

namespace vl::ui {
namespace {

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

std::string describe(const ControlState& c) {
  return std::string(kindName(c.desc->kind)) + " " + std::string(c.desc->id) + " (" + std::to_string(c.number) + ")";
}

}  // namespace

std::string Window::cannotAct(int control) const {
  const ControlState& target = this->control(control);
  for (int n = control; n != 0; n = this->control(n).parent) {
    const ControlState& c = this->control(n);
    if (c.has(kHidden)) return describe(target) + (n == control ? " is hidden" : " lies in hidden " + describe(c));
    if (c.desc->kind == ControlKind::Tab && c.parent != 0 && this->control(c.parent).shownTab != n && n != control) {
      return describe(target) + " lies on " + describe(c) + ", which is not shown: press that tab first";
    }
    if (c.has(kDisabled)) {
      return describe(target) + (n == control ? " is disabled" : " lies in disabled " + describe(c));
    }
  }
  return "";
}

std::string Window::userFocus(int control) {
  if (std::string why = cannotAct(control); !why.empty()) return why;
  if (focus_ == control) return "";
  moveFocus(control);
  queue({EventKind::Selected, control});
  return "";
}

std::string Window::userType(int control, std::string_view typed) {
  const ControlState& c = this->control(control);
  if (c.desc->kind != ControlKind::Entry) return describe(c) + " is not an entry";
  if (c.has(kReadOnly)) return describe(c) + " is read-only";
  if (std::string why = userFocus(control); !why.empty()) return why;
  std::string text;
  for (char key : typed) {
    if (c.has(kUpperCase) || (c.has(kCapitalised) && (text.empty() || text.back() == ' '))) key = upper(key);
    if (!acceptsChar(c.picture, text, key)) {
      setScreenText(at(control), text);
      queue({EventKind::Rejected, control});
      return "";
    }
    if (!fitsText(c.picture, text)) break;  // a full field takes no more keys
    text += key;
  }
  setScreenText(at(control), text);
  update(control);
  queue({EventKind::Accepted, control});
  return "";
}

std::string Window::userPress(int control) {
  ControlState& c = at(control);
  const ControlKind kind = c.desc->kind;
  if (kind == ControlKind::Tab) {
    if (std::string why = cannotAct(c.parent != 0 ? c.parent : control); !why.empty()) return why;
    if (c.has(kHidden) || c.has(kDisabled)) return describe(c) + (c.has(kHidden) ? " is hidden" : " is disabled");
    ControlState& sheet = at(c.parent);
    if (sheet.shownTab == control) return "";
    queue({EventKind::TabChanging, sheet.number});
    showTabOf(control);
    queue({EventKind::NewSelection, sheet.number});
    return "";
  }
  if (kind != ControlKind::Button && kind != ControlKind::CheckBox && kind != ControlKind::Radio) {
    return describe(c) + " cannot be pressed";
  }
  if (std::string why = userFocus(control); !why.empty()) return why;
  if (kind == ControlKind::Button) {
    queue({EventKind::Accepted, control}, c.has(kChecksRequired));
  } else if (kind == ControlKind::CheckBox) {
    const long long ticked = c.desc->value != 0 ? c.desc->value : 1;
    const long long now = c.value != 0 ? 0 : ticked;
    c.binding.setNumber(now);
    setValue(c, now != 0 ? 1 : 0);
    queue({EventKind::Accepted, control});
  } else if (c.parent != 0) {
    ControlState& group = at(c.parent);
    if (group.value == c.desc->value) return "";
    group.binding.setNumber(c.desc->value);
    setValue(group, c.desc->value);
    queue({EventKind::Accepted, control});
    queue({EventKind::Accepted, group.number});
  }
  return "";
}

void Window::userClose() { queue({EventKind::CloseWindow, 0}); }

std::string Window::userSelectRow(int control, int row) {
  ControlState& c = at(control);
  if (c.desc->kind != ControlKind::ListBox) return describe(c) + " is not a list box";
  if (row < 1 || row > static_cast<int>(c.rows.size())) return describe(c) + " has no row " + std::to_string(row);
  if (std::string why = userFocus(control); !why.empty()) return why;
  if (c.selectedRow == row) return "";
  selectRow(control, row);
  queue({EventKind::NewSelection, control});
  return "";
}

std::string Window::userMarkRow(int control, int row, bool on) {
  ControlState& c = at(control);
  if (std::string why = userSelectRow(control, row); !why.empty()) return why;
  if (!c.marksOn || !c.list.setMark) return describe(c) + " has no row marks";
  c.list.setMark(row, on);
  displayList(c);
  return "";
}

}  // namespace vl::ui
