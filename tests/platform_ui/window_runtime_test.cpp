// The window runtime as a procedure sees it: events, bound variables,
// pictures, the required-entries check, modal nesting.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/ui/picture.h"
#include "test_windows.h"

namespace vl::ui::test {
namespace {

class WindowRuntime : public ::testing::Test {
 protected:
  PlayBackend backend;
  PlayFixtureGuard guard{backend};
  FormVars vars;
  Window form{kForm};

  void SetUp() override { vars.bindTo(form); }
  void act(std::function<void(Window&)> f) { backend.actions.push_back(std::move(f)); }
  void type(int control, std::string text) {
    act([control, text](Window& w) { EXPECT_EQ(w.userType(control, text), ""); });
  }
};

TEST_F(WindowRuntime, RequiredCheckBeepsFocusesFirstBlankEntryAndWithholdsTheButton) {
  vars.name = "Ilvo";
  vars.folder = "ACME";
  vars.onTab2 = "x";
  form.open();
  form.display();
  act([](Window& w) { EXPECT_EQ(w.userPress(kOk), ""); });  // ID is 0: counts as blank
  std::vector<Event> events = drain(form);
  EXPECT_EQ(events, (std::vector<Event>{{EventKind::OpenWindow, 0},
                                         {EventKind::Selected, kOk},
                                         {EventKind::Selected, kId},
                                         {EventKind::CloseWindow, 0}}));
  EXPECT_EQ(backend.beeps, 1);
  EXPECT_EQ(form.focus(), kId);
}

TEST_F(WindowRuntime, RequiredEntryOnHiddenTabIsBroughtForwardAndDisabledOnesAreSkipped) {
  vars.name = "Ilvo";
  vars.id = 7;
  form.setDisabled(kFolder, true);  // blank but disabled: not checked
  form.open();
  EXPECT_FALSE(form.visible(kOnTab2));
  act([](Window& w) { w.userPress(kOk); });
  drain(form);
  EXPECT_EQ(form.focus(), kOnTab2);
  EXPECT_TRUE(form.visible(kOnTab2));
  EXPECT_EQ(backend.beeps, 1);

  vars.onTab2 = "filled";
  form.open();
  act([](Window& w) { w.userPress(kOk); });
  std::vector<Event> events = drain(form);
  EXPECT_EQ(events.at(events.size() - 2), (Event{EventKind::Accepted, kOk}));
  EXPECT_EQ(backend.beeps, 1);
}

struct TypeCase {
  int control;
  std::string typed;
  EventKind expected;
  std::string screen;  // on-screen text afterwards
};

TEST_F(WindowRuntime, TypingAppliesPictureAndCaseAttributes) {
  const TypeCase cases[] = {
      {kId, "1234", EventKind::Accepted, "1234"},
      {kId, "12345", EventKind::Rejected, "1234"},
      {kId, "12a", EventKind::Rejected, "12"},
      {kId, "-1", EventKind::Rejected, ""},
      {kFolder, "acme\\shopf12", EventKind::Accepted, "ACME\\SHOPF"},  // @s10 takes ten keys
      {kName, "ilvo van test", EventKind::Accepted, "Ilvo Van Test"},
      {kName, "", EventKind::Accepted, ""},
  };
  for (const TypeCase& c : cases) {
    SCOPED_TRACE(c.typed);
    vars.id = 99;
    form.open();
    type(c.control, c.typed);
    std::vector<Event> events = drain(form);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2], (Event{c.expected, c.control}));
    EXPECT_EQ(form.text(c.control), c.screen);
    if (c.control == kId) {
      EXPECT_EQ(vars.id, c.expected == EventKind::Accepted ? 1234 : 99);
    }
  }
  EXPECT_EQ(vars.folder.str(), "ACME\\SHOPF");
  EXPECT_EQ(vars.name.str(), "");
}

TEST_F(WindowRuntime, NumberPicturesFormatForDisplay) {
  const Picture p = parsePicture("@n4b");
  EXPECT_EQ(formatNumber(p, 0), "");
  EXPECT_EQ(formatNumber(p, 12), "12");
  EXPECT_EQ(formatNumber(p, 12345), "####");
  EXPECT_EQ(formatNumber(parsePicture("@n7"), 0), "0");
  EXPECT_EQ(formatNumber(parsePicture("@n-_3"), -12), "-12");
}

