#include "platform/base/errors.h"

#include <cerrno>
#include <utility>

namespace vl::platform {
namespace {
thread_local std::uint32_t tLastWinError = 0;
thread_local FileError tFileError;
}  // namespace

std::uint32_t lastWinError() { return tLastWinError; }
void setLastWinError(std::uint32_t code) { tLastWinError = code; }

std::uint32_t winErrorFromErrno(int err) {
  switch (err) {
    case 0: return kErrorSuccess;
    case ENOENT: return kErrorFileNotFound;
    case ENOTDIR: return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return kErrorAccessDenied;
    case EBADF: return kErrorInvalidHandle;
    case EXDEV: return kErrorNotSameDevice;
    case EBUSY:
    case ETXTBSY: return kErrorSharingViolation;
    case EFBIG:
    case ENOSPC:
    case EDQUOT: return kErrorDiskFull;
    case EEXIST: return kErrorAlreadyExists;
    case ENAMETOOLONG: return kErrorFilenameExcedRange;
    case ENOTEMPTY: return kErrorDirNotEmpty;
    case EINVAL: return kErrorInvalidParameter;
    case EIO: return kErrorWriteFault;
    default: return kErrorAccessDenied;
  }
}

std::string describeWinError(std::uint32_t code) {
  switch (code) {
    case kErrorSuccess: return "The operation completed successfully.";
    case kErrorFileNotFound: return "The system cannot find the file specified.";
    case kErrorPathNotFound: return "The system cannot find the path specified.";
    case kErrorAccessDenied: return "Access is denied.";
    case kErrorInvalidHandle: return "The handle is invalid.";
    case kErrorNotSameDevice: return "The system cannot move the file to a different disk drive.";
    case kErrorNoMoreFiles: return "There are no more files.";
    case kErrorWriteFault: return "The system cannot write to the specified device.";
    case kErrorReadFault: return "The system cannot read from the specified device.";
    case kErrorSharingViolation:
      return "The process cannot access the file because it is being used by another process.";
    case kErrorLockViolation:
      return "The process cannot access the file because another process has locked a portion of the file.";
    case kErrorHandleDiskFull: return "The disk is full.";
    case kErrorBadNetPath: return "The network path was not found.";
    case kErrorBadNetName: return "The network name cannot be found.";
    case kErrorFileExists: return "The file exists.";
    case kErrorInvalidParameter: return "The parameter is incorrect.";
    case kErrorDiskFull: return "There is not enough space on the disk.";
    case kErrorInvalidName: return "The filename, directory name, or volume label syntax is incorrect.";
    case kErrorDirNotEmpty: return "The directory is not empty.";
    case kErrorAlreadyExists: return "Cannot create a file when that file already exists.";
    case kErrorFilenameExcedRange: return "The filename or extension is too long.";
    case kErrorDirectory: return "The directory name is invalid.";
    default: return "Error " + std::to_string(code) + ".";
  }
}

const FileError& lastFileError() { return tFileError; }
void setFileError(FileError error) { tFileError = std::move(error); }
void setFileError(int code, std::string description) {
  tFileError = FileError{code, std::move(description), {}, {}};
}
void clearFileError() { tFileError = FileError{}; }

}  // namespace vl::platform
