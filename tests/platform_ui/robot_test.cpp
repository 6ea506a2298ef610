// The headless robot end to end: a small program run from a script, its
// transcript compared line by line, and the ways a run fails instead of hanging.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "data/control_flow.h"
#include "platform/ui/headless_run.h"
#include "test_windows.h"

namespace vl::ui::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The form as a program would run it.
void formProgram() {
  FormVars v;
  Window w(kForm);
  v.bindTo(w);
  w.open();
  while (Event e = w.accept()) {
    if (e.kind == EventKind::OpenWindow) w.display();
    if (e.kind == EventKind::Rejected) {
      beep();
      w.display(e.control);
      w.select(e.control);
    }
    if (e.kind != EventKind::Accepted) continue;
    if (e.control == kFolder) {
      MessageBoxRequest ask{.caption = "Question", .text = "Really use|" + v.folder.str() + "?",
                            .icon = Icon::Question, .buttons = {Button::Yes, Button::No},
                            .defaultButton = Button::Yes};
      v.status = messageBoxHandler().showMessageBox(ask) == Button::Yes ? "taken" : "kept";
    } else if (e.control == kFlag) {
      v.status = "Flag on";
      v.progress = 50;
    } else if (e.control == kOk) {
      messageBoxHandler().showMessageBox({.caption = "Message", .text = "Saved " + v.name.str(),
                                          .icon = Icon::Information, .beep = true});
      throw ProgramHalt{5};
    }
    w.display();
  }
}

