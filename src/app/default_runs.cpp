// The transfer runs this executable ships with.
#include "app/transfer_runs.h"
#include "ftp/ftp_run.h"
#include "http/http_run.h"

namespace vl {

TransferRuns defaultTransferRuns() {
  TransferRuns runs;
  runs.http = [](ProgramState& state) { return RunHttpTransfer(state); };
  runs.ftp = [](ProgramState& state) { return RunFtpTransfer(state); };
  return runs;
}

}  // namespace vl
