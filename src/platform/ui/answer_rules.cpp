#include "platform/ui/answer_rules.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace vl::ui {

Button AnswerRules::choose(const MessageBoxRequest& request) const {
  auto answers = [&request](const AnswerRule& rule) {
    const bool offered = std::find(request.buttons.begin(), request.buttons.end(), rule.button) != request.buttons.end();
    return offered && request.text.find(rule.text) != std::string::npos;
  };
  // The last matching rule wins.
  const auto found = std::find_if(rules_.rbegin(), rules_.rend(), answers);
  return found != rules_.rend() ? found->button : request.defaultButton;
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
