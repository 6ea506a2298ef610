#include "touch/keypad_window.h"

namespace vl::touch {
namespace {

using ui::ControlKind;

// The key pictures are linked into the program under their design-time names.
constexpr ui::ControlDesc key(std::string_view id, int x, int y, int width, int height, std::string_view picture) {
  return {.id = id, .kind = ControlKind::Button, .at = {x, y, width, height}, .attrs = ui::kFlat, .icon = picture};
}

constexpr ui::ControlDesc kControls[] = {
    key("?SEVEN", 6, 68, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\7_flat_grey.jpg"),
    key("?EIGHT", 42, 68, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\8_flat_grey.jpg"),
    key("?NINE", 78, 68, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\9_flat_grey.jpg"),
    key("?FOUR", 6, 100, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\4_flat_grey.jpg"),
    key("?FIVE", 42, 100, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\5_flat_grey.jpg"),
    key("?SIX", 78, 100, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\6_flat_grey.jpg"),
    key("?ONE", 6, 132, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\1_flat_grey.jpg"),
    key("?TWO", 42, 132, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\2_flat_grey.jpg"),
    key("?THREE", 78, 132, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\3_flat_grey.jpg"),
    key("?ZERO", 6, 164, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\0_flat_grey.jpg"),
    key("?DOT", 42, 164, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\decimalpoint_flat_grey.jpg"),
    key("?CANCELKEY", 78, 164, 72, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\cancel_2wide_flat_grey.jpg"),
    key("?CKEY", 6, 36, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\c_flat_grey.jpg"),
    key("?PLUSKEY", 42, 36, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\plus_flat_grey.jpg"),
    key("?MINUSKEY", 78, 36, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\minus_flat_grey.jpg"),
    key("?CLEARKEY", 114, 36, 36, 32, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\clear_flat_grey.jpg"),
    key("?OKKEY", 114, 68, 36, 96, "~C:\\VLSDev\\Images\\POSNumKeypads\\Grey\\OK_3tall_flat_grey.jpg"),
    // Enter in the entry is its alert key: a card swipe or a typed code ends with it.
    {.id = "?OUTNUMBER", .kind = ControlKind::Entry, .at = {7, 21, 142, 12}, .attrs = ui::kAlertEnter,
     .picture = "@s30", .font = "MS Sans Serif,12"},
    {.id = "?LOCAMOUNTPROMPT", .kind = ControlKind::Text, .at = {7, 4, 142, 14}, .attrs = ui::kBold,
     .picture = "@s50", .variable = "LOCAMOUNTPROMPT", .font = "MS Sans Serif,14,bold"},
};

}  // namespace

const ui::WindowDesc kKeypadWindow{.name = "P1$MODALWINDOW",
                                   .caption = "Vorlan Smart PointOfSale",
                                   .width = 157,
                                   .height = 202,
                                   .modal = true,
                                   .controls = kControls};

char keypadCharacter(int control) {
  switch (control) {
    case kKeySeven: return '7';
    case kKeyEight: return '8';
    case kKeyNine: return '9';
    case kKeyFour: return '4';
    case kKeyFive: return '5';
    case kKeySix: return '6';
    case kKeyOne: return '1';
    case kKeyTwo: return '2';
    case kKeyThree: return '3';
    case kKeyZero: return '0';
    case kKeyDot: return '.';
    default: return '\0';
  }
}

}  // namespace vl::touch
