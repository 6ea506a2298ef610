// Computer name and the desktop's drag setting, both kept by the emulated
// system in platform.ini.
#include <cctype>
#include <climits>
#include <unistd.h>

#include "platform/base/errors.h"
#include "platform/base/platform_config.h"
#include "platform/profile/profile.h"
#include "platform/sys/system.h"

namespace vl::sys {
namespace {

// The NetBIOS name the system reports has at most 15 characters.
constexpr std::size_t kComputerNameChars = 15;

std::string hostName() {
  char buffer[HOST_NAME_MAX + 1] = {};
  if (::gethostname(buffer, sizeof buffer - 1) != 0) return {};
  std::string name = buffer;
  // A fully qualified host name: the computer name is its first label.
  return name.substr(0, name.find('.'));
}

}  // namespace

std::string computerName() {
  std::string name = vl::platform::platformConfig().computerName;
  if (name.empty()) name = hostName();
  if (name.empty()) {
    vl::platform::setLastWinError(vl::platform::kErrorFileNotFound);
    return {};
  }
  name = name.substr(0, kComputerNameChars);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  vl::platform::setLastWinError(vl::platform::kErrorSuccess);
  return name;
}

bool dragFullWindows() { return vl::platform::platformConfig().dragFullWindows.value_or(0) != 0; }

bool setDragFullWindows(bool on) {
  const auto& config = vl::platform::platformConfig();
  if (!vl::profile::writeStringAt(config.iniFile, "System", "DragFullWindows", on ? "1" : "0")) return false;
  vl::platform::reloadPlatformConfig();
  return true;
}

}  // namespace vl::sys
