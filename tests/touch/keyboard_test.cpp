// The on-screen keyboard driven by the robot over a small caller window: the
// character keys, Shift, Caps, Spacebar, BackSpace, Clear, Enter and Cancel,
// the live copy into the field, and numeric fields handed to the keypad.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/ui/window.h"
#include "touch/touch_keyboard.h"
#include "touch_fixture.h"

namespace vl::touch::test {
namespace {

using ui::ControlKind;

enum CallerField : int { kName = 1, kFolder, kLocation, kNotes, kPlain };

constexpr ui::ControlDesc kCallerControls[] = {
    {.id = "?USERNAME", .kind = ControlKind::Entry, .attrs = ui::kCapitalised, .picture = "@s50"},
    {.id = "?FTP:LOCALFTP", .kind = ControlKind::Entry, .attrs = ui::kUpperCase, .picture = "@s80"},
    {.id = "?LOCATIONID", .kind = ControlKind::Entry, .picture = "@n4b"},
    {.id = "?NOTES", .kind = ControlKind::Entry, .attrs = ui::kMultiLine, .picture = "@s300"},
    {.id = "?PLAIN", .kind = ControlKind::Entry, .picture = "@s20"},
};
constexpr ui::WindowDesc kCaller{.name = "P1$CALLER", .caption = "Caller", .width = 200, .height = 100,
                                 .controls = kCallerControls};

// The key ids in key order and what they type unshifted (the US layout).
constexpr std::string_view kLayout = "1234567890-=qwertyuiop[]\\asdfghjkl;'zxcvbnm,./";
const char* const kKeyIds[] = {"KBD01", "KBD02", "KBD03", "KBD04", "KBD05", "KBD06", "KBD07", "KBD08", "KBD09",
                               "KBD010", "KBD011", "KBD012", "KBD1", "KBD2", "KBD3", "KBD4", "KBD5", "KBD6",
                               "KBD7", "KBD8", "KBD9", "KBD10", "KBD11", "KBD12", "KBD24", "KBD13", "KBD14",
                               "KBD15", "KBD16", "KBD17", "KBD18", "KBD19", "KBD20", "KBD21", "KBD22", "KBD23",
                               "KBD25", "KBD26", "KBD27", "KBD28", "KBD29", "KBD30", "KBD31", "KBD33", "KBD34",
                               "KBD35"};

// The keys that type `text` with neither Shift nor Caps; "_" is the Spacebar,
// "<" BackSpace, "^" Shift, "#" Caps, "~" Clear.
std::string keysFor(std::string_view text) {
  std::string ids;
  for (char c : text) {
    switch (c) {
      case '_': ids += "KBDSPACEBAR "; break;
      case '<': ids += "KBDBACKSPACE "; break;
      case '^': ids += "KBDSHIFT "; break;
      case '#': ids += "KBDCAPS "; break;
      case '~': ids += "KBDCLEAR "; break;
      default: ids += std::string(kKeyIds[kLayout.find(c)]) + " ";
    }
  }
  return ids;
}

struct KeyboardCase {
  const char* name;
  int control;         // the caller's field
  const char* start;   // the field's on-screen text
  const char* keys;    // see keysFor
  const char* finish;  // "KBDENTER", "KBDCANCEL" or "close"
  const char* typed;   // the text line before the finishing key
  const char* fieldText;  // the field's on-screen text afterwards
  int windowResult;
};

void PrintTo(const KeyboardCase& c, std::ostream* os) { *os << c.name; }

class KeyboardKeys : public TouchTest, public ::testing::WithParamInterface<KeyboardCase> {
 protected:
  std::string returned;
  std::string fieldAfter;

