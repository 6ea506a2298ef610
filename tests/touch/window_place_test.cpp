// The keyboard window reopens where the user last left it, kept in the INI
// file's TouchKeypadXPOS / TouchKeypadYPOS; the robot cannot drag a window, so
// a step backend plays the user here.
#include <gtest/gtest.h>

#include "platform/profile/profile.h"
#include "platform/ui/window.h"
#include "touch/keyboard_window.h"
#include "touch/touch_keyboard.h"
#include "touch_fixture.h"

namespace vl::touch::test {
namespace {

constexpr ui::ControlDesc kFieldControls[] = {
    {.id = "?FIELD", .kind = ui::ControlKind::Entry, .picture = "@s20"},
};
constexpr ui::WindowDesc kFieldWindow{.name = "P1$FIELD", .caption = "Field", .width = 100, .height = 40,
                                      .controls = kFieldControls};

using Place = std::pair<int, int>;

class KeyboardPlace : public TouchTest {
 protected:
  int iniValue(std::string_view key) { return profile::getInt("C:\\VLSInet.INI", "VLSInet", key, -1); }

  // Opens the keyboard once: the user drags it to `to` (unless nullopt) and
  // leaves with the control `leave` (0: the close box). Returns where it opened.
  Place openKeyboard(std::optional<Place> to, int leave) {
    StepBackend robot({[&](ui::Window& w) {
      if (to) w.userMoved(to->first, to->second);
      if (leave == 0) {
        w.userClose();
      } else {
        w.userPress(leave);
      }
    }});
    ui::Window caller(kFieldWindow);
    caller.open();
    TouchKeyboard(state, caller, 1, "");
    EXPECT_EQ(robot.stepsLeft(), 0u);
    return robot.openedAt.at(1);
  }
};

TEST_F(KeyboardPlace, OpensWhereTheIniFileSays) {
  sandbox.writeFile("drive_c/VLSInet.INI", "[VLSInet]\r\nTouchKeypadXPOS=40\r\nTouchKeypadYPOS=50\r\n");
  EXPECT_EQ(openKeyboard(std::nullopt, kKbdEnter), Place(40, 50));
  EXPECT_EQ(iniValue("TouchKeypadXPOS"), 40);
  EXPECT_EQ(iniValue("TouchKeypadYPOS"), 50);
}

TEST_F(KeyboardPlace, ReopensWhereItWasLeftAfterEnterCancelOrTheCloseBox) {
  EXPECT_EQ(openKeyboard(Place(120, 30), kKbdEnter), Place(0, 0));  // no INI value: the design's place
  EXPECT_EQ(openKeyboard(Place(7, 9), kKbdCancel), Place(120, 30));
  EXPECT_EQ(openKeyboard(Place(60, 70), 0), Place(7, 9));
  EXPECT_EQ(openKeyboard(std::nullopt, kKbdEnter), Place(60, 70));
  EXPECT_NE(iniText().find("TouchKeypadXPOS=60\r\nTouchKeypadYPOS=70\r\n"), std::string::npos) << iniText();
}

}  // namespace
}  // namespace vl::touch::test
