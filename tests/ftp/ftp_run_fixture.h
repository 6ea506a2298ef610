#pragma once
// What the FTP run tests share: a throw-away prefix with the terminal's
// folders, a real FTP server over a throw-away root (reached through
// platform.ini's ConnectTo in place of the built-in host), a program state
// set up as the Download command leaves it, and the headless backend with
// every message box kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/transfer_window.h"
#include "data/program_state.h"
#include "platform/ui/message_box.h"
#include "platform_inet/server_process.h"
#include "support/headless_in_process.h"
#include "support/sandbox.h"

namespace vl::test {

// Deterministic bytes with line ends, NUL and high bytes in them, so that a
// text-mode transfer would show.
std::string FileBytes(const std::string& name, std::size_t size);

class FtpRunTest : public ::testing::Test {
 protected:
  FtpRunTest();
  ~FtpRunTest() override;

  // A sample location 12 in the cloud folder client/location (see the .cpp).
  void SeedLocation(const std::string& client = "Client", const std::string& location = "Store");
  void WriteRemote(const std::string& relative, const std::string& bytes);
  // Starts the server with extra options (--vanish NAME, --stall NAME) and
  // points the built-in host at it; extraIni goes into platform.ini too.
  void StartServer(const std::vector<std::string>& options = {}, const std::string& extraIni = "");
  // Points the built-in host at a port without starting a server.
  void PointAt(int port, const std::string& extraIni = "");

  int Run();

  std::filesystem::path RemotePath(const std::string& relative) const { return root_ / relative; }
  bool RemoteExists(const std::string& relative) const;
  std::string ReadRemote(const std::string& relative) const;
  std::filesystem::path InboxPath(const std::string& name) const;
  std::vector<std::string> InboxNames() const;  // sorted
  std::string ReadInbox(const std::string& name) const;
  // A CR LF text file of drive C:, split into lines.
  std::vector<std::string> ReadLines(const std::filesystem::path& hostFile) const;
  std::vector<std::string> Commands() const;  // what the server received
  // The boxes with this caption.
  std::vector<ui::MessageBoxRequest> BoxesCaptioned(const std::string& caption) const;
  const std::vector<ui::MessageBoxRequest>& Boxes() const { return ui_.boxes.shown; }

  Sandbox sandbox_;
  HeadlessInProcess ui_;
  ProgramState state_;
  TransferWindowLifetime window_{state_};
  std::filesystem::path root_;
  std::filesystem::path commands_;
  std::unique_ptr<ServerProcess> server_;
};

}  // namespace vl::test
