// The keypad window driven by the robot: each key, the length limit, the
// number kinds, Cancel and the close box, and the access prompt.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/ui/window.h"
#include "touch/keypad.h"
#include "touch/keypad_text.h"
#include "touch/keypad_window.h"
#include "touch_fixture.h"

namespace vl::touch::test {
namespace {

struct KeypadCase {
  const char* name;
  KeypadKind kind;
  const char* start;   // the caller's text
  std::size_t length;
  const char* keys;    // keypad keys pressed, then the entry is dumped
  const char* finish;  // "OKKEY", "CANCELKEY" or "close"
  const char* shown;   // what the entry showed before the finishing key
  const char* result;  // the caller's text afterwards
  int windowResult;
  int beeps;
};

// Keys as the user sees them written on the keypad.
std::string keypadScript(const std::string& keys) {
  static const std::map<std::string, std::string> ids = {
      {"0", "ZERO"}, {"1", "ONE"}, {"2", "TWO"},   {"3", "THREE"}, {"4", "FOUR"},      {"5", "FIVE"},
      {"6", "SIX"},  {"7", "SEVEN"}, {"8", "EIGHT"}, {"9", "NINE"}, {".", "DOT"},       {"C", "CKEY"},
      {"+", "PLUSKEY"}, {"-", "MINUSKEY"}, {"Clear", "CLEARKEY"}};
  std::istringstream in(keys);
  std::string names;
  for (std::string key; in >> key;) names += ids.at(key) + " ";
  return presses(names);
}

void PrintTo(const KeypadCase& c, std::ostream* os) { *os << c.name; }

class KeypadKeys : public TouchTest, public ::testing::WithParamInterface<KeypadCase> {};

TEST_P(KeypadKeys, EditTheTextInPlace) {
  const KeypadCase& c = GetParam();
  std::string text = c.start;
  std::string script = "wait P1$MODALWINDOW\n" + keypadScript(c.keys) + "dump ?OUTNUMBER\n";
  script += std::string(c.finish) == "close" ? "close\n" : "press ?" + std::string(c.finish) + "\n";
  ASSERT_EQ(run(script, [&] { KeypadEntry(state, "", text, c.length, c.kind); }), 0);
  EXPECT_EQ(shown("?OUTNUMBER"), std::vector<std::string>{c.shown});
  EXPECT_EQ(text, c.result);
  EXPECT_EQ(state.WindowResult, c.windowResult);
  EXPECT_EQ(linesWith({"\"event\":\"beep\""}).size(), static_cast<std::size_t>(c.beeps));
}

constexpr KeypadKind kDec = KeypadKind::Decimal;
constexpr KeypadKind kWhole = KeypadKind::WholeNumber;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeypadKeys,
    ::testing::Values(
        KeypadCase{"DigitsAndPoint", kDec, "", 32, "1 2 . 5 0", "OKKEY", "12.50", "12.50", 1, 0},
        KeypadCase{"SecondPointBeeps", kDec, "", 32, "1 . 5 .", "OKKEY", "1.5", "1.5", 1, 1},
        KeypadCase{"DigitsAppendAfterTheStartingText", kWhole, "42", 20, "7", "OKKEY", "427", "427", 1, 0},
        KeypadCase{"CRemovesTheLastCharacter", kDec, "", 32, "1 2 3 C", "OKKEY", "12", "12", 1, 0},
        KeypadCase{"COnBlankDoesNothing", kDec, "", 32, "C 5", "OKKEY", "5", "5", 1, 0},
        KeypadCase{"ClearBlanks", kWhole, "45", 20, "Clear 7", "OKKEY", "7", "7", 1, 0},
        KeypadCase{"PlusOnBlankGivesOne", kWhole, "", 20, "+", "OKKEY", "1", "1", 1, 0},
        KeypadCase{"PlusAddsOne", kWhole, "99", 20, "+ +", "OKKEY", "101", "101", 1, 0},
        KeypadCase{"PlusKeepsTheDecimals", kDec, "2.50", 32, "+", "OKKEY", "3.50", "3.50", 1, 0},
        KeypadCase{"MinusSubtractsOne", kWhole, "5", 20, "- -", "OKKEY", "3", "3", 1, 0},
        KeypadCase{"MinusStopsAtZero", kWhole, "1", 20, "- - -", "OKKEY", "0", "0", 1, 0},
        KeypadCase{"MinusOnNegativeDoesNothing", kDec, "-3", 32, "-", "OKKEY", "-3", "-3", 1, 0},
        KeypadCase{"PlusNeverOutgrowsTheLength", kWhole, "99", 2, "+", "OKKEY", "99", "99", 1, 0},
        KeypadCase{"DigitsBeyondTheLengthAreLost", kWhole, "", 4, "1 2 3 4 5 6", "OKKEY", "1234", "1234", 1, 0},
        KeypadCase{"ZeroAtOpeningShowsBlank", kDec, "000", 32, "", "OKKEY", "", "", 1, 0},
        KeypadCase{"CancelGivesBackTheStartingText", kWhole, "15", 20, "Clear 9 9", "CANCELKEY", "99", "15", 2, 0},
        KeypadCase{"CloseBoxCancels", kWhole, "15", 20, "3", "close", "153", "15", 2, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TouchTest, WholeNumberKindDisablesThePoint) {
  std::string text;
  const int code = run("wait P1$MODALWINDOW\ndump ?DOT\npress ?DOT\n",
                       [&] { KeypadEntry(state, "", text, 20, KeypadKind::WholeNumber); });
  EXPECT_EQ(code, ui::kRobotFailed);
  ASSERT_EQ(linesWith({"\"id\":\"?DOT\"", "\"enabled\":false"}).size(), 1u);
  EXPECT_EQ(linesWith({"\"event\":\"error\"", "?DOT", "is disabled"}).size(), 1u);
  EXPECT_EQ(text, "");
  EXPECT_EQ(state.WindowResult, kWindowCancelled);
}

TEST_F(TouchTest, OutsidePasswordModeOkTakesWhateverWasTyped) {
  std::string text;
  ASSERT_EQ(run("type ?OUTNUMBER 12abc\npress ?OKKEY\n",
                [&] { KeypadEntry(state, "Amount", text, 32, KeypadKind::Decimal); }),
            0);
  EXPECT_EQ(text, "12abc");
  EXPECT_EQ(state.WindowResult, kWindowCompleted);
  EXPECT_EQ(linesWith({"\"control\":\"?LOCAMOUNTPROMPT\"", "\"text\":\"Amount:\""}).size(), 1u);
}

TEST_F(TouchTest, AccessPromptRefusesAWrongCodeUntilTheRightOne) {
  std::string text;
  const std::string script = "wait P1$MODALWINDOW\n" + keypadScript("1 2 3") + "press ?OKKEY\ndump ?OUTNUMBER\n" +
                             keypadScript("Clear 0") + "dump ?OUTNUMBER\n" + keypadScript("1 2 6 4 8 7") +
                             "press ?OKKEY\n";
  ASSERT_EQ(run(script, [&] { KeypadEntry(state, "Password:", text, 32, KeypadKind::Decimal); }), 0);
  EXPECT_EQ(linesWith({"\"control\":\"?LOCAMOUNTPROMPT\"", "\"text\":\"Password:\""}).size(), 1u);
  const auto boxes = linesWith({"\"event\":\"message\""});
  ASSERT_EQ(boxes.size(), 1u);
  for (const char* piece : {"\"caption\":\"Message\"", "\"text\":\"Invalid password.||Try again.\"",
                            "\"icon\":\"information\"", "\"beep\":true", "\"buttons\":[\"OK\"]"}) {
    EXPECT_NE(boxes[0].find(piece), std::string::npos) << piece;
  }
  // Masked, and the refused code stays for the user to correct.
  EXPECT_EQ(shown("?OUTNUMBER"), (std::vector<std::string>{"***", "*"}));
  // Compared as a number: the leading zero does not matter.
  EXPECT_EQ(text, "0126487");
  EXPECT_EQ(state.WindowResult, kWindowCompleted);
}

TEST_F(TouchTest, AccessPromptTakesTheCodeTypedOnAKeyboard) {
  std::string text = "        ";
  ASSERT_EQ(run("access-code ?OUTNUMBER\npress ?OKKEY\n",
                [&] { KeypadEntry(state, "Password:", text, 32, KeypadKind::Decimal); }),
            0);
  EXPECT_EQ(text, "126487");
  EXPECT_EQ(state.WindowResult, kWindowCompleted);
  EXPECT_TRUE(linesWith({"\"event\":\"message\""}).empty());
}

TEST_F(TouchTest, CancelledAccessPromptReportsCancelled) {
  std::string text;
  ASSERT_EQ(run(keypadScript("9") + "press ?CANCELKEY\n",
                [&] { KeypadEntry(state, "Password:", text, 32, KeypadKind::Decimal); }),
            0);
  EXPECT_EQ(text, "");
  EXPECT_EQ(state.WindowResult, kWindowCancelled);
}

// The entry's alert key (Enter on a real keyboard, the end of a card swipe)
// presses OK for anything that looks like a code, and is ignored otherwise.
TEST_F(TouchTest, AlertKeyPressesOkForCodeLikeText) {
  std::string text;
  StepBackend robot({[](ui::Window& w) {
                       w.userType(kOutNumber, "abc");
                       w.post(ui::EventKind::AlertKey, kOutNumber);
                     },
                     [](ui::Window& w) {
                       w.userType(kOutNumber, "126487");
                       w.post(ui::EventKind::AlertKey, kOutNumber);
                     }});
  KeypadEntry(state, "Password:", text, 32, KeypadKind::Decimal);
  EXPECT_EQ(robot.stepsLeft(), 0u);
  EXPECT_EQ(text, "126487");
  EXPECT_EQ(state.WindowResult, kWindowCompleted);
}

struct LabelCase {
  const char* prompt;
  const char* label;
};

class KeypadLabel : public ::testing::TestWithParam<LabelCase> {};

TEST_P(KeypadLabel, BuiltFromThePrompt) { EXPECT_EQ(keypadLabel(GetParam().prompt), GetParam().label); }

INSTANTIATE_TEST_SUITE_P(Prompts, KeypadLabel,
                         ::testing::Values(LabelCase{"", ""}, LabelCase{"   ", ""}, LabelCase{"Amount", "Amount:"},
                                           LabelCase{"Amount   ", "Amount:"}, LabelCase{"Qty: ", "Qty: "},
                                           LabelCase{"Password:", "Password:"}));

}  // namespace
}  // namespace vl::touch::test
