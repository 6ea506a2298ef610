// Reading robot scripts and choosing message-box answers.
#include <gtest/gtest.h>

#include "platform/ui/answer_rules.h"
#include "platform/ui/json_line.h"
#include "platform/ui/robot_script.h"

namespace vl::ui {
namespace {

TEST(RobotScript, SplitsWordsWithQuotesEscapesAndComments) {
  struct Case {
    std::string line;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"press ?OKBUTTON", {"press", "?OKBUTTON"}},
      {"  type\t?USERNAME   \"Ilvo Test\"  ", {"type", "?USERNAME", "Ilvo Test"}},
      {R"(type ?X "say \"hi\" \\ C:\VORLAN")", {"type", "?X", R"(say "hi" \ C:\VORLAN)"}},
      {R"(type ?FTP:LOCALFTP acme\shopf12)", {"type", "?FTP:LOCALFTP", R"(acme\shopf12)"}},
      {"type ?X \"\"", {"type", "?X", ""}},
      {"answer Yes \"# not a comment\" # a comment", {"answer", "Yes", "# not a comment"}},
      {"# only a comment", {}},
      {"dump 15#x", {"dump", "15#x"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(splitScriptLine(c.line), c.words);
  }
}

TEST(RobotScript, KeepsLineNumbersAndRejectsBadLinesClearly) {
  const auto script = parseScript("# start\r\n\nwait P1$FTPINSTALLER\r\nPRESS 67\n");
  ASSERT_EQ(script.size(), 2u);
  EXPECT_EQ(script[0].line, 3);
  EXPECT_EQ(script[1].verb, "press");
  EXPECT_EQ(script[1].source, "PRESS 67");

  struct Bad {
    std::string text;
    std::string message;
  };
  const Bad bad[] = {
      {"wait A\npres ?OK", "script line 2: unknown command \"pres\""},
      {"type ?X", "script line 1: expected \"type CONTROL TEXT\""},
      {"close now", "script line 1: expected \"close\""},
      {"type ?X \"open", "script line 1: a quote is not closed"},
      {"type ?X \"a\"b", "script line 1: text follows a closing quote"},
      {"answer Maybe", "script line 1: answer takes OK, Yes or No, not Maybe"},
      {"wait", "script line 1: expected \"wait WINDOWNAME\""},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.text);
    try {
      parseScript(b.text);
      ADD_FAILURE() << "accepted";
    } catch (const ScriptError& e) {
      EXPECT_EQ(std::string(e.what()), b.message);
    }
  }
}

TEST(AnswerRules, LaterRulesWinTextMustMatchAndUnansweredBoxesGetTheirDefault) {
  AnswerRules rules;
  MessageBoxRequest retry{.caption = "Message", .text = "Connection lost.|Retry?",
                          .buttons = {Button::Yes, Button::No}, .defaultButton = Button::Yes};
  MessageBoxRequest info{.caption = "Message", .text = "Download complete."};
  EXPECT_EQ(rules.choose(retry), Button::Yes);  // no rule: the default
  rules.add({Button::No, ""});
  EXPECT_EQ(rules.choose(retry), Button::No);
  EXPECT_EQ(rules.choose(info), Button::Ok);  // No is not offered: the default
  rules.add({Button::Yes, "Retry?"});
  EXPECT_EQ(rules.choose(retry), Button::Yes);
  rules.add({Button::No, "lost.|Re"});  // the text as built, "|" included
  EXPECT_EQ(rules.choose(retry), Button::No);
  rules.add({Button::Yes, "retry?"});  // case matters
  EXPECT_EQ(rules.choose(retry), Button::No);
  EXPECT_EQ(parseButton("ok"), Button::Ok);
  EXPECT_THROW(parseButton("Cancel"), std::invalid_argument);
}

TEST(JsonLine, EscapesEverythingJsonNeedsAndKeepsUtf8) {
  struct Case {
    std::string text, json;
  };
  const Case cases[] = {
      {"plain |kept|", "\"plain |kept|\""},
      {"quote \" back \\", R"("quote \" back \\")"},
      {"line\r\nbreak\ttab", R"("line\r\nbreak\ttab")"},
      {std::string("nul\0bell\x07", 9), R"("nul\u0000bell\u0007")"},
      {"Zürich €", "\"Zürich €\""},
      {"caf\xe9", R"("caf\u00e9")"},          // a Windows-1252 byte, not UTF-8
      {"\xc3(", R"("\u00c3(")"},              // a broken sequence
      {"\xed\xa0\x80", R"("\u00ed\u00a0\u0080")"},  // an encoded surrogate is not valid UTF-8
  };
  for (const Case& c : cases) EXPECT_EQ(jsonString(c.text), c.json);
  EXPECT_EQ(JsonLine().add("event", "exit").add("code", 0).add("beep", true).addRaw("b", "[\"OK\"]").str(),
            R"({"event":"exit","code":0,"beep":true,"b":["OK"]})");
}

}  // namespace
}  // namespace vl::ui
