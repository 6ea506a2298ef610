#include "touch/keyboard_window.h"

namespace vl::touch {
namespace {

using ui::ControlKind;

constexpr std::string_view kKeyFont = "Arial,10,bold";

constexpr ui::ControlDesc key(std::string_view id, std::string_view caption, int x, int y, int width, int height) {
  return {.id = id, .kind = ControlKind::Button, .text = caption, .at = {x, y, width, height}, .font = kKeyFont};
}

constexpr ui::ControlDesc kControls[] = {
    key("?KBD01", "1", 1, 19, 28, 20),
    key("?KBD02", "2", 29, 19, 28, 20),
    key("?KBD03", "3", 57, 19, 28, 20),
    key("?KBD04", "4", 85, 19, 28, 20),
    key("?KBD05", "5", 113, 19, 28, 20),
    key("?KBD06", "6", 141, 19, 28, 20),
    key("?KBD07", "7", 169, 19, 28, 20),
    key("?KBD08", "8", 197, 19, 28, 20),
    key("?KBD09", "9", 225, 19, 28, 20),
    key("?KBD010", "0", 253, 19, 28, 20),
    key("?KBD011", "-", 281, 19, 28, 20),
    key("?KBD012", "=", 309, 19, 28, 20),
    key("?KBD1", "q", 6, 39, 28, 20),
    key("?KBD2", "w", 34, 39, 28, 20),
    key("?KBD3", "e", 62, 39, 28, 20),
    key("?KBD4", "r", 90, 39, 28, 20),
    key("?KBD5", "t", 118, 39, 28, 20),
    key("?KBD6", "y", 146, 39, 28, 20),
    key("?KBD7", "u", 174, 39, 28, 20),
    key("?KBD8", "i", 202, 39, 28, 20),
    key("?KBD9", "o", 230, 39, 28, 20),
    key("?KBD10", "p", 258, 39, 28, 20),
    key("?KBD11", "[", 286, 39, 28, 20),
    key("?KBD12", "]", 314, 39, 28, 20),
    key("?KBD24", "\\", 342, 39, 38, 20),
    key("?KBD13", "a", 11, 59, 28, 20),
    key("?KBD14", "s", 39, 59, 28, 20),
    key("?KBD15", "d", 67, 59, 28, 20),
    key("?KBD16", "f", 95, 59, 28, 20),
    key("?KBD17", "g", 123, 59, 28, 20),
    key("?KBD18", "h", 151, 59, 28, 20),
    key("?KBD19", "j", 179, 59, 28, 20),
    key("?KBD20", "k", 207, 59, 28, 20),
    key("?KBD21", "l", 235, 59, 28, 20),
    key("?KBD22", ";", 263, 59, 28, 20),
    key("?KBD23", "'", 291, 59, 28, 20),
    key("?KBD25", "z", 31, 79, 28, 20),
    key("?KBD26", "x", 59, 79, 28, 20),
    key("?KBD27", "c", 87, 79, 28, 20),
    key("?KBD28", "v", 115, 79, 28, 20),
    key("?KBD29", "b", 143, 79, 28, 20),
    key("?KBD30", "n", 171, 79, 28, 20),
    key("?KBD31", "m", 199, 79, 28, 20),
    key("?KBD33", ",", 227, 79, 28, 20),
    key("?KBD34", ".", 255, 79, 28, 20),
    key("?KBD35", "/", 283, 79, 28, 20),
    key("?KBDBACKSPACE", "BackSpace", 337, 19, 43, 20),
    key("?KBDENTER", "Enter", 319, 59, 61, 20),
    key("?KBDSHIFT", "Shift", 311, 79, 69, 20),
    key("?KBDSPACEBAR", "Spacebar", 81, 99, 215, 19),
    key("?KBDCANCEL", "Cancel", 311, 99, 69, 19),
    key("?KBDCAPS", "Caps", 3, 79, 28, 20),
    key("?KBDCLEAR", "Clear", 2, 99, 57, 19),
    // Wide enough for any text the keyboard types.
    {.id = "?RETSTRING", .kind = ControlKind::Entry, .at = {2, 3, 378, 12}, .picture = "@s254"},
};

static_assert(std::size(kControls) == kRetString);

}  // namespace

const ui::WindowDesc kKeyboardWindow{.name = "P1$TOUCHKEYPAD",
                                     .caption = "Vorlan Smart PointOfSale",
                                     .width = 382,
                                     .height = 119,
                                     .modal = true,
                                     .controls = kControls};

}  // namespace vl::touch
