#include "platform/base/platform_config.h"

#include <cstdlib>
#include <memory>
#include <sstream>

#define SI_NO_CONVERSION
#include <SimpleIni.h>

namespace vl::platform {
namespace {

std::unique_ptr<PlatformConfig>& holder() {
  static std::unique_ptr<PlatformConfig> config;
  return config;
}

std::filesystem::path defaultPrefix() {
  if (const char* p = std::getenv("VLSINET_PREFIX"); p && *p) return p;
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".vlsinet";
}

int toInt(const char* text, int fallback) {
  if (!text || !*text) return fallback;
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  return end && *end == '\0' ? static_cast<int>(v) : fallback;
}

std::unique_ptr<PlatformConfig> load() {
  auto config = std::make_unique<PlatformConfig>();
  config->prefix = std::filesystem::absolute(defaultPrefix());
  config->iniFile = config->prefix / "platform.ini";
  config->driveC = config->prefix / "drive_c";

  CSimpleIniA ini(false, false, false);
  if (ini.LoadFile(config->iniFile.c_str()) < 0) return config;

  if (const char* c = ini.GetValue("Drives", "C", nullptr); c && *c) {
    std::filesystem::path p(c);
    config->driveC = p.is_absolute() ? p : config->prefix / p;
  }
  config->connectTo = parseConnectTo(ini.GetValue("Network", "ConnectTo", ""));
  config->caFile = ini.GetValue("Network", "CAFile", "");
  config->receiveTimeoutSeconds = toInt(ini.GetValue("Network", "ReceiveTimeout", nullptr), 60);
  if (const char* c = ini.GetValue("Network", "Connected", nullptr); c && *c)
    config->connected = static_cast<unsigned>(toInt(c, 0));
  config->computerName = ini.GetValue("System", "ComputerName", "");
  if (const char* d = ini.GetValue("System", "DragFullWindows", nullptr); d && *d)
    config->dragFullWindows = toInt(d, 0);
  config->clockNow = ini.GetValue("Clock", "Now", "");
  return config;
}

}  // namespace

const PlatformConfig& platformConfig() {
  if (!holder()) holder() = load();
  return *holder();
}

void reloadPlatformConfig() { holder() = load(); }

std::vector<ConnectTo> parseConnectTo(const std::string& text) {
  std::vector<ConnectTo> out;
  std::stringstream items(text);
  std::string item;
  while (std::getline(items, item, ',')) {
    std::string part[4];
    std::stringstream fields(item);
    int n = 0;
    while (n < 4 && std::getline(fields, part[n], ':')) ++n;
    if (n != 4) continue;
    ConnectTo c{part[0], toInt(part[1].c_str(), -1), part[2], toInt(part[3].c_str(), -1)};
    // Leading blanks after a comma are common when people edit the file by hand.
    c.host.erase(0, c.host.find_first_not_of(' '));
    if (c.host.empty() || c.port < 0 || c.targetHost.empty() || c.targetPort <= 0) continue;
    out.push_back(std::move(c));
  }
  return out;
}

}  // namespace vl::platform
