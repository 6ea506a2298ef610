#include "app/transfer_window.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vl::transfer {
namespace {

using ui::ControlDesc;
using ui::ListColumn;
using enum ui::ControlKind;
using ui::kBold;
using ui::kBoxed;
using ui::kDisabled;
using ui::kHidden;

constexpr ListColumn kFileColumns[] = {
    {.heading = "", .width = 10, .icon = true, .centred = true},
    {.heading = "Remote File", .width = 100},
    {.heading = "Size (Kb)", .width = 20},
};

constexpr ControlDesc kControls[] = {
    {.id = "?STRHEADINGFTPWINDOW", .kind = Text, .text = kHeadingText, .at = {8, 8, 227, 14}, .attrs = kBold,
     .font = "MS Sans Serif,12,bold"},
    {.id = "?PRMTRANSFERSTATUS", .kind = Prompt, .text = "Transfer status:", .at = {8, 28}},
    {.id = "?STRFTPSTATUS", .kind = Text, .at = {8, 39, 227, 10}, .picture = "@s60", .variable = "STRFTPSTATUS"},
    {.id = "?PRGFTP", .kind = ProgressBar, .at = {8, 50, 283, 7}, .variable = "PRGFTP"},
    {.id = "?PRMCONNECTIONSTATUS", .kind = Prompt, .text = "Connection status:", .at = {10, 70}},
    {.id = "?FTPCALLBACKSTATUSIMG", .kind = Image, .at = {9, 78, 10, 9}, .attrs = kHidden, .icon = "BluBall.ico"},
    {.id = "?FTPCALLBACKSTATUS", .kind = Text, .at = {19, 79, 203, 10}, .picture = "@s50",
     .variable = "FTPCALLBACKSTATUS"},
    {.id = "?PRGFILE", .kind = ProgressBar, .at = {10, 90, 283, 7}, .variable = "PRGFILE"},
    {.id = "?CMDCONTINUE", .kind = Button, .text = "Continue", .at = {325, 8, 69, 20}, .attrs = kHidden},
    {.id = "?CMDCANCEL", .kind = Button, .text = "Cancel", .at = {326, 37, 69, 20}, .attrs = kHidden},
    {.id = "?IMGFTP1", .kind = Image, .at = {9, 104, 121, 238}, .icon = "ftpdownload.bmp"},
    {.id = "?LSTTRANSFERFILES", .kind = ListBox, .at = {136, 104, 157, 239}, .variable = "LUF",
     .columns = kFileColumns},
    {.id = "?BMULTIPLESELECTION", .kind = CheckBox, .text = "Enable Multiple Selection", .at = {299, 103},
     .attrs = kHidden, .variable = "BMULTIPLESELECTION"},
    {.id = "?CMDSELECTALL", .kind = Button, .text = "Select All", .at = {298, 115, 69, 20},
     .attrs = kHidden | kDisabled},
    {.id = "?CMDDESELECTALL", .kind = Button, .text = "Deselect All", .at = {298, 140, 69, 20},
     .attrs = kHidden | kDisabled},
    {.id = "?BSORTORDER", .kind = OptionGroup, .text = "Sort Order: ", .at = {299, 174, 101, 52},
     .attrs = kHidden | kBoxed, .variable = "BSORTORDER"},
    // The radios are hidden through their group.
    {.id = "?SORTORDER:RADIO1", .kind = Radio, .text = "By Size", .at = {313, 190}, .value = vl::kSortBySize},
    {.id = "?SORTORDER:RADIO2", .kind = Radio, .text = "By Name", .at = {313, 206}, .value = vl::kSortByName},
};
static_assert(std::size(kControls) == kControlCount);

}  // namespace

const ui::WindowDesc kTransferWindow{.name = kWindowName,
                                     .caption = "Internet Data Transfer",
                                     .width = 406,
                                     .height = 349,
                                     .modal = true,
                                     .controls = kControls};

}  // namespace vl::transfer

