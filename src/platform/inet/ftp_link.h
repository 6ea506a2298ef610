#pragma once
// The state behind an FTP connection handle: the server, the account and the
// one libcurl handle whose cached control connection serves every operation.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/inet/curl_transfer.h"

namespace vl::net::detail {

class FtpLink {
 public:
  FtpLink(std::shared_ptr<SessionState> session, std::string host, int port, std::string user,
          std::string password, bool passive);

  // Readies the handle for an operation on `remote` (a file, or a folder
  // ending in "/"; empty for the login folder) and forgets the last reply.
  void prepare(std::string_view remote);
  // Runs the prepared operation to its end.
  InetResult perform();
  // Reports a finished operation.
  void complete();

  CURL* easy() const { return transfer_.easy(); }
  const std::shared_ptr<SessionState>& session() const { return session_; }

 private:
  std::shared_ptr<SessionState> session_;
  CurlTransfer transfer_;
  std::string host_;
  int port_;
  std::string user_;
  std::string password_;
  bool passive_;
};

// A local file that a download writes, opened at its first byte.
struct LocalFile {
  std::filesystem::path path;
  std::FILE* file = nullptr;
  bool created = false;
  int openErrno = 0;
  LocalFile() = default;
  LocalFile(const LocalFile&) = delete;
  LocalFile& operator=(const LocalFile&) = delete;
  ~LocalFile();
};

// libcurl callbacks: into a LocalFile, from a FILE*, into a std::string.
size_t writeToFile(char* data, size_t size, size_t count, void* target);
size_t readFromFile(char* data, size_t size, size_t count, void* source);
size_t collectText(char* data, size_t size, size_t count, void* target);

}  // namespace vl::net::detail
