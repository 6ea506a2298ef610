#include "platform/ui/answer_rules.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace vl::ui {

Button AnswerRules::choose(const MessageBoxRequest& request) const {
  // The last matching rule wins. An iterator loop: clang-tidy 14 cannot read
  // libstdc++ 12's reverse_view.
  for (auto it = rules_.rbegin(); it != rules_.rend(); ++it) {
    const AnswerRule& rule = *it;
    const bool offered = std::find(request.buttons.begin(), request.buttons.end(), rule.button) != request.buttons.end();
    if (offered && request.text.find(rule.text) != std::string::npos) return rule.button;
  }
  return request.defaultButton;
}

Button parseButton(std::string_view name) {
  std::string n(name);
  std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (n == "ok") return Button::Ok;
  if (n == "yes") return Button::Yes;
  if (n == "no") return Button::No;
  throw std::invalid_argument("no such button: " + std::string(name));
}

}  // namespace vl::ui
