#pragma once
// A throw-away platform prefix for one test: VLSINET_PREFIX points at a fresh
// folder with an empty drive_c, the platform configuration and the emulated
// current directory are reloaded, and everything is removed afterwards.
#include <filesystem>
#include <string>

namespace vl::test {

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& prefix() const { return prefix_; }
  std::filesystem::path driveC() const { return prefix_ / "drive_c"; }

  // Replaces platform.ini and reloads the configuration.
  void writePlatformIni(const std::string& text);

  // Writes a host file below the prefix (folders made as needed).
  void writeFile(const std::filesystem::path& relative, const std::string& bytes);
  std::string readFile(const std::filesystem::path& relative) const;

 private:
  std::filesystem::path prefix_;
  std::string savedPrefixEnv_;
  bool hadPrefixEnv_ = false;
};

}  // namespace vl::test
