// The setup window's rules: what follows when the store owner, a folder, the
// protocol, trusted mode or Use SSL is changed.
#include <charconv>
#include <optional>
#include <string>

#include "app/setup_context.h"
#include "app/setup_window_desc.h"
#include "data/ini_keys.h"
#include "platform/profile/profile.h"
#include "services/text_utils.h"

namespace vl::setup {
namespace {

std::string forwardSlashes(std::string_view folder) { return services::ReplaceText(folder, "\\", "/"); }

// The location ID a partner store's folder name carries after its last
// capital F ("SHOPF12" gives 12); nothing when there is no F. A number the
// four-digit entry could not show is not taken.
std::optional<std::int16_t> locationIdFromFolder(std::string_view part) {
  const std::size_t f = part.rfind('F');
  if (f == std::string_view::npos) return std::nullopt;
  std::size_t end = f + 1;
  while (end < part.size() && part[end] >= '0' && part[end] <= '9') ++end;
  const std::string_view digits = part.substr(f + 1, end - f - 1);
  std::size_t first = 0;
  while (first + 1 < digits.size() && digits[first] == '0') ++first;
  int value = 0;
  if (digits.size() - first > 4) return std::nullopt;
  std::from_chars(digits.data() + first, digits.data() + digits.size(), value);
  return static_cast<std::int16_t>(value);
}

}  // namespace

void ApplyStoreOwnerRule(SetupContext& ctx) {
  const bool corporate = ctx.state.BSTOREOWNER == kStoreOwnerCorporate;
  ctx.window.setDisabled(kGlobalFolderPrompt, corporate);
  ctx.window.setDisabled(kGlobalFolder, corporate);
  ctx.window.setRequired(kGlobalFolder, !corporate);
  if (corporate) ctx.state.FTP.GLOBALFTP = "";
  ctx.window.display();
}

void ApplyLocalFolderRule(SetupContext& ctx) {
  ProgramState& s = ctx.state;
  s.FTP.LOCALFTP = forwardSlashes(s.FTP.LOCALFTP.trimmed());
  if (s.BSTOREOWNER == kStoreOwnerPartner && s.FTP.GLOBALFTP.blank()) {
    services::TextList parts;
    services::SplitText(parts, s.FTP.LOCALFTP.trimmed(), "/");
    // Without a first part there is no head office to derive ("/HQ" would be
    // no folder at all): the global folder stays blank for the user to type.
    if (!parts.empty() && !parts[0].empty()) {
      s.FTP.GLOBALFTP = parts[0] + "/" + parts[0] + "HQ";
      if (auto id = locationIdFromFolder(parts.size() > 1 ? parts[1] : std::string())) s.LOCATIONID = *id;
    }
  }
  ctx.window.display();
}

void ApplyGlobalFolderTyped(SetupContext& ctx) {
  ctx.state.FTP.GLOBALFTP = forwardSlashes(ctx.state.FTP.GLOBALFTP.trimmed());
  ctx.window.display();
}

void ApplyProtocolRule(SetupContext& ctx) {
  if (ctx.state.BPROTOCOLTYPE == vl::kProtocolHttp) {
    ctx.window.setDisabled(kPassiveFtp, true);
    ctx.state.FTPPASSIVEMODE = 0;
  } else if (ctx.state.BPROTOCOLTYPE == kProtocolFtp) {
    ctx.window.setDisabled(kPassiveFtp, false);
  }
  ctx.window.display();
}

void ApplyTrustedModeRule(SetupContext& ctx) {
  const bool trusted = ctx.state.AUXTRUSTEDMODE != 0;
  ctx.window.setDisabled(kTermIdPrompt, !trusted);
  ctx.window.setDisabled(kTermId, !trusted);
}

void StoreUseSsl(SetupContext& ctx) {
  profile::writeInt(ctx.state.IniPath.str(), ini::kSectionAppKeyName, ini::kKeyUseSSL, ctx.state.BUSESSL);
}

}  // namespace vl::setup
