// What the setup window does before it is shown, and when it first opens.
#include <cctype>
#include <cstdint>
#include <string>

#include "app/settings_file.h"
#include "app/setup_context.h"
#include "data/builtin_account.h"
#include "data/day_number.h"
#include "data/fixed_paths.h"
#include "data/ini_keys.h"
#include "data/control_flow.h"
#include "platform/base/errors.h"
#include "platform/fs/paths.h"
#include "platform/inet/internet.h"
#include "platform/profile/profile.h"
#include "platform/sys/system.h"
#include "services/directory_path.h"
#include "services/messages.h"
#include "touch/keypad.h"

namespace vl::setup {
namespace {

constexpr std::string_view kDeveloperUserName = "Ilvo Test";
constexpr std::string_view kDeveloperLocation = "Test Location";
constexpr std::string_view kAccessPrompt = "Password:";
constexpr std::string_view kNoStartupDirectory = "Could not find the application startup directory:";
constexpr std::string_view kDefaultRecordFailed = "Error updating the local VLSInet.Tps file";
constexpr std::string_view kUndeterminedComputer = "Undetermined";

std::string iniPathFrom(std::string directory) {
  while (!directory.empty() && directory.back() == ' ') directory.pop_back();
  // A root keeps its backslash ("C:\"); do not double it.
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  return directory + std::string(ini::kIniFileName);
}

// The access prompt; true once today's code was entered.
bool askAccessCode(ProgramState& state) {
  std::string text = state.accessText.str();
  touch::KeypadEntry(state, kAccessPrompt, text, decltype(state.accessText)::kWidth,
                     touch::KeypadKind::Decimal);
  state.accessText = text;
  return state.WindowResult != kWindowCancelled;
}

void readConnectionState(ProgramState& state) {
  std::uint32_t flags = 0;
  if (!net::getConnectedState(flags)) return;
  state.BCONNECTIONMODEM = static_cast<std::uint8_t>(flags & 1);
  state.BCONNECTIONLAN = static_cast<std::uint8_t>(flags & 2);
  state.BCONNECTIONPROXY = static_cast<std::uint8_t>(flags & 4);
  state.BCONNECTIONMODEMBUSY = static_cast<std::uint8_t>(flags & 8);
  state.BCONNECTIONRAS = static_cast<std::uint8_t>(flags & 16);
  state.BCONNECTIONOFFLINE = static_cast<std::uint8_t>(flags & 32);
  state.BCONNECTIONCONFIGURED = static_cast<std::uint8_t>(flags & 64);
}

void readComputerName(ProgramState& state) {
  std::string name = sys::computerName();
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  state.ComputerName = name.empty() ? std::string(kUndeterminedComputer) : name;
}

// The settings remembered in the INI file; a key that is absent keeps the value in hand.
void readRememberedSettings(ProgramState& state) {
  const std::string ini = state.IniPath.str();
  const auto number = [&](std::string_view key, int inHand) {
    return profile::getInt(ini, ini::kSectionAppKeyName, key, inHand);
  };
  const auto text = [&](std::string_view key, std::string_view inHand) {
    return profile::getString(ini, ini::kSectionAppKeyName, key, inHand);
  };
  state.BSTOREOWNER = static_cast<std::uint8_t>(number(ini::kKeyStoreOwner, state.BSTOREOWNER));
  state.BUSESSL = static_cast<std::uint8_t>(number(ini::kKeyUseSSL, 1));
  state.USERLOCATION = text(ini::kKeyUserLocation, state.USERLOCATION.trimmed());
  state.LOCATIONID = static_cast<std::int16_t>(number(ini::kKeyLocationID, state.LOCATIONID));
  state.POSRDBMS = static_cast<std::uint8_t>(number(ini::kKeyPOSRDBMS, state.POSRDBMS));
  // The user name is remembered only until the end of the day of the last download.
  if (number(ini::kKeyLastDownload, 0) == Today()) {
    state.USERNAME = text(ini::kKeyUserName, state.USERNAME.trimmed());
  }
  state.FTP.LOCALFTP = text(ini::kKeyLocalFTP, "");
  state.FTP.GLOBALFTP = text(ini::kKeyGlobalFTP, "");
}

}  // namespace

std::int32_t Today() {
  const fs::CalendarTime now = sys::localNow();
  return dayNumber(now.year, now.month, now.day);
}

bool PrepareRun(ProgramState& state) {
  state.ProgramVersion = kProgramVersion;
  state.STRVERSION = std::string(kVersionPrefix) + state.ProgramVersion.str();
  state.IniPath = iniPathFrom(fs::currentDirectory());
  profile::writeString(state.IniPath.str(), ini::kSectionVLSInet, ini::kKeyVersion, state.ProgramVersion.str());
  if (profile::getInt(state.IniPath.str(), ini::kSectionVLSInet, ini::kKeyDevSwitch, 0) != 0) {
    state.USERNAME = kDeveloperUserName;
    state.USERLOCATION = kDeveloperLocation;
  } else if (!askAccessCode(state)) {
    return false;
  }
  state.BREMOVEUPDTOKENS = 1;
  return true;
}

void EnterWorkingDirectory() {
  (void)services::MakeDirectoryPath(paths::kTerminalDir);
  if (fs::setCurrentDirectory(paths::kTerminalDir)) return;
  // The runtime's error state carries the reason into the message.
  const std::uint32_t error = platform::lastWinError();
  platform::setFileError(static_cast<int>(error), platform::describeWinError(error));
  services::ShowMessage(std::string(kNoStartupDirectory) + std::string(paths::kTerminalDir), "",
                        services::kMessageError, true);
  throw ProgramHalt{0};
}

void LoadSettings(ProgramState& state, records::DataFile& settings) {
  OpenSettingsFile(settings);
  const bool found = ReadSettingsRecord(settings, state);
  if (!found || state.FTP.ADDRESS.blank()) {
    state.FTP.ADDRESS = kBuiltInAddress;
    state.FTP.USERNAME = kBuiltInUserName;
    state.FTP.PASSWORD = kBuiltInPassword;
    if (!WriteSettingsRecord(settings, state, !found)) {
      services::ShowMessage(kDefaultRecordFailed, "", services::kMessageError, true);
    }
  }
  // Whatever the file holds, we connect to the built-in server.
  state.FTP.ADDRESS = kBuiltInAddress;
  state.STRFTPADDRESS = state.FTP.ADDRESS;
}

void InitialiseWindow(SetupContext& ctx) {
  readConnectionState(ctx.state);
  readComputerName(ctx.state);
  readRememberedSettings(ctx.state);
  ApplyStoreOwnerRule(ctx);
  ctx.window.display();
}

}  // namespace vl::setup
