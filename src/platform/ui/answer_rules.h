#pragma once
// How the robot answers message boxes: rules added by the script's answer
// lines; the latest rule whose text occurs in the box's text (a rule without
// text matches any box) and whose button the box offers wins; a box no rule
// answers gets its default button.
#include <string>
#include <vector>

#include "platform/ui/message_box.h"

namespace vl::ui {

struct AnswerRule {
  Button button = Button::Ok;
  std::string text;  // empty: any box
};

class AnswerRules {
 public:
  void add(AnswerRule rule) { rules_.push_back(std::move(rule)); }
  Button choose(const MessageBoxRequest& request) const;

 private:
  std::vector<AnswerRule> rules_;
};

// "OK", "ok", "Yes", "no" ...; throws std::invalid_argument for anything else.
Button parseButton(std::string_view name);

}  // namespace vl::ui
