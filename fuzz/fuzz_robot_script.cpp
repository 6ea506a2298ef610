// Robot scripts are written by hand: any text must either parse or be
// refused with a ScriptError, never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/ui/robot_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    vl::ui::parseScript(text);
  } catch (const vl::ui::ScriptError&) {
  }
  try {
    vl::ui::splitScriptLine(text);
  } catch (const vl::ui::ScriptError&) {
  }
  return 0;
}