namespace vl {
namespace {

using namespace vl::transfer;

// What a row of the file list shows, as the list last read it. Reading every
// row costs a few allocations each; a download redisplays the window several
// times a file, so with many files the list is only read again when an entry
// differs from what the list showed.
struct ShownRow {
  std::int16_t icon = 0;
  FixedText<1> column;
  FixedText<50> name;
  std::int32_t kb = 0;
  std::uint8_t mark = 0;
  explicit ShownRow(const UpdateFileEntry& e)
      : icon(e.ICON), column(e.DUMMY), name(e.UPDATEFILE), kb(e.REMOTEKBCOUNT), mark(e.MARK) {}
  bool shows(const UpdateFileEntry& e) const {
    return icon == e.ICON && kb == e.REMOTEKBCOUNT && mark == e.MARK && column == e.DUMMY && name == e.UPDATEFILE;
  }
};
using ShownRows = std::vector<ShownRow>;

struct TransferWindowSlot {
  std::unique_ptr<ui::Window> window;
  std::shared_ptr<ShownRows> shown = std::make_shared<ShownRows>();
};

// One window object per program state: the window is declared once for the
// whole program, and a test's fresh state gets a fresh window.
std::map<const ProgramState*, TransferWindowSlot>& windows() {
  static std::map<const ProgramState*, TransferWindowSlot> all;
  return all;
}

ui::ListRow fileRow(const UpdateFileEntry& e) {
  return {.icon = e.ICON, .columns = {std::string(e.DUMMY.trimmed()), std::string(e.UPDATEFILE.trimmed()),
                                      std::to_string(e.REMOTEKBCOUNT)}};
}

// Every display of the list, whoever asks for it, counts the rows and then
// reads each one: that is where the shown rows are noted.
ui::ListSource fileListSource(Queue<UpdateFileEntry>& list, const std::shared_ptr<ShownRows>& shown) {
  return {.count =
              [&list, shown] {
                shown->clear();
                return static_cast<int>(list.count());
              },
          .row =
              [&list, shown](int row) {
                const UpdateFileEntry& e = list.at(static_cast<std::size_t>(row));
                if (shown->size() + 1 == static_cast<std::size_t>(row)) shown->emplace_back(e);
                return fileRow(e);
              },
          .mark = [&list](int row) { return list.at(static_cast<std::size_t>(row)).MARK != 0; },
          .setMark =
              [&list](int row, bool on) {
                if (!list.get(static_cast<std::size_t>(row))) return;
                list.current.MARK = on ? 1 : 0;
                list.put();
              }};
}

bool listShownAsIs(const Queue<UpdateFileEntry>& list, const ShownRows& shown) {
  if (shown.size() != list.count()) return false;
  for (std::size_t row = 1; row <= shown.size(); ++row)
    if (!shown[row - 1].shows(list.at(row))) return false;
  return true;
}

void bindTo(ui::Window& w, ProgramState& state, const std::shared_ptr<ShownRows>& shown) {
  w.bindVariable("STRFTPSTATUS", ui::bindVar(state.STRFTPSTATUS));
  w.bindVariable("PRGFTP", ui::bindVar(state.PRGFTP));
  w.bindVariable("FTPCALLBACKSTATUS", ui::bindVar(state.FTPCALLBACKSTATUS));
  w.bindVariable("PRGFILE", ui::bindVar(state.PRGFILE));
  w.bindVariable("BMULTIPLESELECTION", ui::bindVar(state.BMULTIPLESELECTION));
  w.bindVariable("BSORTORDER", ui::bindVar(state.BSORTORDER));
  w.bindList(kFileList, fileListSource(state.LUF, shown));
}

void setReviewHidden(ui::Window& w, bool hidden) {
  for (int n : {kContinue, kCancel, kMultipleSelection, kSelectAll, kDeselectAll, kSortOrder}) {
    w.setHidden(n, hidden);
  }
}

}  // namespace

void PrepareTransferWindow(ProgramState& state) {
  auto& slot = windows()[&state];
  if (slot.window) return;
  slot.window = std::make_unique<ui::Window>(kTransferWindow);
  bindTo(*slot.window, state, slot.shown);
}

void DisposeTransferWindow(ProgramState& state) {
  auto it = windows().find(&state);
  if (it == windows().end()) return;
  it->second.window->close();
  windows().erase(it);
}

ui::Window& TransferWindowOf(ProgramState& state) {
  PrepareTransferWindow(state);
  return *windows()[&state].window;
}

ui::Window* OpenTransferWindowOf(ProgramState& state) {
  auto it = windows().find(&state);
  return it != windows().end() && it->second.window->isOpen() ? it->second.window.get() : nullptr;
}

ui::Window& OpenTransferWindow(ProgramState& state, TransferProtocol protocol) {
  ui::Window& w = TransferWindowOf(state);
  const bool http = protocol == TransferProtocol::Http;
  w.setText(kHeading, std::string(kHeadingText) + std::string(http ? kHttpSuffix : kFtpSuffix));
  w.setHidden(kCallbackImage, !http);
  setReviewHidden(w, true);
  w.setDisabled(kSelectAll, true);
  w.setDisabled(kDeselectAll, true);
  w.setListMarks(kFileList, false);
  w.setListIcons(kFileList, {std::string(kArrowIcon), std::string(kTickIcon)});
  w.open();
  w.display();
  return w;
}

void CloseTransferWindow(ProgramState& state) {
  if (ui::Window* w = OpenTransferWindowOf(state)) w->close();
}

void ShowTransferStatus(ProgramState& state, std::string_view text) {
  state.STRFTPSTATUS = text;
  if (ui::Window* w = OpenTransferWindowOf(state)) w->display(kStatus);
}

void RedisplayTransferWindow(ProgramState& state) {
  ui::Window* w = OpenTransferWindowOf(state);
  if (!w) return;
  const bool listAsIs = listShownAsIs(state.LUF, *windows()[&state].shown);
  for (int n = 1; n <= w->count(); ++n)
    if (n != kFileList || !listAsIs) w->display(n);
}

void ShowTransferReview(ProgramState& state, bool shown) { setReviewHidden(TransferWindowOf(state), !shown); }

void SetTransferListMarks(ProgramState& state, bool on) {
  ui::Window& w = TransferWindowOf(state);
  w.setListMarks(kFileList, on);
  w.setDisabled(kSelectAll, !on);
  w.setDisabled(kDeselectAll, !on);
  if (!on) w.selectRow(kFileList, 1);
  w.display(kFileList);
}

}  // namespace vl
