#include "platform/records/record_errors.h"

#include <cerrno>
#include <system_error>

#include "platform/records/data_file.h"

namespace vl::records {

std::string_view errorDescription(int code) {
  switch (code) {
    case kNoError: return "";
    case kFileNotFound: return "File Not Found";
    case kPathNotFound: return "Path Not Found";
    case kAccessDenied: return "Access Denied";
    case kFileLocked: return "File Is Already Locked";
    case kRecordNotAvailable: return "Record Not Available";
    case kFileNotOpen: return "File Not Open";
    case kKeysMustBeRebuilt: return "Key File Must Be Rebuilt";
    case kInvalidRecordDeclaration: return "Invalid Record Declaration";
    case kFileAlreadyOpen: return "File Already Open";
    case kFunctionNotSupported: return "Function Not Supported";
    case kFileSystemError: return "File System Error";
    default: return "";
  }
}

Outcome outcomeFromErrno(int err, const std::filesystem::path& path) {
  switch (err) {
    case ENOENT: {
      std::error_code ec;
      const bool folderThere = std::filesystem::is_directory(path.parent_path(), ec);
      return fail(folderThere ? kFileNotFound : kPathNotFound);
    }
    case ENOTDIR: return fail(kPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return fail(kAccessDenied);
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK: return fail(kFileLocked);
    default: return Outcome{kFileSystemError, std::generic_category().message(err), std::to_string(err), {}};
  }
}

}  // namespace vl::records
