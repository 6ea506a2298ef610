#include "platform/ui/headless_backend.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/state_dump.h"
#include "platform/ui/window.h"

namespace vl::ui {
namespace {

bool isControlRef(const std::string& ref) {
  return !ref.empty() && (ref[0] == '?' || std::all_of(ref.begin(), ref.end(), [](unsigned char c) {
           return std::isdigit(c) != 0;
         }));
}

bool sameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

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

int HeadlessBackend::resolve(const Window& window, const ScriptCommand& cmd, const std::string& ref) {
  int n = 0;
  if (!ref.empty() && ref[0] != '?') {
    n = isControlRef(ref) && ref.size() < 6 ? std::stoi(ref) : 0;
    if (n < 1 || n > window.count()) fail(cmd, "window " + std::string(window.name()) + " has no control " + ref);
    return n;
  }
  n = window.number(ref);
  if (n == 0) fail(cmd, "window " + std::string(window.name()) + " has no control " + ref);
  return n;
}

// True when the line acted on the window, so that the program runs again.
bool HeadlessBackend::perform(Window& window, const ScriptCommand& cmd) {
  const std::vector<std::string>& a = cmd.args;
  if (cmd.verb == "answer") {
    addAnswer(cmd);
    return false;
  }
  if (cmd.verb == "wait") {
    if (!sameName(window.name(), a[0])) {
      fail(cmd, "window " + std::string(window.name()) + " is waiting for input, not " + a[0]);
    }
    return false;
  }
  if (cmd.verb == "dump") {
    dump(window, cmd);
    return false;
  }
  std::string why;
  if (cmd.verb == "close") {
    window.userClose();
  } else if (cmd.verb == "type") {
    why = window.userType(resolve(window, cmd, a[0]), a[1]);
  } else if (cmd.verb == "press") {
    why = window.userPress(resolve(window, cmd, a[0]));
  } else if (cmd.verb == "focus") {
    why = window.userFocus(resolve(window, cmd, a[0]));
  } else if (cmd.verb == "access-code") {
    if (!options_.accessCode) fail(cmd, "no access code procedure is installed");
    const int n = a.empty() ? window.focus() : resolve(window, cmd, a[0]);
    if (n == 0) fail(cmd, "no control of " + std::string(window.name()) + " has the focus");
    why = window.userType(n, options_.accessCode());
  }
  if (!why.empty()) fail(cmd, why);
  return true;
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
  kick();
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
    transcript_.write(
        JsonLine().add("event", "progress").add("window", window.name()).add("control", c.desc->id).add("value", c.value));
  }
}

Button HeadlessBackend::showMessageBox(const MessageBoxRequest& request) {
  kick();
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
