#pragma once
// Window descriptions: a window is a static table of controls, numbered from 1
// in declaration order. The program addresses controls by that number (or by
// identifier through Window::number); backends render from the same table.
//
// A table reads like the window's own declaration, for example
//
//   constexpr ControlDesc kKeypadControls[] = {
//       {.id = "?SEVEN", .kind = ControlKind::Button, .at = {6, 68, 36, 32},
//        .icon = "7_flat_grey.jpg", .attrs = kFlat},
//       {.id = "?OUTNUMBER", .kind = ControlKind::Entry, .at = {7, 21, 142, 12},
//        .picture = "@s30", .variable = "OUTNUMBER"},
//   };
//   constexpr WindowDesc kKeypad{.name = "P1$MODALWINDOW", .caption = "...",
//       .width = 157, .height = 202, .modal = true, .controls = kKeypadControls};
#include <span>
#include <string_view>

namespace vl::ui {

enum class ControlKind {
  Text,         // static text; may show a variable (picture gives its width)
  Prompt,       // label of an entry
  Heading,      // section heading band
  Entry,        // single-line entry with a picture
  Button,
  CheckBox,     // bound to an integer: 0 clear, non-zero ticked
  OptionGroup,  // bound to an integer: the value of the chosen radio
  Radio,        // belongs to an option group (parent), carries a value
  Sheet,        // holds tabs
  Tab,          // belongs to a sheet (parent)
  Line,
  Image,        // shows the picture named by icon
  ProgressBar,  // bound to an integer 0..100
  ListBox,      // rows from a ListSource, see Window::bindList
};

// Attributes of a control (bit set). They give the state the control starts
// with; the program changes them later through Window's property calls.
enum Attr : unsigned {
  kNoAttr = 0,
  kRequired = 1u << 0,        // entry: must not be blank (or 0 for a number) when a
                              // button with kChecksRequired is pressed
  kUpperCase = 1u << 1,       // entry: every typed letter becomes a capital
  kCapitalised = 1u << 2,     // entry: the first letter of each word becomes a capital
  kReadOnly = 1u << 3,        // entry: shows its value, cannot be edited
  kHidden = 1u << 4,
  kDisabled = 1u << 5,
  kBoxed = 1u << 6,           // option group drawn with a frame
  kChecksRequired = 1u << 7,  // button: checks the required entries before it acts
  kMasked = 1u << 8,          // entry: shows masking characters (password)
  kFlat = 1u << 9,            // button: drawn flat, picture only
  kMultiLine = 1u << 10,      // entry: multi-line text field
  kBold = 1u << 11,           // text or heading in bold
  kAlertEnter = 1u << 12,     // entry: Enter raises AlertKey for it instead of leaving it
};

// One column of a list box, left to right.
struct ListColumn {
  std::string_view heading = {};  // "Remote File"; "" for an icon column
  int width = 0;                  // dialog units
  bool icon = false;              // shows the row's icon instead of text
  bool centred = false;           // contents centred (else left with a small indent)
};

// Dialog units from the window's top left corner; 0 width/height: natural size.
struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
};

struct ControlDesc {
  std::string_view id = {};  // "?LOCATIONID", "?BSTOREOWNER:RADIO2"
  ControlKind kind = ControlKind::Text;
  std::string_view text = {};      // caption ("&" marks the mnemonic); heading of a list column set
  Rect at = {};
  unsigned attrs = kNoAttr;
  std::string_view picture = {};   // entry or variable text: "@s50", "@n4b" (see picture.h)
  std::string_view variable = {};  // name of the bound variable ("LOCATIONID"), "" when none;
                              // the procedure binds it at run time (Window::bindVariable)
  std::string_view icon = {};      // icon or picture resource name ("FTPUpd.ICO", "BluBall.ico")
  int value = 0;              // radio: the value it gives its group; check box: the value
                              // when ticked (0 means 1)
  int parent = 0;             // radio: its option group; tab: its sheet; a control on a
                              // tab: that tab (0 = radio/tab derive it from the nearest
                              // preceding group/sheet; others: lies on no tab)
  std::string_view font = {};      // "" = the window's font; else "Face,points[,bold]"
  std::span<const ListColumn> columns = {};  // list box only
};

struct WindowDesc {
  std::string_view name = {};   // "P1$FTPINSTALLER"
  std::string_view caption = {};  // title bar
  int width = 0, height = 0; // dialog units
  std::string_view font = "MS Sans Serif";
  int fontSize = 8;
  bool modal = true;
  std::span<const ControlDesc> controls = {};
};

// Names used in the transcript and in messages: "entry", "checkbox", ...
std::string_view kindName(ControlKind kind);

// Identifiers and window names compare without regard to case.
bool sameIdentifier(std::string_view a, std::string_view b);

}  // namespace vl::ui
