// The Download button's checks, in-process: their order, their messages and
// where they put the focus, and that nothing is saved or run when one stops.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "app/settings_file.h"
#include "app/setup_context.h"
#include "app/setup_window_desc.h"
#include "platform/ui/backend.h"
#include "platform/ui/message_box.h"
#include "platform/fs/files.h"
#include "support/sandbox.h"

namespace vl::test {
namespace {

class QuietBackend final : public ui::Backend {
 public:
  void windowOpened(ui::Window&) override {}
  void windowClosed(ui::Window&) override {}
  void controlChanged(ui::Window&, int, ui::Change) override {}
  void focusChanged(ui::Window&, int) override {}
  void windowMoved(ui::Window&) override {}
  void waitForInput(ui::Window&) override { throw std::logic_error("no person at this window"); }
  void yieldToWindows() override {}
};

class Boxes final : public ui::MessageBoxHandler {
 public:
  ui::Button showMessageBox(const ui::MessageBoxRequest& request) override {
    shown.push_back(request);
    return request.buttons.size() > 1 ? answer : ui::Button::Ok;
  }
  void beep() override {}
  void setCursor(ui::Cursor) override {}
  std::vector<ui::MessageBoxRequest> shown;
  ui::Button answer = ui::Button::No;
};

constexpr const char* kIni = "C:\\VLSInet\\VLSInet.INI";
constexpr int kFirstFocus = 7;  // the window opens with the focus on the first radio

class DownloadChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::setBackend(&backend);
    ui::setMessageBoxHandler(&boxes);
    setup::BindSetupVariables(window, state);
    window.open();
    ASSERT_EQ(window.focus(), kFirstFocus);
    validForm();
  }
  void validForm() {
    state = ProgramState{};
    boxes.shown.clear();
    window.select(kFirstFocus);
    state.IniPath = kIni;
    // A form that passes every check.
    state.POSRDBMS = kRdbmsIsam;
    state.BSTOREOWNER = kStoreOwnerCorporate;
    state.BDATA = 1;
    state.FTP.LOCALFTP = "ACME/SHOPF12";
    state.LOCATIONID = 12;
  }
  void TearDown() override {
    window.close();
    ui::setBackend(nullptr);
    ui::setMessageBoxHandler(nullptr);
  }
  bool press() {
    setup::SetupContext ctx{state, window, settings, runs};
    return setup::CheckAndDownload(ctx);
  }
  void expectNothingDone() {
    EXPECT_EQ(runsCalled, 0);
    EXPECT_FALSE(fs::exists(kIni)) << "no INI key is written before all checks pass";
  }

  Sandbox box;
  QuietBackend backend;
  Boxes boxes;
  ProgramState state;
  ui::Window window{setup::kSetupWindow};
  records::DataFile settings = setup::makeSettingsFile();  // never opened here
  int runsCalled = 0;
  TransferRuns runs{[this](ProgramState&) { return ++runsCalled, 1; }, [this](ProgramState&) { return ++runsCalled, 1; }};
};