TEST_F(WindowRuntime, DisplayShowsAndUpdateTakesBackBoundVariables) {
  vars.name = "A name that is longer than twenty characters";
  vars.id = 42;
  vars.flag = 4;  // any non-zero value ticks a box
  vars.kind = 2;
  vars.progress = 55;
  form.open();
  form.display();
  EXPECT_EQ(form.text(kName), "A name that is longe");
  EXPECT_EQ(form.text(kId), "42");
  EXPECT_EQ(form.control(kFlag).value, 1);
  EXPECT_EQ(form.control(kKind).value, 2);
  EXPECT_EQ(form.control(kProgress).value, 55);

  form.setText(kId, "70000");  // beyond int16: clamped, never wrapped
  form.setText(kFolder, "new folder text");
  form.update();
  EXPECT_EQ(vars.id, 32767);
  EXPECT_EQ(vars.folder.str(), "new folder");
  form.setText(kId, "junk");  // not a number: the variable keeps its value
  form.update(kId);
  EXPECT_EQ(vars.id, 32767);
  form.setReadOnly(kFolder, true);  // shows a stale text: never written back
  vars.folder = "fresh";
  form.update();
  EXPECT_EQ(vars.folder.str(), "fresh");
  form.close();
}

TEST_F(WindowRuntime, PressingCheckBoxesRadiosAndTabsRaisesTheirEvents) {
  form.open();
  form.display();
  act([](Window& w) { EXPECT_EQ(w.userPress(kFlag), ""); });
  act([](Window& w) { EXPECT_EQ(w.userPress(kRadio2), ""); });
  act([](Window& w) { EXPECT_EQ(w.userPress(kTab2), ""); });
  act([](Window& w) { EXPECT_EQ(w.userPress(kTab2), ""); });  // already shown: nothing happens
  std::vector<Event> events = drain(form);
  EXPECT_EQ(events, (std::vector<Event>{{EventKind::OpenWindow, 0},
                                         {EventKind::Selected, kFlag},
                                         {EventKind::Accepted, kFlag},
                                         {EventKind::Selected, kRadio2},
                                         {EventKind::Accepted, kRadio2},
                                         {EventKind::Accepted, kKind},
                                         {EventKind::TabChanging, kSheet},
                                         {EventKind::NewSelection, kSheet},
                                         {EventKind::CloseWindow, 0}}));
  EXPECT_EQ(vars.flag, 1);
  EXPECT_EQ(vars.kind, 2);
  EXPECT_TRUE(form.visible(kOnTab2));
  EXPECT_FALSE(form.visible(kOnTab1));
}

TEST_F(WindowRuntime, ActionsOnControlsAPersonCannotReachAreRefused) {
  form.open();
  EXPECT_NE(form.userPress(kOff).find("is disabled"), std::string::npos);
  EXPECT_NE(form.userType(kOnTab2, "x").find("press that tab first"), std::string::npos);
  EXPECT_NE(form.userType(kOk, "x").find("not an entry"), std::string::npos);
  form.setHidden(kKind, true);
  EXPECT_NE(form.userPress(kRadio1).find("lies in hidden option ?KIND"), std::string::npos);
  form.setReadOnly(kName, true);
  EXPECT_NE(form.userType(kName, "x").find("read-only"), std::string::npos);
  form.close();
}

TEST_F(WindowRuntime, PostedEventsComeFirstAndAPostedCloseEndsTheLoop) {
  form.open();
  form.post(EventKind::Accepted, kFolder);
  form.post(EventKind::CloseWindow);
  EXPECT_EQ(form.accept(), (Event{EventKind::OpenWindow, 0}));
  EXPECT_EQ(form.accept(), (Event{EventKind::Accepted, kFolder}));
  EXPECT_EQ(form.accept(), (Event{EventKind::CloseWindow, 0}));
  EXPECT_EQ(form.accept(), Event{});
  EXPECT_FALSE(form.isOpen());
  EXPECT_TRUE(backend.actions.empty());
  EXPECT_THROW(form.post(EventKind::Accepted, 99), std::out_of_range);
}

