// The transfer runs of the headless program build used by the FTP end-to-end
// tests: the real FTP run; HTTP is not part of these tests.
#include "app/transfer_runs.h"
#include "ftp/ftp_run.h"
#include "services/messages.h"

namespace vl {

TransferRuns defaultTransferRuns() {
  return {[](ProgramState&) {
            services::ShowMessage("HTTP is not part of this test build.", "", services::kMessageInformation, true);
            return kRunNotDone;
          },
          RunFtpTransfer};
}

}  // namespace vl
