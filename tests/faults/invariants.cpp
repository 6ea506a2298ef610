#include "invariants.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <sstream>
#include <vector>

#include "app/settings_file.h"
#include "data/fixed_paths.h"
#include "data/records.h"
#include "platform/records/data_file.h"

namespace vl::test {

namespace fsys = std::filesystem;

namespace {

constexpr const char* kBin = "DRIVE_C/VORLAN/BIN/";
constexpr const char* kInbox = "DRIVE_C/VORLAN/T1/INBOX/";

// Places the program may change: whole folders (ending in '/') and single files.
// The settings file's journal is its storage engine's to roll back and remove.
constexpr std::array<const char*, 8> kOwned = {
    kInbox, kBin, "DRIVE_C/VORLAN/T1/SQL/", "DRIVE_C/VORLAN/T1/FTPLOG.TXT", "DRIVE_C/VORLAN/T1/VLSINET.TPS",
    "DRIVE_C/VORLAN/T1/VLSINET.TPS-JOURNAL", "DRIVE_C/VORLAN/T1/TERMINAL.INI", "DRIVE_C/VLSINET/VLSINET.INI"};

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }
bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A transfer log's local copy, written in the working folder before its
// upload; a failed upload leaves it there.
bool transferLogCopy(const std::string& upper) {
  const std::string folder = "DRIVE_C/VORLAN/T1/VLI_";
  return startsWith(upper, folder) && endsWith(upper, ".TXT") && upper.find('/', folder.size()) == std::string::npos;
}

bool owned(const std::string& path) {
  const std::string upper = Upper(path);
  if (transferLogCopy(upper)) return true;
  return std::any_of(kOwned.begin(), kOwned.end(), [&](const char* place) {
    const std::string p(place);
    return endsWith(p, "/") ? startsWith(upper, p) : upper == p;
  });
}

std::string baseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Text an INI reader takes: no NUL, and each line a section, a comment, a
// key=value or blank. A byte-order mark may open it.
bool iniParses(const std::string& bytes) {
  if (bytes.find('\0') != std::string::npos) return false;
  std::istringstream in(bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == ';' || line[first] == '[') continue;
    if (line.find('=') == std::string::npos) return false;
  }
  return true;
}

void checkOutsideUntouched(const TreeSnapshot& before, const TreeSnapshot& after, std::vector<std::string>& out) {
  for (const auto& [path, bytes] : after.files) {
    if (owned(path)) continue;
    auto old = before.files.find(path);
    if (old == before.files.end()) out.push_back("file created outside the program's places: " + path);
    else if (old->second != bytes) out.push_back("file changed outside the program's places: " + path);
  }
  for (const auto& [path, bytes] : before.files) {
    if (!owned(path) && !after.files.count(path)) out.push_back("file removed outside the program's places: " + path);
  }
  for (const auto& [path, target] : after.links) {
    auto old = before.links.find(path);
    if (old == before.links.end() || old->second != target) out.push_back("symbolic link made or changed: " + path);
  }
  for (const std::string& folder : after.folders) {
    if (!before.folders.count(folder) && !startsWith(Upper(folder), "DRIVE_C/VORLAN"))
      out.push_back("folder created outside the terminal's tree: " + folder);
  }
}

void checkNoTemporaries(const TreeSnapshot& before, const TreeSnapshot& after, const InvariantOptions& options,
                        std::vector<std::string>& out) {
  for (const auto& [path, bytes] : after.files) {
    const std::string name = Upper(baseName(path));
    if (startsWith(name, ".~")) out.push_back("temporary copy left behind: " + path);
    if (startsWith(Upper(path), kInbox) && endsWith(name, ".FTP") && !options.downloadTempsMayStay)
      out.push_back("temporary download left behind: " + path);
    // A journal found before the run and left as it was is not the run's.
    const auto found = before.files.find(path);
    const bool asFound = found != before.files.end() && found->second == bytes;
    if ((endsWith(name, "-JOURNAL") || endsWith(name, "-WAL")) && !asFound)
      out.push_back("record journal left behind: " + path);
  }
}

// The name a location's flag or settings file is given once the update takes
// place (SWUPD12.TXT becomes SWUPD.TXT); a run that stops short of the update
// leaves the verified download under the location's name. Other names: empty.
std::string fixedNameOf(const std::string& name) {
  for (const char* prefix : {"SWUPD", "POSID", "VORPOS"}) {
    const std::size_t digits = std::string(prefix).size();
    const std::size_t dot = name.find('.');
    if (!startsWith(name, prefix) || dot == std::string::npos || dot == digits) continue;
    if (name.find_first_not_of("0123456789", digits) == dot) return prefix + name.substr(dot);
  }
  return {};
}

bool isVerified(const std::map<std::string, std::string>& verified, const std::string& name, const std::string& bytes) {
  for (const std::string& known : {name, fixedNameOf(name)}) {
    auto good = verified.find(known);
    if (good != verified.end() && good->second == bytes) return true;
  }
  return false;
}

