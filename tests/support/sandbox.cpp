#include "support/sandbox.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/base/platform_config.h"
#include "platform/fs/paths.h"

namespace vl::test {

Sandbox::Sandbox() {
  if (const char* old = std::getenv("VLSINET_PREFIX")) {
    hadPrefixEnv_ = true;
    savedPrefixEnv_ = old;
  }
  std::string tmpl = (std::filesystem::temp_directory_path() / "vlsinet-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  prefix_ = tmpl;
  std::filesystem::create_directories(driveC());
  setenv("VLSINET_PREFIX", prefix_.c_str(), 1);
  vl::platform::reloadPlatformConfig();
  vl::fs::resetCurrentDirectory();
}

Sandbox::~Sandbox() {
  std::error_code ec;
  std::filesystem::remove_all(prefix_, ec);
  if (hadPrefixEnv_)
    setenv("VLSINET_PREFIX", savedPrefixEnv_.c_str(), 1);
  else
    unsetenv("VLSINET_PREFIX");
  vl::platform::reloadPlatformConfig();
  vl::fs::resetCurrentDirectory();
}

void Sandbox::writePlatformIni(const std::string& text) {
  writeFile("platform.ini", text);
  vl::platform::reloadPlatformConfig();
}

void Sandbox::writeFile(const std::filesystem::path& relative, const std::string& bytes) {
  auto path = prefix_ / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string Sandbox::readFile(const std::filesystem::path& relative) const {
  std::ifstream in(prefix_ / relative, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace vl::test