  int runKeyboard(int field, const std::string& start, const std::string& script) {
    return run(script, [&] {
      ui::Window caller(kCaller);
      caller.open();
      caller.setText(field, start);
      // As the setup window calls it: the field's own on-screen text, which the keyboard changes.
      returned = TouchKeyboard(state, caller, field, caller.text(field));
      fieldAfter = caller.text(field);
    });
  }
};

TEST_P(KeyboardKeys, TypeIntoTheField) {
  const KeyboardCase& c = GetParam();
  std::string script = "wait P1$TOUCHKEYPAD\n" + presses(keysFor(c.keys)) + "dump ?RETSTRING\n";
  script += std::string(c.finish) == "close" ? "close\n" : "press ?" + std::string(c.finish) + "\n";
  ASSERT_EQ(runKeyboard(c.control, c.start, script), 0);
  EXPECT_EQ(shown("?RETSTRING"), std::vector<std::string>{c.typed});
  EXPECT_EQ(fieldAfter, c.fieldText);
  EXPECT_EQ(returned, c.fieldText);
  EXPECT_EQ(state.WindowResult, c.windowResult);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardKeys,
    ::testing::Values(
        KeyboardCase{"CharacterKeysAppend", kPlain, "x", "ab1;", "KBDENTER", "xab1;", "xab1;", 1},
        KeyboardCase{"ShiftActsOnOneCharacter", kPlain, "", "^ab^1", "KBDENTER", "Ab!", "Ab!", 1},
        KeyboardCase{"ShiftTwiceIsOff", kPlain, "", "^^a", "KBDENTER", "a", "a", 1},
        KeyboardCase{"AmpersandKeyTypesOneAmpersand", kPlain, "", "^7", "KBDENTER", "&", "&", 1},
        // Caps shifts the letters; digits and punctuation keep their own characters.
        KeyboardCase{"CapsShiftsLettersOnly", kPlain, "", "#ab/1\\;", "KBDENTER", "AB/1\\;", "AB/1\\;", 1},
        KeyboardCase{"ShiftStaysOnWhileCapsIsOn", kPlain, "", "#^a/1^/a", "KBDENTER", "A?!/A", "A?!/A", 1},
        KeyboardCase{"CapsOffTakesShiftWithIt", kPlain, "", "#^#a/", "KBDENTER", "a/", "a/", 1},
        KeyboardCase{"CapitalisingFieldStartsEachWord", kName, "", "john_smith", "KBDENTER", "John Smith",
                     "John Smith", 1},
        KeyboardCase{"CapsInACapitalisingFieldLeavesPunctuation", kName, "x", "#a_/", "KBDENTER", "xA /", "xA /",
                     1},
        KeyboardCase{"ClearInACapitalisingFieldCapitalises", kName, "Old", "~new", "KBDENTER", "New", "New", 1},
        KeyboardCase{"ClearOnAnEmptyTextDoesNotShift", kName, "Old", "<<<~a", "KBDENTER", "a", "a", 1},
        KeyboardCase{"BackSpaceRemovesBlanksToo", kPlain, "ab", "_<<", "KBDENTER", "a", "a", 1},
        KeyboardCase{"BackSpaceOnEmptyDoesNothing", kPlain, "", "<a", "KBDENTER", "a", "a", 1},
        KeyboardCase{"MultiLineFieldOpensWithShift", kNotes, "", "ab", "KBDENTER", "Ab", "Ab", 1},
        KeyboardCase{"UpperCaseFieldTakesACloudFolder", kFolder, "", "acme/shopf12", "KBDENTER", "ACME/SHOPF12",
                     "ACME/SHOPF12", 1},
        KeyboardCase{"UpperCaseFieldTakesABackslash", kFolder, "", "acme\\shop", "KBDENTER", "ACME\\SHOP",
                     "ACME\\SHOP", 1},
        KeyboardCase{"CancelPutsTheStartingTextBack", kPlain, "Old", "xy", "KBDCANCEL", "Oldxy", "Old", 2},
        KeyboardCase{"CancelPutsALongStartingTextBack", kNotes, "Twenty-eight characters long", "xy", "KBDCANCEL",
                     "Twenty-eight characters longxy", "Twenty-eight characters long", 2},
        KeyboardCase{"CloseBoxKeepsTheTypedText", kPlain, "Old", "xy", "close", "Oldxy", "Oldxy", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyboardKeys, EveryKeyIsCopiedIntoTheFieldAtOnce) {
  const std::string script = "wait P1$TOUCHKEYPAD\n" + presses(keysFor("a")) + "dump P1$CALLER\n" +
                             presses(keysFor("b")) + "dump P1$CALLER\npress ?KBDCANCEL\n";
  ASSERT_EQ(runKeyboard(kPlain, "", script), 0);
  EXPECT_EQ(shown("?PLAIN"), (std::vector<std::string>{"a", "ab"}));
  EXPECT_EQ(fieldAfter, "");
}

TEST_F(KeyboardKeys, CaptionsFollowShiftAndCaps) {
  const std::string script = "wait P1$TOUCHKEYPAD\ndump P1$TOUCHKEYPAD\npress ?KBDSHIFT\ndump P1$TOUCHKEYPAD\n"
                             "press ?KBDSHIFT\npress ?KBDCAPS\ndump P1$TOUCHKEYPAD\npress ?KBDENTER\n";
  ASSERT_EQ(runKeyboard(kPlain, "", script), 0);
  auto captions = [&](std::size_t dump) {
    std::string all;
    for (const char* id : kKeyIds) all += shown("?" + std::string(id)).at(dump);
    return all;
  };
  EXPECT_EQ(captions(0), "1234567890-=qwertyuiop[]\\asdfghjkl;'zxcvbnm,./");
  EXPECT_EQ(captions(1), "!@#$%^&&*()_+QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?");
  EXPECT_EQ(captions(2), "1234567890-=QWERTYUIOP[]\\ASDFGHJKL;'ZXCVBNM,./");
}

TEST_F(KeyboardKeys, UpperCaseFieldLocksCapsOn) {
  ASSERT_EQ(runKeyboard(kFolder, "", "wait P1$TOUCHKEYPAD\ndump ?KBDCAPS\npress ?KBDCAPS\n"), ui::kRobotFailed);
  EXPECT_EQ(linesWith({"\"id\":\"?KBDCAPS\"", "\"enabled\":false"}).size(), 1u);
}

TEST_F(KeyboardKeys, TextTypedOnARealKeyboardIsTakenOver) {
  ASSERT_EQ(runKeyboard(kPlain, "x", "type ?RETSTRING hello\npress ?KBDSHIFT\npress ?KBD1\npress ?KBDENTER\n"), 0);
  EXPECT_EQ(fieldAfter, "helloQ");
  EXPECT_EQ(returned, "helloQ");
}

TEST_F(KeyboardKeys, TypedTextStopsAt254Characters) {
  const std::string full(254, 'x');
  ASSERT_EQ(runKeyboard(kNotes, full, presses(keysFor("a")) + "press ?KBDENTER\n"), 0);
  EXPECT_EQ(returned, full);
  EXPECT_EQ(fieldAfter, full);
}

TEST_F(KeyboardKeys, NumericFieldGoesToTheKeypad) {
  ASSERT_EQ(runKeyboard(kLocation, "7", "wait P1$MODALWINDOW\ndump ?DOT\n" + presses("ONE TWO OKKEY")), 0);
  EXPECT_EQ(fieldAfter, "712");
  EXPECT_EQ(returned, "712");
  EXPECT_EQ(state.WindowResult, kWindowCompleted);
  EXPECT_TRUE(linesWith({"\"window\":\"P1$TOUCHKEYPAD\""}).empty());
  EXPECT_EQ(linesWith({"\"id\":\"?DOT\"", "\"enabled\":false"}).size(), 1u);
}

TEST_F(KeyboardKeys, NumericFieldTakesNoMoreDigitsThanItHolds) {
  ASSERT_EQ(runKeyboard(kLocation, "", presses("ONE TWO THREE FOUR FIVE OKKEY")), 0);
  EXPECT_EQ(fieldAfter, "1234");
}

TEST_F(KeyboardKeys, CancelledKeypadLeavesTheNumericFieldAlone) {
  ASSERT_EQ(runKeyboard(kLocation, "7", presses("CLEARKEY NINE CANCELKEY")), 0);
  EXPECT_EQ(fieldAfter, "7");
  EXPECT_EQ(returned, "7");
  EXPECT_EQ(state.WindowResult, kWindowCancelled);
}

}  // namespace
}  // namespace vl::touch::test
