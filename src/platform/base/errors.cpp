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

const FileError& lastFileError() { return tFileError; }
void setFileError(FileError error) { tFileError = std::move(error); }
void setFileError(int code, std::string description) {
  tFileError = FileError{code, std::move(description), {}, {}};
}
void clearFileError() { tFileError = FileError{}; }

}  // namespace vl::platform
