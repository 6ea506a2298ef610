#pragma once
// The two "last error" channels the program reads after a failed platform call,
// kept per thread as the system they emulate keeps them:
//  - the Windows error number (GetLastError), set by file-system and system calls;
//  - the runtime's file error (code, description, and for code 90 the storage
//    driver's own message and code), set by the record-file layer and by the
//    runtime-level copy/rename/remove operations. Message kind 2 appends its
//    description after "||Error: ".
#include <cstdint>
#include <string>

namespace vl::platform {

// Windows error numbers the emulation reports.
enum WinError : std::uint32_t {
  kErrorSuccess = 0,
  kErrorFileNotFound = 2,
  kErrorPathNotFound = 3,
  kErrorAccessDenied = 5,
  kErrorInvalidHandle = 6,
  kErrorNotSameDevice = 17,
  kErrorNoMoreFiles = 18,
  kErrorWriteFault = 29,
  kErrorReadFault = 30,
  kErrorSharingViolation = 32,
  kErrorLockViolation = 33,
  kErrorHandleDiskFull = 39,
  kErrorBadNetPath = 53,
  kErrorBadNetName = 67,
  kErrorFileExists = 80,
  kErrorInvalidParameter = 87,
  kErrorDiskFull = 112,
  kErrorInvalidName = 123,
  kErrorDirNotEmpty = 145,
  kErrorAlreadyExists = 183,
  kErrorFilenameExcedRange = 206,
  kErrorDirectory = 267,
};

std::uint32_t lastWinError();
void setLastWinError(std::uint32_t code);

// The system's text for a Windows error number, as FormatMessage gives it
// ("The system cannot find the file specified."); "Error N." for others.
std::string describeWinError(std::uint32_t code);

// Maps a POSIX errno to the Windows error number a Windows program would see.
std::uint32_t winErrorFromErrno(int err);

struct FileError {
  int code = 0;
  std::string description;
  std::string driverMessage;  // code 90 only
  std::string driverCode;     // code 90 only
};

const FileError& lastFileError();
void setFileError(FileError error);
void setFileError(int code, std::string description);
void clearFileError();

}  // namespace vl::platform
