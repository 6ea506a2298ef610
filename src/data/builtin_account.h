#pragma once
// The server account compiled into the program, and the owner password of the
// settings file. The account goes into the settings record at startup and
// before every download, so a stored record never decides where we connect.
// (The platform layer may redirect the host name for staging and tests.)

#include <string_view>

namespace vl {

inline constexpr std::string_view kBuiltInAddress = "ftp.vorlanpos.net";  // 17 characters
inline constexpr std::string_view kBuiltInUserName = "VorlanFTP";
inline constexpr std::string_view kBuiltInPassword = "Vc8#pQ2!xLm";        // 11 characters
inline constexpr std::string_view kSettingsOwnerPassword = "Vl$Tps!2307k";  // 12 characters

static_assert(kBuiltInAddress.size() == 17 && kBuiltInPassword.size() == 11 &&
              kSettingsOwnerPassword.size() == 12);

}  // namespace vl