TEST_F(WindowRuntime, ModalWindowRunsInsideTheOuterLoopAndHandsTheFocusBack) {
  FixedText<8> value;
  std::vector<std::string> seen;
  form.open();
  act([](Window& w) { w.userPress(kFlag); });
  act([](Window& w) {
    EXPECT_EQ(w.name(), "T$INNER");
    EXPECT_EQ(w.userType(1, "1234"), "");
  });
  act([](Window& w) { w.userPress(2); });
  act([](Window& w) { w.userClose(); });
  while (Event e = form.accept()) {
    seen.push_back(std::string(eventName(e.kind)) + " " + std::to_string(e.control));
    if (e.kind != EventKind::Accepted || e.control != kFlag) continue;
    Window inner(kInner);
    inner.bindVariable("VALUE", bindVar(value));
    inner.open();
    EXPECT_EQ(openWindows().back(), &inner);
    while (Event i = inner.accept()) {
      seen.push_back("inner " + std::string(eventName(i.kind)) + " " + std::to_string(i.control));
      if (i.kind == EventKind::Accepted && i.control == 2) inner.close();
    }
  }
  EXPECT_EQ(value.str(), "1234");
  EXPECT_EQ(seen, (std::vector<std::string>{"openwindow 0", "selected 4", "accepted 4", "inner openwindow 0",
                                            "inner accepted 1", "inner selected 2", "inner accepted 2",
                                            "gainfocus 0", "closewindow 0"}));
  EXPECT_EQ(backend.log, (std::vector<std::string>{"open T$FORM", "open T$INNER", "close T$INNER", "close T$FORM"}));
}

TEST_F(WindowRuntime, ListBoxShowsRowsFromItsSourceWithMarksAndSelection) {
  std::vector<std::pair<std::string, bool>> files{{"A.TPS", false}, {"B.EXE", true}};
  form.bindList(kFiles, {.count = [&] { return static_cast<int>(files.size()); },
                         .row = [&](int r) { return ListRow{r, {"", files[r - 1].first}}; },
                         .mark = [&](int r) { return files[r - 1].second; },
                         .setMark = [&](int r, bool on) { files[r - 1].second = on; }});
  form.open();
  form.display(kFiles);
  const ControlState& list = form.control(kFiles);
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[1].columns[1], "B.EXE");
  EXPECT_EQ(list.selectedRow, 1);
  EXPECT_TRUE(list.marks.empty());
  form.setListMarks(kFiles, true);
  EXPECT_EQ(list.marks, (std::vector<bool>{false, true}));
  form.selectRow(kFiles, 5);  // past the end: the last row
  EXPECT_EQ(form.selectedRow(kFiles), 2);
  files.clear();
  form.display(kFiles);
  EXPECT_EQ(form.selectedRow(kFiles), 0);
  form.close();
}

// A long list redisplayed to change one row must not be sent again whole:
// the backend hears which rows changed and keeps the rest of its copy.
TEST_F(WindowRuntime, ListRedisplayReportsOnlyTheRowsThatChanged) {
  using Rows = std::vector<std::pair<int, std::string>>;
  struct Case {
    const char* name;
    std::function<void(Rows&)> change;
    std::vector<std::string> heard;
  };
  const Case cases[] = {
      {"nothing changed", [](Rows&) {}, {}},
      {"one row's icon", [](Rows& r) { r[2].first = 2; }, {"rows 3-3"}},
      {"two rows apart", [](Rows& r) { r[1].second = "X"; r[3].second = "Y"; }, {"rows 2-4"}},
      {"a row added", [](Rows& r) { r.emplace_back(0, "NEW"); }, {"rows 6-6"}},
      {"the last rows removed", [](Rows& r) { r.resize(3); }, {"rows 1-0"}},
      {"all removed: no row left to select", [](Rows& r) { r.clear(); }, {"rows 1-0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rows files{{1, "A"}, {1, "B"}, {1, "C"}, {1, "D"}, {1, "E"}};
    Window w(kForm);
    w.bindList(kFiles, {.count = [&] { return static_cast<int>(files.size()); },
                        .row = [&](int r) { return ListRow{files[r - 1].first, {"", files[r - 1].second}}; }});
    w.open();
    w.display(kFiles);
    backend.lists.clear();
    c.change(files);
    w.display(kFiles);
    EXPECT_EQ(backend.lists, c.heard);
    const ControlState& list = w.control(kFiles);
    ASSERT_EQ(list.rows.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
      EXPECT_EQ(list.rows[i].icon, files[i].first);
      EXPECT_EQ(list.rows[i].columns[1], files[i].second);
    }
  }
  backend.lists.clear();
  form.bindList(kFiles, {.count = [] { return 4; }, .row = [](int r) { return ListRow{0, {"", std::to_string(r)}}; }});
  form.open();
  form.display(kFiles);
  form.selectRow(kFiles, 3);
  EXPECT_EQ(backend.lists, (std::vector<std::string>{"rows 1-4", "rows 1-0"})) << "a new selection sends no row";
}

}  // namespace
}  // namespace vl::ui::test
