#include "ftp_run_fixture.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "data/builtin_account.h"
#include "ftp/ftp_run.h"
#include "platform/fs/paths.h"
#include "platform_inet/inet_test_support.h"

namespace vl::test {

namespace fsys = std::filesystem;

std::string FileBytes(const std::string& name, std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t x = 2166136261u;
  for (char c : name) x = (x ^ static_cast<unsigned char>(c)) * 16777619u;
  for (std::size_t i = 0; i < size; ++i) {
    x = x * 1103515245u + 12345u;
    bytes[i] = static_cast<char>(x >> 16);
    if (i % 97 == 0) bytes[i] = '\n';
    if (i % 89 == 0) bytes[i] = '\r';
  }
  return bytes;
}

FtpRunTest::FtpRunTest() {
  clearProxyEnvironment();
  root_ = sandbox_.prefix() / "ftproot";
  commands_ = sandbox_.prefix() / "commands.txt";
  fsys::create_directories(root_);
  fsys::create_directories(sandbox_.driveC() / "VORLAN/T1/INBOX");
  fs::setCurrentDirectory("C:\\VORLAN\\T1");

  state_.FTP.ADDRESS = kBuiltInAddress;
  state_.FTP.USERNAME = kBuiltInUserName;
  state_.FTP.PASSWORD = kBuiltInPassword;
  state_.FTP.LOCALFTP = "Client/Store";
  state_.STRFTPADDRESS = kBuiltInAddress;
  state_.LOCATIONID = 12;
  state_.POSRDBMS = kRdbmsIsam;
  state_.BDATA = state_.BECR = state_.BLOADER = state_.BDLLS = 1;
  state_.USERNAME = "Till User";
  state_.USERLOCATION = "Store One";
  state_.ComputerName = "TILL01";
  state_.ProgramVersion = kProgramVersion;
}

FtpRunTest::~FtpRunTest() = default;

void FtpRunTest::WriteRemote(const std::string& relative, const std::string& bytes) {
  const fsys::path path = root_ / relative;
  fsys::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// The software folder holds programs for several database kinds and
// locations, files no till takes and a folder; the database folder holds
// both locations' identity files, another record file, data, and the
// location's settings.
void FtpRunTest::SeedLocation(const std::string& client, const std::string& location) {
  std::string bin = client;
  for (char& c : bin) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  bin = "FTP/ASP/" + bin + "/BIN/";
  const std::string updates = "FTP/ASP/" + client + "/" + location + "/Updates/";
  const std::pair<const char*, std::size_t> software[] = {
      {"VLSECR.EXE", 3000}, {"VLSECR_SQL.EXE", 3100}, {"HVLSECR.EXE", 2500}, {"QUENTA.EXE", 2000},
      {"C60RUNX.DLL", 1500}, {"OTHER.DLL", 100},     {"README.TXT", 20},    {"SWUPD12.TXT", 10},
      {"SWUPD7.TXT", 11},   {"VORPOS12.INI", 30},   {"BACKUP/VLSECR.EXE", 50}};
  for (const auto& [name, size] : software) WriteRemote(bin + name, FileBytes(name, size));
  const std::pair<const char*, std::size_t> database[] = {
      {"POSID12.TPS", 1057}, {"POSID7.TPS", 1057}, {"CUSTOMER.TPS", 500}, {"ITEMS.UPD", 4000}, {"MENU.ZIP", 5000},
      {"VORPOS12.INI", 40},  {"UPDFLAGS.INI", 30}, {"SETUP.SCN", 10}};
  for (const auto& [name, size] : database) WriteRemote(updates + name, FileBytes(name, size));
  fsys::create_directories(root_ / "FTP/ASP" / client / location / "FTPLog");
}

void FtpRunTest::StartServer(const std::vector<std::string>& options, const std::string& extraIni) {
  std::vector<std::string> args{root_.string(), std::string(kBuiltInUserName), std::string(kBuiltInPassword),
                                commands_.string()};
  args.insert(args.end(), options.begin(), options.end());
  server_ = std::make_unique<ServerProcess>("ftp_run_server.py", args);
  PointAt(server_->port(), extraIni);
}

void FtpRunTest::PointAt(int port, const std::string& extraIni) {
  sandbox_.writePlatformIni("[Network]\r\nConnectTo=" + std::string(kBuiltInAddress) + ":21:127.0.0.1:" +
                            std::to_string(port) + "\r\n" + extraIni +
                            "[Clock]\r\nNow=2024-03-15 09:30:15\r\n[System]\r\nComputerName=TILL01\r\n");
}

int FtpRunTest::Run() { return RunFtpTransfer(state_); }

bool FtpRunTest::RemoteExists(const std::string& relative) const { return fsys::exists(root_ / relative); }

std::string FtpRunTest::ReadRemote(const std::string& relative) const {
  std::ifstream in(root_ / relative, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

fsys::path FtpRunTest::InboxPath(const std::string& name) const { return sandbox_.driveC() / "VORLAN/T1/INBOX" / name; }

std::vector<std::string> FtpRunTest::InboxNames() const {
  std::vector<std::string> names;
  for (const auto& entry : fsys::directory_iterator(sandbox_.driveC() / "VORLAN/T1/INBOX"))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string FtpRunTest::ReadInbox(const std::string& name) const {
  return sandbox_.readFile(fsys::path("drive_c/VORLAN/T1/INBOX") / name);
}

std::vector<std::string> FtpRunTest::ReadLines(const fsys::path& hostFile) const {
  std::ifstream in(hostFile, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  const std::string text = s.str();
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start) + "<no CR LF>");
  return lines;
}

std::vector<std::string> FtpRunTest::Commands() const {
  std::vector<std::string> commands;
  std::ifstream in(commands_);
  for (std::string line; std::getline(in, line);) commands.push_back(line);
  return commands;
}

std::vector<ui::MessageBoxRequest> FtpRunTest::BoxesCaptioned(const std::string& caption) const {
  std::vector<ui::MessageBoxRequest> found;
  for (const ui::MessageBoxRequest& box : ui_.boxes.shown)
    if (box.caption == caption) found.push_back(box);
  return found;
}

}  // namespace vl::test
