#pragma once
// The platform prefix and its platform.ini: the only configuration the
// emulated system has. The program itself reads no environment; this layer
// reads VLSINET_PREFIX once, like a compatibility layer reads its prefix.
//
// platform.ini keys (a contract with tests outside the project):
//   [Drives]  C=              host folder of drive C: (default PREFIX/drive_c)
//   [Network] ConnectTo=      HOST:PORT:TARGETHOST:TARGETPORT[,...]
//             CAFile=         extra PEM bundle trusted besides the system's
//             ReceiveTimeout= seconds without progress before a transfer fails
//             Connected=      emulated connection-state flags
//   [System]  ComputerName=, DragFullWindows= (0 or 1)
//   [Clock]   Now=            fixed local time "YYYY-MM-DD HH:MM:SS"
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vl::platform {

struct ConnectTo {
  std::string host;
  int port = 0;
  std::string targetHost;
  int targetPort = 0;
};

struct PlatformConfig {
  std::filesystem::path prefix;
  std::filesystem::path iniFile;
  std::filesystem::path driveC;
  std::vector<ConnectTo> connectTo;
  std::string caFile;
  int receiveTimeoutSeconds = 60;
  std::optional<unsigned> connected;
  std::string computerName;
  std::optional<int> dragFullWindows;
  std::string clockNow;
};

// Loaded on first use from $VLSINET_PREFIX (default ~/.vlsinet).
const PlatformConfig& platformConfig();

// Re-reads the environment and platform.ini; tests call it after they have
// pointed VLSINET_PREFIX at a throw-away folder or changed platform.ini.
void reloadPlatformConfig();

// Parses "HOST:PORT:TARGETHOST:TARGETPORT[,...]"; malformed items are skipped.
std::vector<ConnectTo> parseConnectTo(const std::string& text);

}  // namespace vl::platform