TEST_F(DownloadChecks, OnlyTheFirstFailingCheckReactsWithItsMessageAndFocus) {
  struct Case {
    const char* name;
    std::function<void(ProgramState&)> spoil;
    const char* message;  // "" when the check stops silently
    int focus;
  };
  const Case cases[] = {
      {"no database kind", [](ProgramState& s) { s.POSRDBMS = 0; }, "You must select the POS RDBMS type.", 27},
      {"no database kind and nothing else either",
       [](ProgramState& s) {
         s.POSRDBMS = 0, s.BSTOREOWNER = 0, s.BDATA = 0, s.LOCATIONID = 0;
         s.FTP.LOCALFTP = "";
       },
       "You must select the POS RDBMS type.", 27},
      {"no store owner", [](ProgramState& s) { s.BSTOREOWNER = 0; }, "You must select the store owner.", 6},
      {"no file kind", [](ProgramState& s) { s.BDATA = 0; }, "You have not specified any files to be downloaded.",
       kFirstFocus},
      {"no local folder", [](ProgramState& s) { s.FTP.LOCALFTP = ""; }, "", 13},
      {"no location", [](ProgramState& s) { s.LOCATIONID = 0; }, "", 15},
      {"trusted mode without terminal", [](ProgramState& s) { s.AUXTRUSTEDMODE = 1; },
       "You must enter the Dial-Up Terminal ID when Trusted Mode has been selected.", 34},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    validForm();
    c.spoil(state);
    EXPECT_FALSE(press());
    if (*c.message) {
      ASSERT_EQ(boxes.shown.size(), 1u);
      EXPECT_EQ(boxes.shown[0].text, c.message);
      EXPECT_EQ(boxes.shown[0].caption, "Message");
      EXPECT_EQ(boxes.shown[0].icon, ui::Icon::Exclamation);
      EXPECT_TRUE(boxes.shown[0].beep);
    } else {
      EXPECT_TRUE(boxes.shown.empty());
    }
    EXPECT_EQ(window.focus(), c.focus);
    expectNothingDone();
  }
}

TEST_F(DownloadChecks, TrustedModeWithATerminalIdPasses) {
  state.AUXTRUSTEDMODE = 1;
  state.TERMID = 3;
  EXPECT_FALSE(press());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text.rfind("Error updating the VLSInet.TPS file.||Error: ", 0), 0u) << boxes.shown[0].text;
}

TEST_F(DownloadChecks, ASettingsRecordThatCannotBeRewrittenStopsBeforeAnythingIsSaved) {
  EXPECT_FALSE(press());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text.rfind("Error updating the VLSInet.TPS file.||Error: ", 0), 0u) << boxes.shown[0].text;
  EXPECT_TRUE(boxes.shown[0].beep);
  expectNothingDone();
}

constexpr const char* kSqlQuestion =
    "You have selected the SQL POS version as a target but the system cannot detect that the|"
    "C:\\Vorlan\\T1\\SQL\\VL_SQLPOS.FDB database file is installed.||"
    "Are you sure that you want to download the SQL POS version?";

TEST_F(DownloadChecks, SqlOnAnIsamTillIsAskedAboutAndNoStops) {
  state.POSRDBMS = kRdbmsSql;
  box.writeFile("drive_c/VORLAN/T1/VLSECR.EXE", "isam ecr");
  EXPECT_FALSE(press());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kSqlQuestion);
  EXPECT_EQ(boxes.shown[0].caption, "Message");
  EXPECT_EQ(boxes.shown[0].defaultButton, ui::Button::No);
  EXPECT_EQ(boxes.shown[0].icon, ui::Icon::Question);
  expectNothingDone();
}

TEST_F(DownloadChecks, SqlQuestionAnsweredYesGoesOnToTheNextChecks) {
  state.POSRDBMS = kRdbmsSql;
  state.BSTOREOWNER = 0;
  box.writeFile("drive_c/VORLAN/T1/VLSECR.EXE", "isam ecr");
  boxes.answer = ui::Button::Yes;
  EXPECT_FALSE(press());
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, "You must select the store owner.");
}

TEST_F(DownloadChecks, SqlIsNotQuestionedWithoutTheIsamProgramOrWithTheDatabase) {
  state.POSRDBMS = kRdbmsSql;
  state.BSTOREOWNER = 0;  // stops right after the question would have come
  for (const char* file : {"", "drive_c/VORLAN/T1/SQL/VL_SQLPOS.FDB"}) {
    SCOPED_TRACE(file);
    if (*file) {
      box.writeFile("drive_c/VORLAN/T1/VLSECR.EXE", "isam ecr");
      box.writeFile(file, "database");
    }
    boxes.shown.clear();
    EXPECT_FALSE(press());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "You must select the store owner.");
  }
}

}  // namespace
}  // namespace vl::test
