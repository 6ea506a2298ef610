#include "platform/fs/file_status.h"

#include <cerrno>

#include "platform/base/errors.h"
#include "platform/fs/paths.h"

namespace vl::fs::detail {

namespace plat = vl::platform;

bool fail(std::uint32_t code) {
  plat::setLastWinError(code);
  return false;
}

bool succeed() {
  plat::setLastWinError(plat::kErrorSuccess);
  return true;
}

bool failRuntime(std::uint32_t code) {
  plat::setFileError(static_cast<int>(code), plat::describeWinError(code));
  return fail(code);
}

bool succeedRuntime() {
  plat::clearFileError();
  return succeed();
}

bool statHost(const std::filesystem::path& host, struct stat& st) {
  return ::stat(host.c_str(), &st) == 0;
}

std::uint32_t missingError(std::string_view windowsPath, const std::filesystem::path& host) {
  struct stat st {};
  if (isUncPath(windowsPath)) {
    // host is PREFIX/unc/server/share/...: find the share folder above it.
    std::filesystem::path share = host;
    std::string full = fullPath(windowsPath);
    if (full.back() == '\\') full.pop_back();
    for (std::size_t below = 0, i = 2; (i = full.find('\\', i)) != std::string::npos; ++i) {
      if (++below > 1) share = share.parent_path();
    }
    if (!statHost(share.parent_path(), st) || !S_ISDIR(st.st_mode)) return plat::kErrorBadNetPath;
    if (!statHost(share, st) || !S_ISDIR(st.st_mode)) return plat::kErrorBadNetName;
  }
  if (statHost(host.parent_path(), st) && S_ISDIR(st.st_mode)) return plat::kErrorFileNotFound;
  return plat::kErrorPathNotFound;
}

std::filesystem::path resolve(std::string_view windowsPath) {
  auto host = toHostPath(windowsPath);
  if (host.empty()) fail(plat::kErrorInvalidName);
  return host;
}

}  // namespace vl::fs::detail
