#include "platform/ui/state_dump.h"

namespace vl::ui {
namespace {

bool hasValue(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::OptionGroup || kind == ControlKind::ProgressBar;
}

std::string listJson(const ControlState& c) {
  std::string rows = "[";
  for (const ListRow& row : c.rows) {
    if (rows.size() > 1) rows += ",";
    std::string columns = "[";
    for (const std::string& col : row.columns) {
      if (columns.size() > 1) columns += ",";
      columns += jsonString(col);
    }
    rows += JsonLine().add("icon", row.icon).addRaw("columns", columns + "]").str();
  }
  std::string marks = "[";
  for (std::size_t i = 0; i < c.marks.size(); ++i) {
    if (i > 0) marks += ",";
    marks += c.marks[i] ? "1" : "0";
  }
  return ",\"rows\":" + rows + "],\"marks\":" + marks + "],\"selected\":" + std::to_string(c.selectedRow);
}

std::string controlJson(const Window& w, int n) {
  const ControlState& c = w.control(n);
  JsonLine line;
  line.add("id", c.desc->id).add("number", n).add("kind", kindName(c.desc->kind)).add("text", screenText(w, n));
  if (hasValue(c.desc->kind)) line.add("value", c.value);
  if (c.desc->kind == ControlKind::Radio && c.parent != 0) {
    line.add("value", w.control(c.parent).value == c.desc->value ? 1 : 0);  // 1: the chosen one
  }
  line.add("visible", w.visible(n)).add("enabled", w.enabled(n));
  line.add("required", c.has(kRequired)).add("readonly", c.has(kReadOnly));
  std::string json = line.str();
  if (c.desc->kind == ControlKind::ListBox) json.insert(json.size() - 1, listJson(c));
  return json;
}

}  // namespace

std::string screenText(const Window& window, int n) {
  const ControlState& c = window.control(n);
  if (c.desc->kind == ControlKind::Entry && c.has(kMasked)) return std::string(c.text.size(), '*');
  return c.text;
}

JsonLine stateLine(const Window& window, const std::vector<int>& controls) {
  std::string list = "[";
  auto add = [&](int n) {
    if (list.size() > 1) list += ",";
    list += controlJson(window, n);
  };
  if (controls.empty()) {
    for (int n = 1; n <= window.count(); ++n) add(n);
  } else {
    for (int n : controls) add(n);
  }
  return JsonLine().add("event", "state").add("window", window.name()).addRaw("controls", list + "]");
}

}  // namespace vl::ui
