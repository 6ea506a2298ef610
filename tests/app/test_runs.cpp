// Transfer runs for the test build of the headless program: instead of
// reaching a server, a run says what it was handed (a message box the
// transcript shows), drops the files of PREFIX/testrun/inbox/ into the
// terminal's inbox, and returns the number in PREFIX/testrun/result (0 when
// the file is missing).
#include <filesystem>
#include <fstream>
#include <string>

#include "app/transfer_runs.h"
#include "platform/base/platform_config.h"
#include "platform/fs/paths.h"
#include "platform/sys/system.h"
#include "services/messages.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

std::string handedOver(const std::string& protocol, const ProgramState& s) {
  return "Test run " + protocol + "|passive " + std::to_string(s.FTPPASSIVEMODE) + "|ssl " +
         std::to_string(s.BUSESSL) + "|window " + std::to_string(s.MainWindowHandle) + "|account " +
         s.FTP.ADDRESS.str() + " " + s.FTP.USERNAME.str() + "|folders " + s.FTP.LOCALFTP.str() + " " +
         s.FTP.GLOBALFTP.str() + "|drag " + std::to_string(sys::dragFullWindows() ? 1 : 0);
}

void fillInbox(const fs::path& from) {
  if (!fs::is_directory(from)) return;
  const fs::path inbox = vl::fs::toHostPath("C:\\VORLAN\\T1\\INBOX\\");
  for (const auto& entry : fs::directory_iterator(from)) {
    fs::copy_file(entry.path(), inbox / entry.path().filename(), fs::copy_options::overwrite_existing);
  }
}

int chosenResult(const fs::path& file) {
  int result = 0;
  std::ifstream in(file);
  if (in) in >> result;
  return result;
}

TransferRun testRun(std::string protocol) {
  return [protocol](ProgramState& s) {
    services::ShowMessage(handedOver(protocol, s), "", services::kMessageInformation, true);
    const fs::path dir = platform::platformConfig().prefix / "testrun";
    fillInbox(dir / "inbox");
    return chosenResult(dir / "result");
  };
}

}  // namespace

TransferRuns defaultTransferRuns() { return {testRun("HTTP"), testRun("FTP")}; }

}  // namespace vl
