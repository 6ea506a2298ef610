#pragma once
// The variables of one FTP or HTTP transfer run, shared by all its steps: the
// Internet session and connection, the attempt counting, the fields the error
// report fills in, the result, and the folder, flag and byte values the run's
// steps pass to each other. A run creates one when it starts and drops it
// when it returns; runs that need more fields keep them in a struct of their
// own that holds (or derives from) this one.
//
// Not copyable: the handles inside close themselves when the context goes.
#include <cstdint>
#include <string>

#include "data/fixed_text.h"
#include "data/program_state.h"
#include "platform/inet/internet.h"

namespace vl::inet {

// Each Internet operation is tried until the attempt counter exceeds the
// limit: four tries before the failure is reported.
inline constexpr std::uint8_t kAttemptLimit = 3;

// Dial modes, set by the run before its first connect.
inline constexpr std::uint8_t kDialNever = 1;  // the FTP run
inline constexpr std::uint8_t kDialHttp = 3;   // the HTTP run: may dial; host and port
                                               // come from the setup window's values

// Result codes (the run's result): done, not done (not configured, cancelled,
// refused by the server), ended by or after an Internet error report.
inline constexpr std::uint8_t kResultDone = 0;
inline constexpr std::uint8_t kResultNotDone = 1;
inline constexpr std::uint8_t kResultInternetError = 2;

inline constexpr std::uint32_t kServiceFtp = 1;
inline constexpr std::uint32_t kServiceHttp = 3;

struct RunContext {
  // Takes the current directory as the one the end of the run goes back to.
  explicit RunContext(ProgramState& programState);
  RunContext(const RunContext&) = delete;
  RunContext& operator=(const RunContext&) = delete;
  virtual ~RunContext() = default;

  ProgramState& state;

  // --- session -----------------------------------------------------------
  net::Session session;
  net::FtpConnection ftp;    // the FTP run's connection
  net::HttpConnection http;  // the HTTP run's connection
  bool callbackRegistered = false;
  std::uint32_t connectedFlags = 0;
  std::uint8_t connectedResult = 0;
  std::uint8_t dialMode = 0;  // kDialNever or kDialHttp
  ZText<255> host;
  ZText<255> user;
  ZText<255> password;
  std::uint32_t port = 0;
  std::uint32_t service = 0;
  std::uint32_t connectFlags = 0;
  std::uint32_t context = 1;

  // --- attempts and result -------------------------------------------------
  std::uint8_t attempts = 0;  // failed tries of the current operation
  std::uint8_t attemptLimit = kAttemptLimit;
  std::uint8_t resultCode = kResultDone;  // 2 once an Internet error was reported
  std::uint8_t runResult = kResultDone;   // what the run returns; set by EndFtpRun/EndHttpRun
  // Kept whole: a cut path could not be changed back to.
  std::string savedDirectory;

  // --- filled in by the error report ---------------------------------------
  std::uint32_t lastError = 0;
  FixedText<20> operationName;
  ZText<255> detailText;
  FixedText<255> messageLine;
  std::uint32_t responseError = 0;
  ZText<255> responseText;
  std::uint32_t responseLength = 0;
  FixedText<60> savedStatus;  // HTTP: the status line before "Internet error..."

  // --- shared by the steps of the run --------------------------------------
  std::int32_t startClock = 0;  // time of day in hundredths when the run started
  FixedText<100> logFolder;
  FixedText<100> softwareFolder;
  FixedText<100> databaseFolder;
  FixedText<100> softwareFlag;
  FixedText<100> databaseFlag;
  std::int32_t remoteBytes = 0;  // sizes the server listed for the files due
  std::int32_t doneBytes = 0;    // listed sizes of the files fetched so far

  // A connection of either kind is open.
  bool connected() const { return ftp.isOpen() || http.isOpen(); }
};

}  // namespace vl::inet
