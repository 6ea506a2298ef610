#pragma once
// The cloud simulator (tools/cloudsim.py) as a child process for a test: a
// fresh root seeded with a sample location, HTTP and HTTPS on free loopback
// ports, its request log, raw request captures and fault control file in a
// temporary folder that goes with the object.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vl::test {

struct CloudsimOptions {
  std::vector<std::string> seedArgs;  // cloudsim seed options ("--registered")
  std::filesystem::path cert;         // PEM certificate and key: also HTTPS
  std::filesystem::path key;
  // Also serve FTP over the same root, to this one account.
  bool ftp = false;
  std::string ftpUser = {};
  std::string ftpPassword = {};
};

class Cloudsim {
 public:
  explicit Cloudsim(const CloudsimOptions& options);
  ~Cloudsim();
  Cloudsim(const Cloudsim&) = delete;
  Cloudsim& operator=(const Cloudsim&) = delete;

  int port() const { return port_; }
  int httpsPort() const { return httpsPort_; }
  int ftpPort() const { return ftpPort_; }
  const std::filesystem::path& root() const { return root_; }
  // Replaces the fault rules (a JSON array of rule objects).
  void setFaults(const std::string& jsonArray) const;
  // The request log, one JSON object per line.
  std::vector<std::string> requestLog() const;
  // Raw bytes of the n-th captured request (1-based, in arrival order).
  std::string capture(int n) const;

 private:
  std::filesystem::path dir_;
  std::filesystem::path root_;
  pid_t pid_ = -1;
  int port_ = 0;
  int httpsPort_ = 0;
  int ftpPort_ = 0;
};

// Makes a self-signed certificate for `host` (and localhost) in `dir`:
// cert.pem and key.pem. False when openssl fails.
bool MakeCertificate(const std::filesystem::path& dir, const std::string& host);

}  // namespace vl::test
