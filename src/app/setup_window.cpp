#include "app/setup_window.h"

#include "app/settings_file.h"
#include "app/setup_context.h"
#include "app/setup_window_desc.h"
#include "platform/ui/backend.h"

namespace vl {
namespace setup {

void BindSetupVariables(ui::Window& w, ProgramState& s) {
  using ui::bindVar;
  w.bindVariable("BSTOREOWNER", bindVar(s.BSTOREOWNER));
  w.bindVariable("USERNAME", bindVar(s.USERNAME));
  w.bindVariable("USERLOCATION", bindVar(s.USERLOCATION));
  w.bindVariable("FTP:LOCALFTP", bindVar(s.FTP.LOCALFTP));
  w.bindVariable("LOCATIONID", bindVar(s.LOCATIONID));
  w.bindVariable("FTP:GLOBALFTP", bindVar(s.FTP.GLOBALFTP));
  w.bindVariable("BDATA", bindVar(s.BDATA));
  w.bindVariable("BECR", bindVar(s.BECR));
  w.bindVariable("BLOADER", bindVar(s.BLOADER));
  w.bindVariable("POSRDBMS", bindVar(s.POSRDBMS));
  w.bindVariable("BDLLS", bindVar(s.BDLLS));
  w.bindVariable("BREMOVEUPDTOKENS", bindVar(s.BREMOVEUPDTOKENS));
  w.bindVariable("AUXTRUSTEDMODE", bindVar(s.AUXTRUSTEDMODE));
  w.bindVariable("TERMID", bindVar(s.TERMID));
  w.bindVariable("STRFTPADDRESS", bindVar(s.STRFTPADDRESS));
  w.bindVariable("STRFTPUSERNAME", bindVar(s.STRFTPUSERNAME));
  w.bindVariable("STRFTPPASSWORD", bindVar(s.STRFTPPASSWORD));
  w.bindVariable("FTPPASSIVEMODE", bindVar(s.FTPPASSIVEMODE));
  w.bindVariable("BUSESSL", bindVar(s.BUSESSL));
  w.bindVariable("BPROTOCOLTYPE", bindVar(s.BPROTOCOLTYPE));
  w.bindVariable("BCONNECTIONLAN", bindVar(s.BCONNECTIONLAN));
  w.bindVariable("BCONNECTIONMODEM", bindVar(s.BCONNECTIONMODEM));
  w.bindVariable("BCONNECTIONMODEMBUSY", bindVar(s.BCONNECTIONMODEMBUSY));
  w.bindVariable("BCONNECTIONRAS", bindVar(s.BCONNECTIONRAS));
  w.bindVariable("BCONNECTIONPROXY", bindVar(s.BCONNECTIONPROXY));
  w.bindVariable("BCONNECTIONCONFIGURED", bindVar(s.BCONNECTIONCONFIGURED));
  w.bindVariable("BCONNECTIONOFFLINE", bindVar(s.BCONNECTIONOFFLINE));
  w.bindVariable("BPREVIEWUPDATELIST", bindVar(s.BPREVIEWUPDATELIST));
  w.bindVariable("STRVERSION", bindVar(s.STRVERSION));
}

namespace {

using ui::Event;
using ui::EventKind;

void onAccepted(SetupContext& ctx, int control) {
  ProgramState& s = ctx.state;
  switch (control) {
    case kStoreOwner: ApplyStoreOwnerRule(ctx); break;
    case kLocalFolder: ApplyLocalFolderRule(ctx); break;
    case kGlobalFolder: ApplyGlobalFolderTyped(ctx); break;
    case kFullDownload:
      s.BDATA = s.BECR = s.BLOADER = s.BDLLS = 1;
      ctx.window.display();
      break;
    case kDataDownloadOnly:
      s.BDATA = 1;
      s.BECR = s.BLOADER = s.BDLLS = 0;
      ctx.window.display();
      break;
    case kTrustedMode: ApplyTrustedModeRule(ctx); break;
    case kUseSsl: StoreUseSsl(ctx); break;
    case kProtocol: ApplyProtocolRule(ctx); break;
    case kHttpRadio: ctx.window.setDisabled(kPassiveFtp, true); break;
    case kCloseButton: ctx.window.post(EventKind::CloseWindow); break;
    case kDownloadButton: CheckAndDownload(ctx); break;
    case kKeyboardButton: ApplyKeyboardRule(ctx); break;
    default: break;
  }
}

void onEvent(SetupContext& ctx, const Event& e) {
  switch (e.kind) {
    case EventKind::OpenWindow:
      if (ctx.state.windowOpened) break;
      ctx.state.windowOpened = true;
      ctx.window.display();
      if (ctx.window.focus() != 0) ctx.window.select(ctx.window.focus());
      break;
    case EventKind::GainFocus: ctx.window.display(); break;
    case EventKind::Rejected:
      ui::beep();
      ctx.window.display(e.control);
      ctx.window.select(e.control);
      break;
    case EventKind::Selected:
      if (e.control != kKeyboardButton) ctx.state.lastSelectedControl = e.control;
      if (e.control == kSheet) ctx.window.display();
      break;
    case EventKind::NewSelection:
    case EventKind::TabChanging:
      if (e.control == kSheet) ctx.window.display();
      break;
    case EventKind::Accepted:
      if (e.control == kSheet) ctx.window.display();
      onAccepted(ctx, e.control);
      break;
    default: break;
  }
}

}  // namespace
}  // namespace setup

void RunSetupWindow(ProgramState& state, const TransferRuns& runs) {
  using namespace setup;
  ui::Window window(kSetupWindow);
  BindSetupVariables(window, state);
  state.inboxListing.free();
  if (!PrepareRun(state)) return;
  EnterWorkingDirectory();
  records::DataFile settings = makeSettingsFile();
  LoadSettings(state, settings);
  SetupContext ctx{state, window, settings, runs};
  window.open();
  InitialiseWindow(ctx);
  while (ui::Event e = window.accept()) onEvent(ctx, e);
  settings.close();
  state.WindowResult = kWindowCancelled;
}

}  // namespace vl
