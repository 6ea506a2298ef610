#include "app/setup_window_desc.h"

namespace vl::setup {
namespace {

using ui::ControlDesc;
using enum ui::ControlKind;
using ui::kBold;
using ui::kBoxed;
using ui::kCapitalised;
using ui::kChecksRequired;
using ui::kDisabled;
using ui::kHidden;
using ui::kReadOnly;
using ui::kRequired;
using ui::kUpperCase;

// Tabs: controls lying on them name them as their parent.
constexpr int kGeneral = 3;
constexpr int kAccount = 35;
constexpr int kConnection = 49;

constexpr ControlDesc kControls[] = {
    {.id = "?STRING4", .kind = Text, .text = "Vorlan Cloud POS Location Downloader", .at = {7, 14},
     .attrs = kBold, .font = "MS Sans Serif,12,bold"},
    {.id = "?SHEET1", .kind = Sheet, .at = {5, 46, 279, 298}},
    {.id = "?TAB1", .kind = Tab, .text = "&General"},
    {.id = "?STRING1:2", .kind = Heading, .text = "POS Location Details", .at = {13, 67}, .attrs = kBold,
     .parent = kGeneral},
    {.id = "?PROMPT1:8", .kind = Prompt, .text = "&Username:", .at = {14, 120}, .parent = kGeneral},
    {.id = "?BSTOREOWNER", .kind = OptionGroup, .text = "Store Owner Type:  ", .at = {14, 83}, .attrs = kBoxed,
     .variable = "BSTOREOWNER", .parent = kGeneral},
    {.id = "?BSTOREOWNER:RADIO1", .kind = Radio, .text = "Corporate Store", .at = {102, 95}, .value = 1},
    {.id = "?BSTOREOWNER:RADIO2", .kind = Radio, .text = "Partner Store", .at = {191, 95}, .value = 2},
    {.id = "?USERNAME", .kind = Entry, .at = {102, 120}, .attrs = kRequired | kCapitalised, .picture = "@s50",
     .variable = "USERNAME", .parent = kGeneral},
    {.id = "?PROMPT1:9", .kind = Prompt, .text = "&Target Location:", .at = {14, 135}, .parent = kGeneral},
    {.id = "?USERLOCATION", .kind = Entry, .at = {102, 135}, .attrs = kRequired | kCapitalised,
     .picture = "@s50", .variable = "USERLOCATION", .parent = kGeneral},
    {.id = "?PROMPT1", .kind = Prompt, .text = "Local Cloud Folder:", .at = {14, 150}, .parent = kGeneral},
    {.id = "?FTP:LOCALFTP", .kind = Entry, .at = {102, 150}, .attrs = kRequired | kUpperCase, .picture = "@s80",
     .variable = "FTP:LOCALFTP", .parent = kGeneral},
    {.id = "?PROMPT1:2", .kind = Prompt, .text = "&POS Location ID:", .at = {14, 166}, .parent = kGeneral},
    {.id = "?LOCATIONID", .kind = Entry, .at = {102, 166}, .attrs = kRequired, .picture = "@n4b",
     .variable = "LOCATIONID", .parent = kGeneral},
    {.id = "?STRING7", .kind = Text, .text = "(as defined in this store's BOH  database)", .at = {136, 167},
     .parent = kGeneral},
    {.id = "?LINE1", .kind = Line, .at = {13, 183}, .parent = kGeneral},
    {.id = "?PRMHQFTP", .kind = Prompt, .text = "Global Cloud  Folder:", .at = {11, 189}, .attrs = kDisabled,
     .parent = kGeneral},
    {.id = "?FTP:GLOBALFTP", .kind = Entry, .at = {102, 189}, .attrs = kDisabled | kRequired | kUpperCase,
     .picture = "@s80", .variable = "FTP:GLOBALFTP", .parent = kGeneral},
    {.id = "?STRING1", .kind = Heading, .text = "Download", .at = {13, 205}, .attrs = kBold, .parent = kGeneral},
    {.id = "?CMDFULL", .kind = Button, .text = "Full Download", .at = {25, 222}, .parent = kGeneral},
    {.id = "?CMDDATAONLY", .kind = Button, .text = "Data Download Only", .at = {153, 222}, .parent = kGeneral},
    {.id = "?BDATA", .kind = CheckBox, .text = "Database files", .at = {14, 251}, .variable = "BDATA",
     .parent = kGeneral},
    {.id = "?BECR", .kind = CheckBox, .text = "Vorlan ECR and associated executables", .at = {105, 250},
     .variable = "BECR", .parent = kGeneral},
    {.id = "?STRUPDFLAGS", .kind = Heading, .text = "Update Flags", .at = {13, 295}, .attrs = kBold,
     .parent = kGeneral},
    {.id = "?BLOADER", .kind = CheckBox, .text = "ECR Loader", .at = {14, 266}, .variable = "BLOADER",
     .parent = kGeneral},
    {.id = "?POSRDBMS", .kind = OptionGroup, .text = "POS RDBMS:", .at = {105, 268}, .attrs = kBoxed,
     .variable = "POSRDBMS", .parent = kGeneral},
    {.id = "?POSRDBMS:RADIO1", .kind = Radio, .text = "ISAM", .at = {159, 276}, .value = 1},
    {.id = "?POSRDBMS:RADIO2", .kind = Radio, .text = "SQL", .at = {210, 276}, .value = 2},
    {.id = "?BDLLS", .kind = CheckBox, .text = "DLLs", .at = {13, 281}, .variable = "BDLLS", .parent = kGeneral},
    {.id = "?BREMOVEUPDTOKENS", .kind = CheckBox, .text = "&Remove remote update flags", .at = {14, 312},
     .variable = "BREMOVEUPDTOKENS", .parent = kGeneral},
    {.id = "?AUXTRUSTEDMODE", .kind = CheckBox, .text = "&Trusted Mode", .at = {14, 327},
     .variable = "AUXTRUSTEDMODE", .parent = kGeneral},
    {.id = "?PRMDUT", .kind = Prompt, .text = "Dial Up Terminal &ID:", .at = {79, 328}, .attrs = kDisabled,
     .parent = kGeneral},
    {.id = "?TERMID", .kind = Entry, .at = {145, 328}, .attrs = kDisabled, .picture = "@n3b", .variable = "TERMID",
     .parent = kGeneral},
    {.id = "?TAB2", .kind = Tab, .text = "Internet &Account"},
    {.id = "?STRHEADINGTAB2", .kind = Heading, .text = "Internet Account Details", .at = {13, 71}, .attrs = kBold,
     .parent = kAccount},
    {.id = "?STRHEADINGTAB2:2", .kind = Heading, .text = "Remote Folders", .at = {13, 135}, .attrs = kBold,
     .parent = kAccount},
    {.id = "?PROMPT1:3", .kind = Prompt, .text = "*Server Address:", .at = {15, 90}, .parent = kAccount},
    {.id = "?STRFTPADDRESS", .kind = Entry, .at = {70, 90}, .attrs = kRequired, .picture = "@s20",
     .variable = "STRFTPADDRESS", .parent = kAccount},
    {.id = "?PROMPT1:4", .kind = Prompt, .text = "Username:", .at = {15, 103}, .attrs = kHidden, .parent = kAccount},
    {.id = "?STRFTPUSERNAME", .kind = Entry, .at = {70, 104}, .attrs = kHidden, .picture = "@s10",
     .variable = "STRFTPUSERNAME", .parent = kAccount},
    {.id = "?PROMPT1:5", .kind = Prompt, .text = "Password:", .at = {15, 119}, .attrs = kHidden, .parent = kAccount},
    {.id = "?STRFTPPASSWORD", .kind = Entry, .at = {70, 119}, .attrs = kHidden, .picture = "@s10",
     .variable = "STRFTPPASSWORD", .parent = kAccount},
    {.id = "?PROMPT1:7", .kind = Prompt, .text = "* Partner:", .at = {15, 150}, .parent = kAccount},
    {.id = "?FTP:LOCALFTP:3", .kind = Entry, .at = {70, 150}, .attrs = kReadOnly | kRequired | kUpperCase,
     .picture = "@s80", .variable = "FTP:LOCALFTP", .parent = kAccount},
    {.id = "?PROMPT1:6", .kind = Prompt, .text = "* Corporate:", .at = {15, 165}, .parent = kAccount},
    {.id = "?FTP:GLOBALFTP:2", .kind = Entry, .at = {70, 165}, .attrs = kReadOnly | kUpperCase, .picture = "@s80",
     .variable = "FTP:GLOBALFTP", .parent = kAccount},
    {.id = "?CMDSAVE", .kind = Button, .text = "*Save Internet Account Settings", .at = {71, 188}, .attrs = kHidden,
     .parent = kAccount},
    {.id = "?TAB3", .kind = Tab, .text = "Internet &Connection Properties"},
    {.id = "?STRHEADINGTAB3", .kind = Heading, .text = "Internet Connection Properties", .at = {11, 72},
     .attrs = kBold, .parent = kConnection},
    {.id = "?FTPPASSIVEMODE", .kind = CheckBox, .text = "Use passive FTP", .at = {90, 126}, .attrs = kDisabled,
     .variable = "FTPPASSIVEMODE", .parent = kConnection},
    {.id = "?BUSESSL", .kind = CheckBox, .text = "Use SSL", .at = {27, 126}, .variable = "BUSESSL",
     .parent = kConnection},
    {.id = "?BPROTOCOLTYPE", .kind = OptionGroup, .text = "Protocol Type:", .at = {17, 89}, .attrs = kBoxed,
     .variable = "BPROTOCOLTYPE", .parent = kConnection},
    {.id = "?BPROTOCOLTYPE:RADIO1", .kind = Radio, .text = "&HTTP", .at = {27, 107}, .value = 1},
    {.id = "?BPROTOCOLTYPE:RADIO2", .kind = Radio, .text = "&FTP", .at = {89, 107}, .value = 2},
    {.id = "?STRING2", .kind = Text, .text = "Connection type:", .at = {13, 201}, .parent = kConnection},
    {.id = "?BCONNECTIONLAN", .kind = CheckBox, .text = "LAN", .at = {14, 211}, .attrs = kDisabled,
     .variable = "BCONNECTIONLAN", .parent = kConnection},
    {.id = "?BCONNECTIONMODEM", .kind = CheckBox, .text = "Modem", .at = {14, 237}, .attrs = kDisabled,
     .variable = "BCONNECTIONMODEM", .parent = kConnection},
    {.id = "?BCONNECTIONMODEMBUSY", .kind = CheckBox, .text = "Modem is busy", .at = {25, 246}, .attrs = kDisabled,
     .variable = "BCONNECTIONMODEMBUSY", .parent = kConnection},
    {.id = "?STRING3", .kind = Text, .text = "Miscellaneous:", .at = {13, 263}, .parent = kConnection},
    {.id = "?BCONNECTIONRAS", .kind = CheckBox, .text = "RAS Installed", .at = {14, 274}, .attrs = kDisabled,
     .variable = "BCONNECTIONRAS", .parent = kConnection},
    {.id = "?BCONNECTIONPROXY", .kind = CheckBox, .text = "Detected Proxy", .at = {14, 285}, .attrs = kDisabled,
     .variable = "BCONNECTIONPROXY", .parent = kConnection},
    {.id = "?BCONNECTIONCONFIGURED", .kind = CheckBox, .text = "Internet connection configured", .at = {14, 186},
     .attrs = kDisabled, .variable = "BCONNECTIONCONFIGURED", .parent = kConnection},
    {.id = "?STRHEADINGTAB3:2", .kind = Heading, .text = " WinInet Settings (read only)", .at = {11, 170},
     .attrs = kBold, .parent = kConnection},
    {.id = "?BCONNECTIONOFFLINE", .kind = CheckBox, .text = "Connection is Off Line", .at = {25, 222},
     .attrs = kDisabled, .variable = "BCONNECTIONOFFLINE", .parent = kConnection},
    {.id = "?CANCELBUTTON", .kind = Button, .text = "Close", .at = {298, 14}, .icon = "SmallBlueCross.ico"},
    {.id = "?OKBUTTON", .kind = Button, .text = "Download", .at = {298, 61}, .attrs = kChecksRequired,
     .icon = "FTPUpd.ICO"},
    {.id = "?CMDKEYBOARD", .kind = Button, .at = {297, 102, 69, 40}, .icon = "KEYBRD03.ICO"},
    {.id = "?BPREVIEWUPDATELIST", .kind = CheckBox, .text = "Preview Update List", .at = {293, 198},
     .variable = "BPREVIEWUPDATELIST"},
    {.id = "?STRING13", .kind = Text, .at = {325, 243}},
    {.id = "?STRVERSION", .kind = Text, .at = {287, 334}, .picture = "@s20", .variable = "STRVERSION"},
};

static_assert(std::size(kControls) == kControlCount);

}  // namespace

const ui::WindowDesc kSetupWindow{.name = "P1$FTPINSTALLER",
                                  .caption = "Vorlan Cloud POS Location Downloader",
                                  .width = 378,
                                  .height = 348,
                                  .controls = kControls};

}  // namespace vl::setup
