#include "platform/ui/headless_backend.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/state_dump.h"
#include "platform/ui/window.h"

namespace vl::ui {
namespace {

// A plain number of a few digits, else 0 (never a valid control or row).
int smallNumber(const std::string& text) {
  const bool digits = !text.empty() && text.size() < 6 &&
                      std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
  return digits ? std::stoi(text) : 0;
}

bool isControlRef(const std::string& ref) { return !ref.empty() && (ref[0] == '?' || smallNumber(ref) > 0); }

}  // namespace

HeadlessBackend::HeadlessBackend(std::vector<ScriptCommand> script, Transcript& transcript, RobotOptions options)
    : script_(std::move(script)), transcript_(transcript), options_(std::move(options)) {}

void HeadlessBackend::kick() {
  if (watchdog_) watchdog_->kick();
}

void HeadlessBackend::takeLeadingAnswers() {
  while (next_ < script_.size() && script_[next_].verb == "answer") addAnswer(script_[next_++]);
}

void HeadlessBackend::addAnswer(const ScriptCommand& cmd) {
  rules_.add({parseButton(cmd.args[0]), cmd.args.size() > 1 ? cmd.args[1] : std::string()});
}

std::string HeadlessBackend::unfinished() const {
  if (!failure_.empty()) return failure_;
  for (std::size_t i = next_; i < script_.size(); ++i) {
    const ScriptCommand& cmd = script_[i];
    if (cmd.verb == "answer") continue;
    return "script line " + std::to_string(cmd.line) + " (" + cmd.source + "): the program ended first";
  }
  return "";
}

void HeadlessBackend::fail(const ScriptCommand& cmd, const std::string& why) {
  failure_ = "script line " + std::to_string(cmd.line) + " (" + cmd.source + "): " + why;
  throw RobotAbort{failure_};
}

void HeadlessBackend::waitForInput(Window& window) {
  kick();
  if (!failure_.empty()) throw RobotAbort{failure_};
  while (next_ < script_.size()) {
    if (perform(window, script_[next_++])) return;
  }
  // The script has nothing more to do: close what waits, as a person walking
  // away would, and give the program one bound to end.
  if (watchdog_) watchdog_->finalDeadline();
  window.userClose();
}

const ScriptCommand* HeadlessBackend::awaitedProgress() const {
  return next_ < script_.size() && script_[next_].verb == "wait-progress" ? &script_[next_] : nullptr;
}

// The robot's turn during a blocking operation: only once the awaited window
// showed progress, and only on that window while it is the top-most one.
void HeadlessBackend::yieldToWindows() {
  const ScriptCommand* awaited = awaitedProgress();
  if (!awaited || !progressMoved_ || !failure_.empty() || openWindows().empty()) return;
  Window& top = *openWindows().back();
  if (!sameIdentifier(top.name(), awaited->args[0])) return;
  ++next_;
  progressMoved_ = false;
  while (next_ < script_.size() && script_[next_].verb != "wait-progress") {
    if (perform(top, script_[next_++])) return;
  }
}

int HeadlessBackend::resolve(const Window& window, const ScriptCommand& cmd, const std::string& ref) {
  const int n = ref.empty() || ref[0] != '?' ? smallNumber(ref) : window.number(ref);
  if (n < 1 || n > window.count()) fail(cmd, "window " + std::string(window.name()) + " has no control " + ref);
  return n;
}

// True when the line acted on the window, so that the program runs again.
bool HeadlessBackend::perform(Window& window, const ScriptCommand& cmd) {
  if (cmd.verb == "answer") {
    addAnswer(cmd);
  } else if (cmd.verb == "wait") {
    if (!sameIdentifier(window.name(), cmd.args[0])) {
      fail(cmd, "window " + std::string(window.name()) + " is waiting for input, not " + cmd.args[0]);
    }
  } else if (cmd.verb == "wait-progress") {
    fail(cmd, "window " + std::string(window.name()) + " is waiting for input; no progress was shown on " +
                  cmd.args[0] + " while the program worked");
  } else if (cmd.verb == "dump") {
    dump(window, cmd);
  } else {
    if (std::string why = act(window, cmd); !why.empty()) fail(cmd, why);
    return true;
  }
  return false;
}

// What a person does for the line; "" or why it cannot be done.
std::string HeadlessBackend::act(Window& window, const ScriptCommand& cmd) {
  const std::vector<std::string>& a = cmd.args;
  if (cmd.verb == "close") {
    window.userClose();
    return "";
  }
  if (cmd.verb == "access-code") {
    if (!options_.accessCode) fail(cmd, "no access code procedure is installed");
    const int n = a.empty() ? window.focus() : resolve(window, cmd, a[0]);
    if (n == 0) fail(cmd, "no control of " + std::string(window.name()) + " has the focus");
    return window.userType(n, options_.accessCode());
  }
  const int n = resolve(window, cmd, a[0]);
  if (cmd.verb == "type") return window.userType(n, a[1]);
  if (cmd.verb == "press") return window.userPress(n);
  if (cmd.verb == "focus") return window.userFocus(n);
  const int row = smallNumber(a[1]);
  if (cmd.verb == "select") return window.userSelectRow(n, row);
  const std::vector<bool>& marks = window.control(n).marks;
  const bool ticked = row >= 1 && row <= static_cast<int>(marks.size()) && marks[static_cast<std::size_t>(row - 1)];
  return window.userMarkRow(n, row, !ticked);  // "mark": a click toggles
}

void HeadlessBackend::dump(Window& window, const ScriptCommand& cmd) {
  const std::string& target = cmd.args[0];
  if (isControlRef(target)) {
    transcript_.write(stateLine(window, {resolve(window, cmd, target)}));
    return;
  }
  const Window* named = findOpenWindow(target);
  if (!named) fail(cmd, "no open window " + target);
  transcript_.write(stateLine(*named, {}));
}

void HeadlessBackend::windowOpened(Window& window) {
  transcript_.write(JsonLine().add("event", "open").add("window", window.name()).add("caption", window.desc().caption));
}

void HeadlessBackend::windowClosed(Window& window) {
  transcript_.write(JsonLine().add("event", "close").add("window", window.name()));
}

void HeadlessBackend::controlChanged(Window& window, int control, Change change) {
  const ControlState& c = window.control(control);
  if (change == Change::Text && c.desc->kind == ControlKind::Text && c.binding.bound()) {
    transcript_.write(JsonLine()
                          .add("event", "text")
                          .add("window", window.name())
                          .add("control", c.desc->id)
                          .add("text", screenText(window, control)));
  } else if (change == Change::Value && c.desc->kind == ControlKind::ProgressBar) {
    const ScriptCommand* awaited = awaitedProgress();
    if (awaited && sameIdentifier(window.name(), awaited->args[0])) progressMoved_ = true;
    transcript_.write(
        JsonLine().add("event", "progress").add("window", window.name()).add("control", c.desc->id).add("value", c.value));
  }
}

Button HeadlessBackend::showMessageBox(const MessageBoxRequest& request) {
  const Button answer = failure_.empty() ? rules_.choose(request) : request.defaultButton;
  std::string buttons = "[";
  for (Button b : request.buttons) {
    if (buttons.size() > 1) buttons += ",";
    buttons += jsonString(buttonName(b));
  }
  transcript_.write(JsonLine()
                        .add("event", "message")
                        .add("caption", request.caption)
                        .add("text", request.text)
                        .add("icon", iconName(request.icon))
                        .add("beep", request.beep)
                        .addRaw("buttons", buttons + "]")
                        .add("default", buttonName(request.defaultButton))
                        .add("answer", buttonName(answer)));
  return answer;
}

void HeadlessBackend::beep() { transcript_.write(JsonLine().add("event", "beep")); }

}  // namespace vl::ui
