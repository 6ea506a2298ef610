#include "services/messages.h"

#include <gtest/gtest.h>

#include "platform/base/errors.h"
#include "recording_message_boxes.h"

namespace {

using vl::services::AskYesNo;
using vl::services::ShowMessage;
using vl::services::ShowTrace;
using vl::test::RecordingMessageBoxes;
using vl::ui::Button;
using vl::ui::Icon;

TEST(ShowMessage, EachKindHasItsIconBeepAndText) {
  struct Case {
    int kind;
    Icon icon;
    bool beep;
    const char* text;
  } cases[] = {
      {0, Icon::Information, false, "Download complete."},
      {1, Icon::Exclamation, true, "Download complete."},
      {2, Icon::Exclamation, true, "Download complete.||Error: File Not Found"},
  };
  for (const auto& c : cases) {
    RecordingMessageBoxes boxes;
    vl::platform::setFileError(2, "File Not Found");
    ShowMessage("Download complete.", "ignored", c.kind, true);
    ASSERT_EQ(boxes.boxes.size(), 1u) << c.kind;
    const auto& box = boxes.boxes[0];
    EXPECT_EQ(box.caption, "Message") << c.kind;
    EXPECT_EQ(box.text, c.text) << c.kind;
    EXPECT_EQ(box.icon, c.icon) << c.kind;
    EXPECT_EQ(box.beep, c.beep) << c.kind;
    EXPECT_EQ(box.buttons, std::vector<Button>{Button::Ok}) << c.kind;
    // The busy cursor a caller may have set goes before the box appears.
    EXPECT_EQ(boxes.events, (std::vector<std::string>{"cursor:normal", "box:Message"})) << c.kind;
  }
  vl::platform::clearFileError();
}

TEST(ShowMessage, ErrorKindCutsTrailingBlanksAndShowsNothingAfterASuccess) {
  RecordingMessageBoxes boxes;
  vl::platform::clearFileError();
  ShowMessage("Error copying VLSECR.EXE.   ", "", 2, true);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Error copying VLSECR.EXE.||Error: ");
}

TEST(ShowMessage, UnknownKindShowsNoBox) {
  RecordingMessageBoxes boxes;
  ShowMessage("text", "caption", 3, false);
  ShowMessage("text", "caption", -1, false);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST(MessageCaptions, ExplicitCaptionIsUsedUnchangedEvenBlankAndCutAt80) {
  const std::string longCaption(90, 'C');
  struct Case {
    std::string given;
    std::string shown;
  } cases[] = {{"GetFileDetails", "GetFileDetails"}, {"", ""}, {"   ", "   "}, {longCaption, longCaption.substr(0, 80)}};
  for (const auto& c : cases) {
    RecordingMessageBoxes boxes;
    ShowMessage("a", c.given, 0, false);
    AskYesNo("b", c.given, false, 1, false);
    ShowTrace("c", c.given, false);
    ASSERT_EQ(boxes.boxes.size(), 3u);
    for (const auto& box : boxes.boxes) EXPECT_EQ(box.caption, c.shown) << box.text;
  }
}

TEST(MessageTexts, LineBreaksArePassedAsWritten) {
  RecordingMessageBoxes boxes;
  ShowMessage("Error updating new ECR software version.||", "", 0, true);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Error updating new ECR software version.||");
}

TEST(AskYesNo, TrueOnlyForYes) {
  struct Case {
    Button answer;
    bool result;
  } cases[] = {{Button::Yes, true}, {Button::No, false}, {Button::Ok, false}};
  for (const auto& c : cases) {
    RecordingMessageBoxes boxes;
    boxes.answer("Retry?", c.answer);
    EXPECT_EQ(AskYesNo("Retry?", "", true, 1, false), c.result);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    const auto& box = boxes.boxes[0];
    EXPECT_EQ(box.caption, "Message");
    EXPECT_EQ(box.icon, Icon::Question);
    EXPECT_FALSE(box.beep);
    EXPECT_EQ(box.buttons, (std::vector<Button>{Button::Yes, Button::No}));
    // No beep and the cursor is left alone.
    EXPECT_EQ(boxes.events, std::vector<std::string>{"box:Message"});
  }
}

TEST(AskYesNo, YesDefaultFlagOverridesTheDefaultButton) {
  struct Case {
    int defaultButton;
    bool yesDefault;
    Button focused;
  } cases[] = {
      {1, false, Button::Yes},
      {2, false, Button::No},
      {2, true, Button::Yes},
      {1, true, Button::Yes},
  };
  for (const auto& c : cases) {
    RecordingMessageBoxes boxes;
    // Unanswered, the box closes with its default: the result shows it too.
    const bool result = AskYesNo("SQL?", "x", true, c.defaultButton, c.yesDefault);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].defaultButton, c.focused) << c.defaultButton << c.yesDefault;
    EXPECT_EQ(result, c.focused == Button::Yes);
  }
}

TEST(ShowTrace, InformationBoxWithTraceCaptionNoBeepCursorUntouched) {
  RecordingMessageBoxes boxes;
  ShowTrace("Renaming POSID.TPS", "ignored", true);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  const auto& box = boxes.boxes[0];
  EXPECT_EQ(box.caption, "Trace Message");
  EXPECT_EQ(box.text, "Renaming POSID.TPS");
  EXPECT_EQ(box.icon, Icon::Information);
  EXPECT_FALSE(box.beep);
  EXPECT_EQ(box.buttons, std::vector<Button>{Button::Ok});
  EXPECT_EQ(boxes.events, std::vector<std::string>{"box:Trace Message"});
}

}  // namespace
