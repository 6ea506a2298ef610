// Bound variables: showing them on the controls and taking an entry's
// on-screen text back; the required-entries check; list box rows.
#include <algorithm>
#include <utility>

#include "platform/ui/backend.h"
#include "platform/ui/window.h"

namespace vl::ui {
namespace {

std::string shownText(const ControlState& c) {
  if (c.binding.isNumber()) {
    return c.picture.isNumber() ? formatNumber(c.picture, c.binding.number()) : std::to_string(c.binding.number());
  }
  std::string text = c.binding.text();
  if (!c.picture.isNumber() && c.picture.width > 0 && text.size() > static_cast<std::size_t>(c.picture.width)) {
    text.resize(static_cast<std::size_t>(c.picture.width));
  }
  return text;
}

bool sameRow(const ListRow& a, const ListRow& b) { return a.icon == b.icon && a.columns == b.columns; }

}  // namespace

void Window::bind(int control, Binding binding) { at(control).binding = std::move(binding); }

void Window::bindVariable(std::string_view variable, const Binding& binding) {
  for (ControlState& c : controls_) {
    if (c.desc->variable == variable) c.binding = binding;
  }
}

void Window::bindList(int control, ListSource source) { at(control).list = std::move(source); }

void Window::display() {
  for (int n = 1; n <= count(); ++n) display(n);
}

void Window::display(int control) {
  ControlState& c = at(control);
  switch (c.desc->kind) {
    case ControlKind::Entry:
    case ControlKind::Text:
      if (c.binding.bound()) setScreenText(c, shownText(c));
      break;
    case ControlKind::CheckBox:
      if (c.binding.bound()) setValue(c, c.binding.number() != 0 ? 1 : 0);
      break;
    case ControlKind::OptionGroup:
    case ControlKind::ProgressBar:
      if (c.binding.bound()) setValue(c, c.binding.number());
      break;
    case ControlKind::ListBox:
      displayList(c);
      break;
    default:
      break;
  }
}

void Window::update() {
  for (int n = 1; n <= count(); ++n) {
    if (control(n).desc->kind == ControlKind::Entry) update(n);
  }
}

void Window::update(int control) {
  ControlState& c = at(control);
  // A read-only entry cannot have been edited; taking its text back could only
  // overwrite a newer value of a variable that another entry also shows.
  if (c.desc->kind != ControlKind::Entry || !c.binding.bound() || c.has(kReadOnly)) return;
  if (!c.binding.isNumber()) {
    c.binding.setText(c.text);
  } else if (auto number = readNumber(c.text)) {
    c.binding.setNumber(*number);
  }
}

bool Window::checkRequired() {
  for (ControlState& c : controls_) {
    if (c.desc->kind != ControlKind::Entry || !c.has(kRequired) || !enabled(c.number)) continue;
    bool hidden = false;
    for (int n = c.number; n != 0; n = control(n).parent) hidden = hidden || control(n).has(kHidden);
    if (hidden) continue;
    bool blank = false;
    if (!c.binding.bound()) {
      blank = c.text.find_first_not_of(' ') == std::string::npos;
    } else if (c.binding.isNumber()) {
      blank = c.binding.number() == 0;
    } else {
      blank = c.binding.text().find_first_not_of(' ') == std::string::npos;
    }
    if (!blank) continue;
    beep();
    select(c.number);
    return false;
  }
  return true;
}

// Reads the rows from the source and keeps only what differs: a download
// redisplays a long list twice a file to change one row's icon, so neither
// the stored rows nor the backend's copy are rebuilt for that.
void Window::displayList(ControlState& c) {
  const int n = c.list.count ? c.list.count() : 0;
  const int before = static_cast<int>(c.rows.size());
  int first = n + 1, last = 0;  // the rows that changed; none when first > last
  c.rows.resize(static_cast<std::size_t>(n));
  c.marks.resize(c.marksOn ? static_cast<std::size_t>(n) : 0);
  for (int r = 1; r <= n; ++r) {
    ListRow row = c.list.row(r);
    const auto i = static_cast<std::size_t>(r - 1);
    bool differs = r > before || !sameRow(row, c.rows[i]);
    if (differs) c.rows[i] = std::move(row);
    if (c.marksOn) {
      const bool mark = c.list.mark && c.list.mark(r);
      differs = differs || mark != c.marks[i];
      c.marks[i] = mark;
    }
    if (!differs) continue;
    first = std::min(first, r);
    last = r;
  }
  int selected = c.selectedRow;
  if (selected > n) selected = n;
  if (selected == 0 && n > 0) selected = 1;
  if (first > last && n == before && selected == c.selectedRow) return;
  c.selectedRow = selected;
  rowsChanged(c.number, first > last ? 1 : first, last);
}

void Window::setListIcons(int control, std::vector<std::string> resources) {
  at(control).listIcons = std::move(resources);
  changed(control, static_cast<int>(Change::List));
}

void Window::setListMarks(int control, bool on) {
  ControlState& c = at(control);
  if (c.marksOn == on) return;
  c.marksOn = on;
  c.marks.clear();
  displayList(c);
  changed(control, static_cast<int>(Change::List));
}

void Window::selectRow(int control, int row) {
  ControlState& c = at(control);
  const int n = static_cast<int>(c.rows.size());
  const int selected = row < 0 ? 0 : (row > n ? n : row);
  if (selected == c.selectedRow) return;
  c.selectedRow = selected;
  rowsChanged(control, 1, 0);
}

int Window::selectedRow(int control) const { return this->control(control).selectedRow; }

}  // namespace vl::ui