// A file of a folder is fine when untouched or when it is the verified new version.
void checkVerified(const TreeSnapshot& before, const TreeSnapshot& after, const std::string& folder,
                   const std::map<std::string, std::string>& verified, std::vector<std::string>& out) {
  for (const auto& [path, bytes] : after.files) {
    const std::string upper = Upper(path);
    if (!startsWith(upper, folder) || upper.find('/', folder.size()) != std::string::npos) continue;
    const std::string name = Upper(baseName(path));
    if (startsWith(name, ".~") || endsWith(name, ".FTP")) continue;  // temporaries: checked above
    auto old = before.files.find(path);
    if (old != before.files.end() && old->second == bytes) continue;
    if (isVerified(verified, name, bytes)) continue;
    if (name == "UPDFLAGS.INI" && iniParses(bytes)) continue;  // the program edits it after download
    out.push_back(path + " (" + std::to_string(bytes.size()) + " bytes) is neither as it was nor a verified download");
  }
}

template <class Record>
void checkRecordFile(records::DataFile file, const std::string& hostPath, std::vector<std::string>& out) {
  if (!fsys::exists(hostPath)) return;
  if (!file.open(records::Access::ReadWriteShared)) {
    out.push_back(file.name() + " does not open: " + std::to_string(file.errorCode()) + " " + file.errorText());
    return;
  }
  std::vector<std::uint8_t> record(Record::kSize);
  file.setToStart();
  while (file.next(record)) {
  }
  if (file.errorCode() != records::kRecordNotAvailable)
    out.push_back(file.name() + " does not read to its end: " + std::to_string(file.errorCode()));
}

void checkIniFiles(const TreeSnapshot& before, const TreeSnapshot& after, std::vector<std::string>& out) {
  for (const auto& [path, bytes] : after.files) {
    if (!endsWith(Upper(path), ".INI") || startsWith(Upper(baseName(path)), ".~")) continue;
    auto old = before.files.find(path);
    if (old != before.files.end() && old->second == bytes) continue;
    if (!iniParses(bytes)) out.push_back("INI file does not parse: " + path);
  }
}

}  // namespace

CleanEndState ReadEndState(const fsys::path& prefix) {
  const TreeSnapshot snap = TakeSnapshot(prefix / "drive_c");
  CleanEndState state;
  for (const auto& [path, bytes] : snap.files) {
    const std::string upper = "DRIVE_C/" + Upper(path);
    const std::string name = Upper(baseName(path));
    if (startsWith(upper, kBin)) state.bin[name] = bytes;
    if (startsWith(upper, kInbox)) state.inbox[name] = bytes;
  }
  return state;
}

InvariantChecker::InvariantChecker(fsys::path prefix, std::vector<std::string> skipTop)
    : prefix_(std::move(prefix)), skipTop_(std::move(skipTop)) {}

void InvariantChecker::before() { before_ = TakeSnapshot(prefix_, skipTop_); }

std::vector<std::string> InvariantChecker::check(const CleanEndState& clean, const InvariantOptions& options) const {
  const TreeSnapshot after = TakeSnapshot(prefix_, skipTop_);
  std::vector<std::string> out;
  checkOutsideUntouched(before_, after, out);
  checkNoTemporaries(before_, after, options, out);
  checkVerified(before_, after, kBin, clean.bin, out);
  std::map<std::string, std::string> inbox = clean.inbox;
  for (const auto& [name, bytes] : options.moreInboxFiles) inbox[name] = bytes;
  checkVerified(before_, after, kInbox, inbox, out);
  checkIniFiles(before_, after, out);
  records::DataFile settings = setup::makeSettingsFile();
  settings.setName(std::string(paths::kTerminalDir) + std::string(paths::kSettingsFileName));
  const std::string settingsPath = "drive_c/VORLAN/T1/VLSInet.TPS";
  if (!options.settingsLeftAsFound) {
    checkRecordFile<SettingsRecord>(std::move(settings), (prefix_ / settingsPath).string(), out);
  } else if (before_.findFile(settingsPath) == nullptr || after.findFile(settingsPath) == nullptr ||
             *before_.findFile(settingsPath) != *after.findFile(settingsPath)) {
    out.push_back("the damaged settings file was not left as found");
  }
  // The identity file is the server's own when it came down whole; it is the
  // program's record file only when the program wrote it.
  const std::string* posIdBytes = after.findFile("drive_c/VORLAN/T1/INBOX/POSID.TPS");
  const auto served = clean.inbox.find("POSID.TPS");
  if (posIdBytes && !(served != clean.inbox.end() && served->second == *posIdBytes)) {
    records::DataFile posId("POSID", records::Driver::Keyed, IdentityRecord::kLayout, IdentityRecord::kSize);
    posId.setName(std::string(paths::kPosIdFile));
    checkRecordFile<IdentityRecord>(std::move(posId), (prefix_ / "drive_c/VORLAN/T1/INBOX/POSID.TPS").string(), out);
  }
  return out;
}

std::string Describe(const std::vector<std::string>& violations) {
  std::string text;
  for (const std::string& v : violations) text += "\n  " + v;
  return text;
}

}  // namespace vl::test
