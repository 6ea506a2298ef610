#include "ftp/ftp_remote_log.h"

#include "app/transfer_window.h"
#include "data/records.h"
#include "ftp/ftp_log_lines.h"
#include "inet/error_report.h"
#include "platform/fs/files.h"
#include "platform/sys/system.h"
#include "services/data_file_open.h"

namespace vl::ftp {
namespace {

records::DataFile textFile(std::string name) {
  records::DataFile file("ASCIIEXP", records::Driver::Text, TextLine::kLayout, TextLine::kSize);
  file.setName(std::move(name));
  return file;
}

void addLine(FtpRunContext& ctx, records::DataFile& file, std::string_view text) {
  ctx.state.ASC.LINE = text;
  (void)file.add(toBytes(ctx.state.ASC));
}

}  // namespace

void AddUpdateListLines(FtpRunContext& ctx, records::DataFile& file) {
  for (const std::string& line : UpdateListLines(ctx.state)) addLine(ctx, file, line);
}

void WriteFtpRemoteLog(FtpRunContext& ctx) {
  ShowTransferStatus(ctx.state, kUpdatingLogText);
  const fs::CalendarTime now = sys::localNow();
  ctx.state.LogFileName = FtpLogFileName(now);
  const std::string logName = ctx.state.LogFileName.str();
  (void)fs::deleteFile(logName);

  const FtpLogFacts facts{ctx.logByteCount, ctx.startClock, ctx.sizeMismatch, ctx.updateKinds};
  const std::string summary = FtpSummaryLine(ctx.state, facts, ClockNow());
  {
    records::DataFile log = textFile(logName);
    services::OpenDataFile(log);
    addLine(ctx, log, summary);
    AddUpdateListLines(ctx, log);
  }

  const std::string remotePath = std::string(ctx.logFolder.trimmed()) + logName;
  inet::TryFtpOperation(ctx, inet::kOpPutLog, [&] { return ctx.ftp.putFile(logName, remotePath); });
  (void)fs::deleteFile(logName);

  records::DataFile local = textFile(std::string(kLocalFtpLogFile));
  services::OpenDataFile(local);
  addLine(ctx, local, FtpLocalLogLine(sys::localNow(), ctx.state.FTP.LOCALFTP.trimmed(), summary));
  AddUpdateListLines(ctx, local);
}

}  // namespace vl::ftp
