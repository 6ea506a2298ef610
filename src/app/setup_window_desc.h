#pragma once
// The location setup window P1$FTPINSTALLER: its description and the numbers
// of the controls the program addresses (numbered from 1 in declaration order).
#include "platform/ui/window_desc.h"

namespace vl::setup {

inline constexpr int kSheet = 2;
inline constexpr int kStoreOwner = 6;
inline constexpr int kUserName = 9;
inline constexpr int kUserLocation = 11;
inline constexpr int kLocalFolder = 13;
inline constexpr int kLocationId = 15;
inline constexpr int kGlobalFolderPrompt = 18;
inline constexpr int kGlobalFolder = 19;
inline constexpr int kFullDownload = 21;
inline constexpr int kDataDownloadOnly = 22;
inline constexpr int kPosRdbms = 27;
inline constexpr int kTrustedMode = 32;
inline constexpr int kTermIdPrompt = 33;
inline constexpr int kTermId = 34;
inline constexpr int kPassiveFtp = 51;
inline constexpr int kUseSsl = 52;
inline constexpr int kProtocol = 53;
inline constexpr int kHttpRadio = 54;
inline constexpr int kCloseButton = 66;
inline constexpr int kDownloadButton = 67;
inline constexpr int kKeyboardButton = 68;
inline constexpr int kControlCount = 71;

extern const ui::WindowDesc kSetupWindow;

}  // namespace vl::setup
