#pragma once
// The state of a window's controls as the transcript's "state" line shows it:
// what a person sees (texts, ticks, visibility, list rows and marks).
#include <vector>

#include "platform/ui/json_line.h"
#include "platform/ui/window.h"

namespace vl::ui {

// What control n shows on screen: its caption or on-screen text, masking
// characters for a masked entry.
std::string screenText(const Window& window, int n);

// {"event":"state","window":NAME,"controls":[...]} for the given controls
// (all of them when the list is empty).
JsonLine stateLine(const Window& window, const std::vector<int>& controls);

}  // namespace vl::ui
