// Every picture a window or the program names is linked in, so no window
// ever shows the stand-in question mark.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/setup_window_desc.h"
#include "app/transfer_window.h"
#include "data/program_state.h"
#include "platform/ui_wx/pictures.h"
#include "touch/keyboard_window.h"
#include "touch/keypad_window.h"

namespace vl::ui::wxb {
namespace {

TEST(Pictures, EveryPictureTheWindowsNameIsLinkedIn) {
  for (const WindowDesc* desc : {&setup::kSetupWindow, &transfer::kTransferWindow, &touch::kKeypadWindow,
                                 &touch::kKeyboardWindow}) {
    for (const ControlDesc& c : desc->controls) {
      if (!c.icon.empty()) {
        EXPECT_TRUE(hasPicture(c.icon)) << desc->name << " " << c.id << " names " << c.icon;
      }
    }
  }
}

TEST(Pictures, TheStatusBallsAndListIconsAreLinkedIn) {
  for (std::string_view name : {kGreenBall, kBlueBall, kRedBall, kYellowBall, transfer::kArrowIcon, transfer::kTickIcon}) {
    EXPECT_TRUE(hasPicture(name)) << name;
  }
}

TEST(Pictures, NamesAreFoundWhateverTheirFolderMarkOrCase) {
  struct Case {
    std::string_view name;
    std::string key;
  };
  const std::vector<Case> cases{
      {"~C:\\VLSDev\\Images\\BluBall.ico", "bluball.ico"},
      {"BluBall.ico", "bluball.ico"},
      {"~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\OK_3tall_flat_grey.jpg", "ok_3tall_flat_grey.jpg"},
      {"images/FTPUpd.ICO", "ftpupd.ico"},
  };
  for (const Case& c : cases) EXPECT_EQ(pictureKey(c.name), c.key) << c.name;
  EXPECT_FALSE(hasPicture("~C:\\VLSDev\\Images\\nosuch.ico"));
}

}  // namespace
}  // namespace vl::ui::wxb
