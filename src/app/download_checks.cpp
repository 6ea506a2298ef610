// The checks the Download button makes, in their fixed order, before anything
// is saved.
#include <string>

#include "app/download_command.h"
#include "app/settings_file.h"
#include "app/setup_context.h"
#include "app/setup_window_desc.h"
#include "data/builtin_account.h"
#include "data/fixed_paths.h"
#include "platform/fs/files.h"
#include "services/messages.h"

namespace vl::setup {
namespace {

constexpr std::string_view kNoRdbms = "You must select the POS RDBMS type.";
constexpr std::string_view kSqlOnIsamTill =
    "You have selected the SQL POS version as a target but the system cannot detect that the|"
    "C:\\Vorlan\\T1\\SQL\\VL_SQLPOS.FDB database file is installed.||"
    "Are you sure that you want to download the SQL POS version?";
constexpr std::string_view kNoStoreOwner = "You must select the store owner.";
constexpr std::string_view kNoFileKinds = "You have not specified any files to be downloaded.";
constexpr std::string_view kNoTerminalId =
    "You must enter the Dial-Up Terminal ID when Trusted Mode has been selected.";
constexpr std::string_view kRecordNotSaved = "Error updating the VLSInet.TPS file.";
constexpr std::string_view kIsamEcrProgram = "VLSECR.EXE";

bool warn(SetupContext& ctx, std::string_view text, int focus) {
  services::ShowMessage(text, "", services::kMessageWarning, true);
  if (focus != 0) ctx.window.select(focus);
  return false;
}

bool stopAt(SetupContext& ctx, int focus) {
  ctx.window.select(focus);
  return false;
}

// An ISAM till (its ECR program present, no SQL database) asked to take the SQL version.
bool sqlOnIsamTill() {
  return !fs::exists(paths::kSqlDatabaseFile) &&
         fs::exists(std::string(paths::kTerminalDir) + std::string(kIsamEcrProgram));
}

bool formIsComplete(SetupContext& ctx) {
  const ProgramState& s = ctx.state;
  if (s.POSRDBMS == kRdbmsNone) return warn(ctx, kNoRdbms, kPosRdbms);
  if (s.POSRDBMS == kRdbmsSql && sqlOnIsamTill() &&
      !services::AskYesNo(kSqlOnIsamTill, "", true, services::kButtonNo, false)) {
    return false;
  }
  if (s.BSTOREOWNER == kStoreOwnerUndetermined) return warn(ctx, kNoStoreOwner, kStoreOwner);
  if (!s.BDATA && !s.BECR && !s.BLOADER && !s.BDLLS) return warn(ctx, kNoFileKinds, 0);
  if (s.FTP.LOCALFTP.blank()) return stopAt(ctx, kLocalFolder);
  if (s.LOCATIONID == 0) return stopAt(ctx, kLocationId);
  if (s.AUXTRUSTEDMODE && s.TERMID == 0) return warn(ctx, kNoTerminalId, kTermId);
  return true;
}

}  // namespace

bool CheckAndDownload(SetupContext& ctx) {
  if (!formIsComplete(ctx)) return false;
  ctx.state.FTP.USERNAME = kBuiltInUserName;
  ctx.state.FTP.PASSWORD = kBuiltInPassword;
  if (!WriteSettingsRecord(ctx.settings, ctx.state, false)) {
    services::ShowMessage(kRecordNotSaved, "", services::kMessageError, true);
    return false;
  }
  DownloadCommand(ctx.state, ctx.runs);
  return true;
}

}  // namespace vl::setup
