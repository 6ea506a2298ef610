// The transfer runs this executable ships with.
#include <string>

#include "app/transfer_runs.h"
#include "http/http_run.h"
#include "services/messages.h"

namespace vl {
namespace {

TransferRun notAvailable(std::string protocol) {
  return [protocol](ProgramState&) {
    services::ShowMessage("Downloads over " + protocol + " are not available in this version.", "",
                          services::kMessageInformation, true);
    return kRunNotDone;
  };
}

}  // namespace

TransferRuns defaultTransferRuns() {
  TransferRuns runs;
  runs.http = [](ProgramState& state) { return RunHttpTransfer(state); };
  runs.ftp = notAvailable("FTP");
  return runs;
}

}  // namespace vl
