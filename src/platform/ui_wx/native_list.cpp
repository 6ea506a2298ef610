// The list box: a report list with the description's columns (each one
// resizable by the person), the row icons in the icon column, and a check
// mark per row while the program has marks on.
#include <algorithm>

#include <wx/imaglist.h>
#include <wx/listctrl.h>

#include "platform/ui_wx/native_window.h"
#include "platform/ui_wx/pictures.h"

namespace vl::ui::wxb {
namespace {

constexpr int kIconSide = 16;

class FileList final : public wxListCtrl {
 public:
  FileList(wxWindow* parent, const wxRect& at)
      : wxListCtrl(parent, wxID_ANY, at.GetPosition(), at.GetSize(), wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN),
        icons_(kIconSide, kIconSide, true) {}
  wxImageList& icons() { return icons_; }
  std::vector<std::string> iconNames;
  bool marks = false;

 private:
  wxImageList icons_;
};

// Widths come from the description, but never so narrow that the heading
// is cut: the stand-in font may be wider than the one the widths were made for.
int columnWidth(NativeWindow& nw, wxListCtrl* list, const ListColumn& col, bool marks) {
  const wxString heading = toWx(col.heading);
  int least = col.icon ? kIconSide + 8 : 20;
  if (col.icon && marks) least += kIconSide + 8;  // the row's mark stands before its icon
  if (!heading.empty()) least = std::max(least, list->GetTextExtent(heading).x + 24);
  return std::max(nw.scale.px(col.width), least);
}

// Widened columns may no longer fit the list: the widest one gives way.
void fitColumns(wxListCtrl* list) {
  const int count = list->GetColumnCount();
  int total = 0, widest = 0;
  for (int col = 0; col < count; ++col) {
    total += list->GetColumnWidth(col);
    if (list->GetColumnWidth(col) > list->GetColumnWidth(widest)) widest = col;
  }
  const int excess = total - (list->GetClientSize().x - 2);
  if (excess > 0) list->SetColumnWidth(widest, std::max(60, list->GetColumnWidth(widest) - excess));
}

void addColumns(NativeWindow& nw, FileList* list, std::span<const ListColumn> columns) {
  long index = 0;
  for (const ListColumn& col : columns) {
    // The toolkit aligns a heading like its column, so text columns (left,
    // with the toolkit's own indent) have left headings too.
    list->InsertColumn(index++, toWx(col.heading),
                       col.icon || col.centred ? wxLIST_FORMAT_CENTRE : wxLIST_FORMAT_LEFT, columnWidth(nw, list, col, false));
  }
  if (columns.empty()) list->InsertColumn(0, "", wxLIST_FORMAT_LEFT, list->GetSize().x - 4);
  fitColumns(list);
}

void mirrorIcons(FileList* list, const ControlState& c) {
  if (list->iconNames == c.listIcons) return;
  list->iconNames = c.listIcons;
  list->icons().RemoveAll();
  for (const std::string& name : c.listIcons) list->icons().Add(drawPicture(name, wxSize(kIconSide, kIconSide)));
  list->SetImageList(&list->icons(), wxIMAGE_LIST_SMALL);
}

void bindList(NativeWindow& nw, int n, FileList* list) {
  list->Bind(wxEVT_LIST_ITEM_SELECTED, [&nw, n](wxListEvent& e) {
    if (nw.closed || nw.mirroring) return;
    nw.model.userSelectRow(n, static_cast<int>(e.GetIndex()) + 1);
  });
  auto mark = [&nw, n](wxListEvent& e, bool on) {
    if (nw.closed || nw.mirroring) return;
    if (!nw.model.userMarkRow(n, static_cast<int>(e.GetIndex()) + 1, on).empty()) mirrorList(nw, n);
  };
  list->Bind(wxEVT_LIST_ITEM_CHECKED, [mark](wxListEvent& e) { mark(e, true); });
  list->Bind(wxEVT_LIST_ITEM_UNCHECKED, [mark](wxListEvent& e) { mark(e, false); });
}

}  // namespace

wxWindow* createList(NativeWindow& nw, wxWindow* parent, int n, const wxRect& at) {
  auto* list = new FileList(parent, at);
  addColumns(nw, list, nw.model.control(n).desc->columns);
  bindList(nw, n, list);
  return list;
}

namespace {

void mirrorRow(FileList* list, const ControlState& c, long r) {
  const ListRow& row = c.rows[static_cast<std::size_t>(r)];
  if (r >= list->GetItemCount()) list->InsertItem(r, "");
  list->SetItemImage(r, row.icon > 0 ? row.icon - 1 : -1);
  for (int col = 0; col < list->GetColumnCount(); ++col) {
    const std::string text = col < static_cast<int>(row.columns.size()) ? row.columns[static_cast<std::size_t>(col)] : "";
    // The icon column shows its picture only, whatever text the row holds.
    const bool iconColumn = col < static_cast<int>(c.desc->columns.size()) && c.desc->columns[static_cast<std::size_t>(col)].icon;
    list->SetItem(r, col, iconColumn ? wxString() : toWx(text), col == 0 ? row.icon - 1 : -1);
  }
  if (c.marksOn && r < static_cast<long>(c.marks.size())) list->CheckItem(r, c.marks[static_cast<std::size_t>(r)]);
}

// Rows from..to (0-based, inclusive), the number of rows and the selection.
void mirrorRows(FileList* list, const ControlState& c, long from, long to) {
  const long rows = static_cast<long>(c.rows.size());
  while (list->GetItemCount() > rows) list->DeleteItem(list->GetItemCount() - 1);
  // Rows the native list lacks yet are new, whatever the range says.
  if (const long had = list->GetItemCount(); rows > had) {
    from = from > to ? had : std::min(from, had);
    to = rows - 1;
  }
  for (long r = std::max(from, 0L); r <= std::min(to, rows - 1); ++r) mirrorRow(list, c, r);
  if (c.selectedRow > 0 && c.selectedRow <= rows) {
    list->SetItemState(c.selectedRow - 1, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    list->EnsureVisible(c.selectedRow - 1);
  }
  // The generic list lays its rows out lazily; lay them out now, or they show
  // only after the next input reaches the window.
  list->Refresh();
  list->Update();
}

}  // namespace

void mirrorList(NativeWindow& nw, int n) {
  auto* list = dynamic_cast<FileList*>(nw.native(n));
  if (!list) return;
  const ControlState& c = nw.model.control(n);
  nw.mirroring = true;
  mirrorIcons(list, c);
  if (list->marks != c.marksOn) {
    list->marks = c.marksOn;
    list->EnableCheckBoxes(c.marksOn);
    if (!c.desc->columns.empty()) list->SetColumnWidth(0, columnWidth(nw, list, c.desc->columns.front(), c.marksOn));
    fitColumns(list);
  }
  mirrorRows(list, c, 0, static_cast<long>(c.rows.size()) - 1);
  nw.mirroring = false;
}

void mirrorListRows(NativeWindow& nw, int n, int first, int last) {
  auto* list = dynamic_cast<FileList*>(nw.native(n));
  if (!list) return;
  nw.mirroring = true;
  mirrorRows(list, nw.model.control(n), first - 1, last - 1);
  nw.mirroring = false;
}

}  // namespace vl::ui::wxb
