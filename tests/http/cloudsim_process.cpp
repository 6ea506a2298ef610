#include "cloudsim_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace vl::test {
namespace {

namespace fsys = std::filesystem;
const fsys::path kTool = fsys::path(VL_SOURCE_DIR) / "tools" / "cloudsim.py";

std::string readAll(const fsys::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

pid_t spawn(const std::vector<std::string>& args, int& readEnd) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) throw std::runtime_error("pipe");
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeFds[1], 1);
    close(pipeFds[0]);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  readEnd = pipeFds[0];
  return pid;
}

}  // namespace

Cloudsim::Cloudsim(const CloudsimOptions& options) {
  char pattern[] = "/tmp/whttp-cloudsim-XXXXXX";
  dir_ = mkdtemp(pattern);
  root_ = dir_ / "root";
  std::string seed = "/usr/bin/python3 '" + kTool.string() + "' seed --root '" + root_.string() + "'";
  for (const auto& a : options.seedArgs) seed += " '" + a + "'";
  if (std::system((seed + " >/dev/null").c_str()) != 0) throw std::runtime_error("cloudsim seed failed");
  setFaults("[]");
  std::vector<std::string> args{"/usr/bin/python3", kTool.string(), "--root", root_.string(),
                                "--log", (dir_ / "requests.jsonl").string(), "--capture-dir",
                                (dir_ / "capture").string(), "--control", (dir_ / "control.json").string()};
  if (!options.cert.empty()) {
    args.insert(args.end(), {"--cert", options.cert.string(), "--key", options.key.string()});
  }
  if (options.ftp) args.insert(args.end(), {"--ftp", "--ftp-user", options.ftpUser, "--ftp-password", options.ftpPassword});
  int out = -1;
  pid_ = spawn(args, out);
  std::string pending;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  bool ready = false;
  while (!ready && std::chrono::steady_clock::now() < deadline) {
    pollfd p{out, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    char buffer[256];
    const ssize_t n = read(out, buffer, sizeof buffer);
    if (n <= 0) break;
    pending.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t eol; (eol = pending.find('\n')) != std::string::npos; pending.erase(0, eol + 1)) {
      const std::string line = pending.substr(0, eol);
      if (line == "READY") ready = true;
      else if (line.rfind("PORT ", 0) == 0) port_ = std::atoi(line.c_str() + 5);
      else if (line.rfind("HTTPSPORT ", 0) == 0) httpsPort_ = std::atoi(line.c_str() + 10);
      else if (line.rfind("FTPPORT ", 0) == 0) ftpPort_ = std::atoi(line.c_str() + 8);
    }
  }
  close(out);
  if (!ready) {
    this->~Cloudsim();
    throw std::runtime_error("cloudsim did not start");
  }
}

Cloudsim::~Cloudsim() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 50 && waitpid(pid_, &status, WNOHANG) == 0; ++i) usleep(100000);
    if (waitpid(pid_, &status, WNOHANG) == 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
    pid_ = -1;
  }
  std::error_code ignored;
  fsys::remove_all(dir_, ignored);
}

void Cloudsim::setFaults(const std::string& jsonArray) const {
  const fsys::path temp = dir_ / "control.json.tmp";
  std::ofstream(temp) << "{\"faults\": " << jsonArray << "}";
  fsys::rename(temp, dir_ / "control.json");
}

std::vector<std::string> Cloudsim::requestLog() const {
  std::vector<std::string> lines;
  std::istringstream in(readAll(dir_ / "requests.jsonl"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Cloudsim::capture(int n) const {
  std::ostringstream name;
  name << std::setw(4) << std::setfill('0') << n << ".req";
  return readAll(dir_ / "capture" / name.str());
}

bool MakeCertificate(const fsys::path& dir, const std::string& host) {
  const std::string command =
      "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 -subj /CN=" + host +
      " -addext subjectAltName=DNS:" + host + ",DNS:localhost -keyout '" + (dir / "key.pem").string() +
      "' -out '" + (dir / "cert.pem").string() + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

}  // namespace vl::test