class Robot : public ::testing::Test {
 protected:
  // No process id in the name: a death test's child must find the same folder.
  fs::path dir = fs::temp_directory_path() /
                 ("vl_robot_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  fs::path script = dir / "script.txt";
  fs::path transcript = dir / "transcript.jsonl";
  RobotOptions options{.stallTimeout = 400ms, .accessCode = {}};

  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  int run(const std::string& text, std::function<void()> program = formProgram) {
    std::ofstream(script) << text;
    return runHeadless(script.string(), transcript.string(), std::move(program), options);
  }
  std::vector<std::string> lines() const {
    std::ifstream in(transcript);
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
  }
  std::string all() const {
    std::ostringstream out;
    out << std::ifstream(transcript).rdbuf();
    return out.str();
  }
};

TEST_F(Robot, TranscriptRecordsWhatAPersonSeesInOrder) {
  const int code = run(R"(answer No "Really"
wait T$FORM
type ?NAME "ilvo test"
type ?FOLDER acme
type 3 12a      # a letter in a number: rejected
press ?FLAG
dump ?ID
press ?OK       # ID is blank: the check beeps and focuses it
type ?ID 7
type ?ONTAB2 x  # on the tab that is not shown
)");
  EXPECT_EQ(code, kRobotFailed);
  EXPECT_EQ(lines(), (std::vector<std::string>{
      R"({"event":"open","window":"T$FORM","caption":"Test Form"})",
      R"({"event":"message","caption":"Question","text":"Really use|ACME?","icon":"question","beep":false,"buttons":["Yes","No"],"default":"Yes","answer":"No"})",
      R"({"event":"text","window":"T$FORM","control":"?STATUS","text":"kept"})",
      R"({"event":"beep"})",
      R"({"event":"text","window":"T$FORM","control":"?STATUS","text":"Flag on"})",
      R"({"event":"progress","window":"T$FORM","control":"?PROGRESS","value":50})",
      R"({"event":"state","window":"T$FORM","controls":[{"id":"?ID","number":3,"kind":"entry","text":"","visible":true,"enabled":true,"required":true,"readonly":false}]})",
      R"({"event":"beep"})",
      R"({"event":"close","window":"T$FORM"})",
      R"({"event":"error","message":"script line 10 (type ?ONTAB2 x  # on the tab that is not shown): entry ?ONTAB2 (12) lies on tab ?TAB2 (11), which is not shown: press that tab first"})",
      R"({"event":"exit","code":3})",
  }));
}

TEST_F(Robot, ProgramEndsWithItsOwnExitCodeAndDumpsShowTheWholeWindow) {
  const int code = run("wait T$FORM\ntype ?NAME x\ntype ?FOLDER y\ntype ?ID 12\npress ?TAB2\ntype ?ONTAB2 z\n"
                       "press ?KIND:RADIO2\ndump T$FORM\npress ?OK\n");
  EXPECT_EQ(code, 5);
  const std::vector<std::string> l = lines();
  ASSERT_GE(l.size(), 4u);
  EXPECT_EQ(l.back(), R"({"event":"exit","code":5})");
  EXPECT_EQ(l[l.size() - 3],
            R"({"event":"message","caption":"Message","text":"Saved X","icon":"information","beep":true,"buttons":["OK"],"default":"OK","answer":"OK"})");
  const std::string text = all();
  EXPECT_NE(text.find(R"({"id":"?ID","number":3,"kind":"entry","text":"12",)"), std::string::npos);
  EXPECT_NE(text.find(R"({"id":"?KIND","number":5,"kind":"option","text":"Kind:","value":2,)"), std::string::npos);
  EXPECT_NE(text.find(R"({"id":"?KIND:RADIO1","number":6,"kind":"radio","text":"One","value":0,)"), std::string::npos);
  EXPECT_NE(text.find(R"({"id":"?KIND:RADIO2","number":7,"kind":"radio","text":"Two","value":1,)"), std::string::npos);
  EXPECT_NE(text.find(R"({"id":"?ONTAB1","number":10,"kind":"entry","text":"","visible":false,)"), std::string::npos);
  EXPECT_NE(text.find(R"("kind":"list","text":"","visible":true,"enabled":true,"required":false,"readonly":false,"rows":[],"marks":[],"selected":0})"),
            std::string::npos);
}

TEST_F(Robot, ExhaustedScriptClosesTheWaitingWindow) {
  EXPECT_EQ(run("wait T$FORM\n"), 0);
  EXPECT_EQ(lines().back(), R"({"event":"exit","code":0})");
}

TEST_F(Robot, AccessCodeIsTypedIntoTheFocusedEntryAndShownMasked) {
  options.accessCode = [] { return std::string("4711"); };
  FixedText<8> value;
  const int code = run("wait T$INNER\naccess-code\ndump ?VALUE\npress ?DONE\n", [&] {
    Window w(kInner);
    w.bindVariable("VALUE", bindVar(value));
    w.open();
    while (Event e = w.accept()) {
      if (e.kind == EventKind::Accepted && e.control == 2) w.close();
    }
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(value.str(), "4711");
  EXPECT_EQ(lines().front(), R"({"event":"open","window":"T$INNER","caption":"Inner \"quoted\""})");
  EXPECT_NE(all().find(R"("kind":"entry","text":"****")"), std::string::npos);
}

TEST_F(Robot, ListRowsAreChosenAndMarkedLikeClicks) {
  std::vector<bool> marked{false, false, true};
  std::vector<std::string> events;
  const int code = run("wait T$FORM\nmark ?FILES 2\nmark 17 3\nselect ?FILES 1\ndump ?FILES\nmark ?FILES 4\n", [&] {
    Window w(kForm);
    w.bindList(kFiles, {.count = [] { return 3; },
                        .row = [](int r) { return ListRow{r == 1 ? 2 : 0, {"", "F" + std::to_string(r), "1"}}; },
                        .mark = [&](int r) { return static_cast<bool>(marked[r - 1]); },
                        .setMark = [&](int r, bool on) { marked[r - 1] = on; }});
    w.setListMarks(kFiles, true);
    w.open();
    w.display();
    while (Event e = w.accept()) events.push_back(std::string(eventName(e.kind)) + " " + std::to_string(e.control));
  });
  EXPECT_EQ(code, kRobotFailed);
  EXPECT_EQ(marked, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(events, (std::vector<std::string>{"openwindow 0", "selected 17", "newselection 17", "newselection 17",
                                              "newselection 17"}));
  EXPECT_NE(all().find(R"("rows":[{"icon":2,"columns":["","F1","1"]},{"icon":0,"columns":["","F2","1"]},)"
                       R"({"icon":0,"columns":["","F3","1"]}],"marks":[0,1,0],"selected":1})"),
            std::string::npos);
  EXPECT_NE(all().find("(mark ?FILES 4): list ?FILES (17) has no row 4"), std::string::npos);
}

TEST_F(Robot, LinesThatCannotActFailTheRunWithAClearMessage) {
  struct Case {
    std::string script, message;
  };
  const Case cases[] = {
      {"wait T$OTHER", "script line 1 (wait T$OTHER): window T$FORM is waiting for input, not T$OTHER"},
      {"press ?OFF", "script line 1 (press ?OFF): button ?OFF (16) is disabled"},
      {"press ?NOPE", "script line 1 (press ?NOPE): window T$FORM has no control ?NOPE"},
      {"press 99", "script line 1 (press 99): window T$FORM has no control 99"},
      {"press ?STATUS", "script line 1 (press ?STATUS): text ?STATUS (13) cannot be pressed"},
      {"dump T$NOWHERE", "script line 1 (dump T$NOWHERE): no open window T$NOWHERE"},
      {"access-code ?NAME", "script line 1 (access-code ?NAME): no access code procedure is installed"},
      {"close\nwait T$FORM", "script line 2 (wait T$FORM): the program ended first"},
      {"wait T$FORM\nbogus", "script line 2: unknown command \"bogus\""},
      {"wait-progress T$FORM",
       "script line 1 (wait-progress T$FORM): window T$FORM is waiting for input; no progress was shown on T$FORM "
       "while the program worked"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(run(c.script), kRobotFailed);
    const std::vector<std::string> l = lines();
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[l.size() - 2], "{\"event\":\"error\",\"message\":" + jsonString(c.message) + "}");
    EXPECT_EQ(l.back(), R"({"event":"exit","code":3})");
  }
}

// A person may click while the program works in a blocking call that shows
// progress and lets window work run (a download): the click is queued there,
// and the program sees it when it next accepts an event.
TEST_F(Robot, WaitProgressActsWhereTheWorkLetsWindowsRun) {
  std::vector<std::string> seen;
  const int code = run(
      "wait T$FORM\npress ?FLAG\nwait-progress T$FORM\ndump ?PROGRESS\nclose\n", [&] {
        FormVars v;
        Window w(kForm);
        v.bindTo(w);
        w.open();
        while (Event e = w.accept()) {
          if (e.kind == EventKind::CloseWindow) seen.emplace_back("close");
          if (e.kind != EventKind::Accepted || e.control != kFlag) continue;
          for (int step = 1; step <= 3; ++step) {
            yieldToWindows();
            seen.push_back("step " + std::to_string(step) + (w.hasPendingEvents() ? " (queued)" : ""));
            v.progress = static_cast<std::uint8_t>(step * 25);
            w.display(kProgress);
          }
        }
      });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"step 1", "step 2 (queued)", "step 3 (queued)", "close"}));
  const std::vector<std::string> l = lines();
  ASSERT_EQ(l.size(), 7u) << all();
  EXPECT_EQ(l[1], R"({"event":"progress","window":"T$FORM","control":"?PROGRESS","value":25})");
  EXPECT_NE(l[2].find(R"("id":"?PROGRESS","number":14,"kind":"progress","text":"","value":25)"), std::string::npos)
      << l[2];
  EXPECT_EQ(l[3], R"({"event":"progress","window":"T$FORM","control":"?PROGRESS","value":50})");
}

// The watchdog ends the process itself (the program may be stuck in a
// blocking call), so these run as death tests in a child process.
class RobotStall : public Robot {
 protected:
  void SetUp() override {
    Robot::SetUp();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
};

TEST_F(RobotStall, ProgramsThatNeverComeBackFailWithinTheBound) {
  struct Case {
    std::string name, script;
    std::function<void()> program;
  };
  const Case cases[] = {
      {"stuck in a blocking call before the awaited window", "wait T$FORM\n",
       [] { std::this_thread::sleep_for(1h); }},
      {"reopens whatever the robot closes after the script", "wait T$FORM\n",
       [] {
         Window w(kForm);
         for (;;) {
           w.open();
           while (w.accept()) {
           }
         }
       }},
      {"retries for ever while the script answers Yes", "answer Yes Retry\n",
       [] {
         while (messageBoxHandler().showMessageBox({.text = "Retry?", .buttons = {Button::Yes, Button::No}}) ==
                Button::Yes) {
           yieldToWindows();
         }
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EXIT(run(c.script, c.program), ::testing::ExitedWithCode(kRobotFailed),
                "neither waited for input nor ended within 400 ms");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
    const std::vector<std::string> l = lines();
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[l.size() - 2],
              R"({"event":"error","message":"the program neither waited for input nor ended within 400 ms"})");
    EXPECT_EQ(l.back(), R"({"event":"exit","code":3})");
  }
}

}  // namespace
}  // namespace vl::ui::test
