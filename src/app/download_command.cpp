#include "app/download_command.h"

#include <string>

#include "app/setup_context.h"
#include "data/control_flow.h"
#include "data/day_number.h"
#include "data/fixed_paths.h"
#include "data/ini_keys.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "platform/profile/profile.h"
#include "services/directory_path.h"
#include "services/messages.h"

namespace vl {
namespace {

constexpr std::string_view kTillProgram = "Quenta.Exe";
constexpr std::string_view kSqlTemplate = "VL_SQLPOS.TPL";
constexpr std::string_view kTillProgramFailed =
    "Error updating new ECR software version.||Contact your software manufacturer.";
constexpr std::string_view kCopyFailed = "Error copying the update file ";
constexpr std::string_view kCopyFailedDirectory = "|to the directory ";
constexpr std::string_view kDownloadComplete = "Download complete.";
// The program's stand-in for the setup window's system handle (there is one
// setup window, and the dial-up layer only needs to know it exists).
constexpr std::int32_t kSetupWindowHandle = 1;

std::string inboxFile(std::string_view name) { return std::string(paths::kInboxDir) + std::string(name); }
std::string binFile(std::string_view name) { return std::string(paths::kBinDir) + std::string(name); }

void saveSettings(const ProgramState& s) {
  const std::string ini = s.IniPath.str();
  const auto section = ini::kSectionAppKeyName;
  profile::writeInt(ini, section, ini::kKeyStoreOwner, s.BSTOREOWNER);
  profile::writeString(ini, section, ini::kKeyUserName, s.USERNAME.trimmed());
  profile::writeString(ini, section, ini::kKeyUserLocation, s.USERLOCATION.trimmed());
  profile::writeInt(ini, section, ini::kKeyLocationID, s.LOCATIONID);
  profile::writeInt(ini, section, ini::kKeyPOSRDBMS, s.POSRDBMS);
  profile::writeInt(ini, section, ini::kKeyLastDownload, setup::Today());
  profile::writeString(ini, section, ini::kKeyLocalFTP, s.FTP.LOCALFTP.trimmed());
  profile::writeString(ini, section, ini::kKeyGlobalFTP, s.FTP.GLOBALFTP.trimmed());
}

void makeDirectoryTree() {
  if (services::MakeDirectoryPath(paths::kInboxDir) != services::kPathMade) throw ProgramHalt{0};
  (void)services::MakeDirectoryPath(paths::kBinDir);
  (void)services::MakeDirectoryPath(paths::kOutboxDir);
  (void)services::MakeDirectoryPath(paths::kSentDir);
  (void)services::MakeDirectoryPath(paths::kZedBackUpDir);
}

int runTransfer(ProgramState& s, const TransferRuns& runs) {
  const TransferRun& run = s.BPROTOCOLTYPE == kProtocolFtp ? runs.ftp : runs.http;
  return run ? run(s) : kRunNotDone;
}

void installTillProgram() {
  if (!fs::exists(inboxFile(kTillProgram))) return;
  if (!fs::copyFile(inboxFile(kTillProgram), binFile(kTillProgram), false)) {
    services::ShowMessage(kTillProgramFailed, "", services::kMessageError, true);
  }
}

// A new SQL database starts from the template; an existing one is never replaced.
void installSqlTemplate(const ProgramState& s) {
  if (s.POSRDBMS != kRdbmsSql || !fs::exists(inboxFile(kSqlTemplate))) return;
  const std::string templateDir = std::string(paths::kTerminalDir) + std::string(paths::kSqlTemplateSubdir);
  if (services::MakeDirectoryPath(templateDir) != services::kPathMade) return;
  (void)fs::copyFile(inboxFile(kSqlTemplate), templateDir + "\\" + std::string(kSqlTemplate), false);
  if (!fs::exists(paths::kSqlDatabaseFile)) {
    (void)fs::copyFile(inboxFile(kSqlTemplate), paths::kSqlDatabaseFile, false);
  }
}

void listInbox(Queue<FileListEntry>& listing, std::string_view pattern) {
  constexpr std::uint8_t kSkipped = fs::kAttrHidden | fs::kAttrSystem | fs::kAttrDirectory;
  for (const fs::FindEntry& found : fs::listFolder(std::string(paths::kInboxDir) + std::string(pattern))) {
    if (found.attributes & kSkipped) continue;
    FileListEntry& e = listing.current;
    e = FileListEntry{};
    e.LONGNAME = found.longName;
    e.FILENAME = found.shortName.empty() ? found.longName : found.shortName;
    const fs::CalendarTime local = fs::localTimeFromUtc(found.lastWrite);
    e.DATE = dayNumber(local.year, local.month, local.day);
    e.TIME = timeOfDay(local.hour, local.minute, local.second, local.millisecond / 10);
    e.SIZE = static_cast<std::int32_t>(found.size & 0xFFFFFFFFu);
    e.ATTRIB = found.attributes;
    listing.add();
  }
}

// A copy that replaces a whole file is written to ".~NAME.XXXXXX" next to it
// and renamed over it; a program killed in between leaves that copy behind.
// Such leftovers are the program's own and are removed before a new download.
void removeLeftoverCopies(const std::string& folder) {
  for (const fs::FindEntry& found : fs::listFolder(folder + ".~*")) {
    if (!(found.attributes & fs::kAttrDirectory)) (void)fs::deleteFile(folder + found.longName);
  }
}

void removeLeftoverCopies(const ProgramState& s) {
  const std::string ini(s.IniPath.trimmed());
  removeLeftoverCopies(ini.substr(0, ini.find_last_of('\\') + 1));
  for (const std::string_view folder : {paths::kTerminalDir, paths::kInboxDir, paths::kBinDir})
    removeLeftoverCopies(std::string(folder));
}

}  // namespace

void DownloadCommand(ProgramState& s, const TransferRuns& runs) {
  s.MainWindowHandle = kSetupWindowHandle;
  removeLeftoverCopies(s);
  saveSettings(s);
  makeDirectoryTree();
  if (runTransfer(s, runs) != kRunDone) return;
  fs::setCurrentDirectory(paths::kInboxDir);
  installTillProgram();
  installSqlTemplate(s);
  s.inboxListing.free();
  listInbox(s.inboxListing, "*.DLL");
  listInbox(s.inboxListing, "*.SYS");
  listInbox(s.inboxListing, "*.EXE");
  InstallDownloadedPrograms(s);
}

void InstallDownloadedPrograms(ProgramState& s) {
  const auto count = static_cast<std::int16_t>(s.inboxListing.count());
  if (count > 0 && services::MakeDirectoryPath(paths::kBinDir) == services::kPathMade) {
    for (std::int16_t n = 1; n <= count; ++n) {
      s.inboxListing.get(static_cast<std::size_t>(n));
      const std::string name = s.inboxListing.current.LONGNAME.str();
      // copyFile writes a temporary in BIN and renames it over the old
      // program, so a failed copy never leaves a half-written executable.
      if (!fs::copyFile(inboxFile(name), binFile(name), false)) {
        services::ShowMessage(std::string(kCopyFailed) + name + std::string(kCopyFailedDirectory) +
                                  std::string(paths::kBinDir),
                              "", services::kMessageError, true);
      }
    }
  }
  services::ShowMessage(kDownloadComplete, "", services::kMessageInformation, true);
}

}  // namespace vl
