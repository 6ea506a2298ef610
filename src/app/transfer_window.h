#pragma once
// The transfer window $FTPWINDOW: the one window that shows a transfer in
// progress. It has no procedure of its own: a transfer run opens it, drives
// its controls and closes it; the Internet status callback writes the
// connection status (controls 6 and 7) and the per-file bar (control 8).
//
// There is one window object per program state, prepared at program start,
// closed but kept between runs and disposed of at program end. Because the
// object lives on, controls a run has shown or hidden keep that state, so
// OpenTransferWindow puts every control a run depends on into the state that
// run needs.
//
//   PrepareTransferWindow(state);                  // program start
//   OpenTransferWindow(state, TransferProtocol::Ftp);
//   ShowTransferStatus(state, "Downloading updates...");
//   CloseTransferWindow(state);                    // end of the run
//   DisposeTransferWindow(state);                  // program end
//
// Every procedure here takes the program state; OpenTransferWindow and
// TransferWindowOf prepare the window on first use when nobody did.
#include <string_view>

#include "data/program_state.h"
#include "platform/ui/window.h"
#include "platform/ui/window_desc.h"

namespace vl::transfer {

// Control numbers, in declaration order.
inline constexpr int kHeading = 1;                  // ?STRHEADINGFTPWINDOW
inline constexpr int kTransferStatusPrompt = 2;     // ?PRMTRANSFERSTATUS
inline constexpr int kStatus = 3;                   // ?STRFTPSTATUS      (STRFTPSTATUS)
inline constexpr int kOverallProgress = 4;          // ?PRGFTP            (PRGFTP)
inline constexpr int kConnectionStatusPrompt = 5;   // ?PRMCONNECTIONSTATUS
inline constexpr int kCallbackImage = 6;            // ?FTPCALLBACKSTATUSIMG
inline constexpr int kCallbackStatus = 7;           // ?FTPCALLBACKSTATUS (FTPCALLBACKSTATUS)
inline constexpr int kFileProgress = 8;             // ?PRGFILE           (PRGFILE)
inline constexpr int kContinue = 9;                 // ?CMDCONTINUE
inline constexpr int kCancel = 10;                  // ?CMDCANCEL
inline constexpr int kPicture = 11;                 // ?IMGFTP1
inline constexpr int kFileList = 12;                // ?LSTTRANSFERFILES  (LUF)
inline constexpr int kMultipleSelection = 13;       // ?BMULTIPLESELECTION
inline constexpr int kSelectAll = 14;               // ?CMDSELECTALL
inline constexpr int kDeselectAll = 15;             // ?CMDDESELECTALL
inline constexpr int kSortOrder = 16;               // ?BSORTORDER        (BSORTORDER)
inline constexpr int kSizeRadio = 17;               // ?SORTORDER:RADIO1  value 1
inline constexpr int kNameRadio = 18;               // ?SORTORDER:RADIO2  value 2
inline constexpr int kControlCount = 18;

inline constexpr std::string_view kWindowName = "$FTPWINDOW";
inline constexpr std::string_view kHeadingText = "Internet Data Transfer";
inline constexpr std::string_view kFtpSuffix = " - FTP";
inline constexpr std::string_view kHttpSuffix = " - HTTP";

// The list's icons: 1 the file being fetched, 2 a file done (LUF:ICON).
inline constexpr int kIconFetching = 1;
inline constexpr int kIconDone = 2;
inline constexpr std::string_view kArrowIcon = "~C:\\VLSDev\\Images\\BArrow4.ICO";
inline constexpr std::string_view kTickIcon = "~C:\\VLSDev\\Images\\lstCheckON.ICO";

extern const ui::WindowDesc kTransferWindow;

}  // namespace vl::transfer

namespace vl {

enum class TransferProtocol { Ftp, Http };

// Builds the window object with every control in its initial state, binds
// its variables (STRFTPSTATUS, PRGFTP, FTPCALLBACKSTATUS, PRGFILE,
// BMULTIPLESELECTION, BSORTORDER) and its list to LUF. Does nothing when the
// window is already prepared for this state.
void PrepareTransferWindow(ProgramState& state);
// Closes and destroys the window object (program end). Safe when not prepared.
void DisposeTransferWindow(ProgramState& state);

// Prepare on construction, dispose on destruction: what main (or a test) holds.
class TransferWindowLifetime {
 public:
  explicit TransferWindowLifetime(ProgramState& state) : state_(state) { PrepareTransferWindow(state_); }
  ~TransferWindowLifetime() { DisposeTransferWindow(state_); }
  TransferWindowLifetime(const TransferWindowLifetime&) = delete;
  TransferWindowLifetime& operator=(const TransferWindowLifetime&) = delete;

 private:
  ProgramState& state_;
};

// The window object of this state (prepared on first use).
ui::Window& TransferWindowOf(ProgramState& state);
// The window object only while it is open, else nullptr: what code that
// merely updates a shown window (the status callback) writes to.
ui::Window* OpenTransferWindowOf(ProgramState& state);

// Opens the window for a run of this protocol: heading "Internet Data
// Transfer - FTP" or "... - HTTP" (set, not appended, so that a second run
// does not show the suffix twice); connection picture shown for HTTP, hidden
// for FTP; review controls (9, 10, 13 to 18) hidden, Select All and Deselect
// All disabled, list marks off; list icons 1 arrow and 2 tick; everything
// redisplayed. Returns the open window for the run's event loop.
ui::Window& OpenTransferWindow(ProgramState& state, TransferProtocol protocol);
// Closes the window when it is open; the object stays for the next run.
void CloseTransferWindow(ProgramState& state);

// STRFTPSTATUS := text (cut to 60), then control 3 redisplayed when the
// window is open.
void ShowTransferStatus(ProgramState& state, std::string_view text);
// Every control shows its variable again (when the window is open).
void RedisplayTransferWindow(ProgramState& state);

// The review controls of the HTTP preview: shows (or hides) Continue,
// Cancel, "Enable Multiple Selection" and the sort order group.
void ShowTransferReview(ProgramState& state, bool shown);
// Row marks bound to LUF:MARK on or off; Select All and Deselect All enabled
// with them. Turning marks off selects the first row.
void SetTransferListMarks(ProgramState& state, bool on);

}  // namespace vl
