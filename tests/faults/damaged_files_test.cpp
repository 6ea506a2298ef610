// Damaged local files met by the whole program: the settings record file
// with a broken header, cut short, with a journal left beside it or held
// locked by another process, and the INI files the program reads and edits
// with a byte-order mark, duplicate keys, a 1 MB line or cut off mid-line.
// Each run ends with the record-file layer's message or completes, and the
// invariants hold.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "../services/lock_holder.h"
#include "fault_till.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;

constexpr const char* kComplete = "Download complete.";
constexpr const char* kSettings = "VORLAN/T1/VLSInet.TPS";

std::string readHost(const fsys::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void writeHost(const fsys::path& file, const std::string& bytes) {
  fsys::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// --- the settings record file ---

struct SettingsDamage {
  const char* name;
  std::function<void(const fsys::path& settings)> damage;
  const char* message;  // the box the run ends with; nullptr: it completes
  bool rebuildAsked = false;  // the key rebuild question came first (answered Yes)
};

constexpr const char* kRebuildQuestion = "VLSInet.TPS key file is invalid.  Do you want to rebuild the key?";

void PrintTo(const SettingsDamage& c, std::ostream* out) { *out << c.name; }

class DamagedSettings : public ::testing::TestWithParam<SettingsDamage> {};

TEST_P(DamagedSettings, EndWithTheRecordLayersMessageOrComplete) {
  const SettingsDamage& c = GetParam();
  FaultTill till(Transport::Http);
  ASSERT_EQ(till.download().exitCode, 0);  // a settings file of this till's own
  const fsys::path settings = till.driveC(kSettings);
  c.damage(settings);
  const std::string damaged = readHost(settings);
  const HeadlessResult r = till.download();
  ExpectEndedByItself(r);
  EXPECT_EQ(r.hasMessage(kRebuildQuestion), c.rebuildAsked) << r.transcript;
  InvariantOptions options;
  if (c.message != nullptr) {
    EXPECT_TRUE(r.hasMessage(c.message)) << r.transcript;
    EXPECT_FALSE(r.hasMessage(kComplete)) << r.transcript;
    // The program ended without touching the file it could not use; the
    // technician removes it, and the next run starts afresh.
    EXPECT_EQ(readHost(settings), damaged);
    options.settingsLeftAsFound = true;
  } else {
    EXPECT_EQ(r.exitCode, 0) << r.transcript;
    EXPECT_TRUE(r.hasMessage(kComplete)) << r.transcript;
  }
  till.expectInvariants(r, options);
  fsys::remove(settings);
  till.expectSecondRunClean();
}

std::function<void(const fsys::path&)> overwriteAt(std::size_t offset, std::string bytes) {
  return [offset, bytes](const fsys::path& file) {
    std::string text = readHost(file);
    text.replace(offset, bytes.size(), bytes);
    writeHost(file, text);
  };
}

std::function<void(const fsys::path&)> cutTo(double fraction) {
  return [fraction](const fsys::path& file) {
    const std::string text = readHost(file);
    writeHost(file, text.substr(0, static_cast<std::size_t>(static_cast<double>(text.size()) * fraction)));
  };
}

std::function<void(const fsys::path&)> journalBeside(std::string bytes) {
  return [bytes](const fsys::path& file) { writeHost(file.string() + "-journal", bytes); };
}

const SettingsDamage kSettingsDamage[] = {
    {"StorageHeaderOverwritten", overwriteAt(0, "not a record fil"), "Error: 90"},
    {"PageSizeDamaged", overwriteAt(16, std::string(2, '\x03')), "Error: 90"},
    {"TruncatedToHalf", cutTo(0.5), nullptr, true},
    {"TruncatedToNothing", cutTo(0), nullptr},
    {"GarbageJournal", journalBeside(std::string(3000, 'x')), nullptr},
    {"EmptyJournal", journalBeside(""), nullptr},
};

INSTANTIATE_TEST_SUITE_P(Settings, DamagedSettings, ::testing::ValuesIn(kSettingsDamage),
                         [](const ::testing::TestParamInfo<SettingsDamage>& p) { return std::string(p.param.name); });

// Another program on the till holds the settings file: after the one
// recovery wait the program ends with the locked-file message, the file
// untouched.
TEST(LockedSettings, EndWithTheLockedFileMessage) {
  FaultTill till(Transport::Http);
  ASSERT_EQ(till.download().exitCode, 0);
  const fsys::path settings = till.driveC(kSettings);
  const std::string before = readHost(settings);
  HeadlessResult r;
  {
    LockHolder holder(settings);
    r = till.download();
    ExpectEndedByItself(r);
    const auto box = r.message("Error: 32 File Is Already Locked|File: ");
    ASSERT_TRUE(box.has_value()) << r.transcript;
    EXPECT_EQ(box->caption(), "Database Access Error");
    EXPECT_NE(box->text().find("VLSInet.TPS||Press OK to end this application."), std::string::npos) << box->raw;
    EXPECT_FALSE(r.hasMessage(kComplete)) << r.transcript;
    EXPECT_EQ(readHost(settings), before);
  }
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

// --- INI files ---

struct IniPlace {
  const char* file;     // below drive C (the server's copy for the inbox one)
  const char* section;  // the key the program writes
  const char* key;
  const char* value;    // what it writes there in this run
  bool served;          // the file comes down from the server
};

const IniPlace kProgramIni{"VLSInet/VLSInet.INI", "AppKeyName", "LocationID", "12", false};
const IniPlace kTerminalIni{"VORLAN/T1/Terminal.INI", "VLSINET", "locationid", "12", false};
const IniPlace kUpdFlagsIni{"Client/Store/Updates/UPDFLAGS.INI", "POS_PassedFlags", "NewMaster", "1", true};

struct IniDamage {
  const char* name;
  const IniPlace* place;
  std::function<std::string(const IniPlace&)> text;  // the damaged file
};

std::string header(const IniPlace& p) { return "[" + std::string(p.section) + "]\r\n"; }
std::string keyLine(const IniPlace& p, const std::string& value) { return std::string(p.key) + "=" + value + "\r\n"; }

std::string withBom(const IniPlace& p) { return "\xEF\xBB\xBF" + header(p) + keyLine(p, "7") + "Other=1\r\n"; }
std::string duplicateKeys(const IniPlace& p) {
  return header(p) + keyLine(p, "7") + keyLine(p, "8") + "[Else]\r\nA=1\r\n" + header(p) + keyLine(p, "9");
}
std::string megabyteLine(const IniPlace& p) {
  return header(p) + "Long=" + std::string(1024 * 1024, 'x') + "\r\n" + keyLine(p, "7");
}
std::string megabyteValue(const IniPlace& p) { return header(p) + keyLine(p, std::string(1024 * 1024, '7')); }
std::string cutInValue(const IniPlace& p) { return "[Else]\r\nA=1\r\n" + header(p) + "Other=Main Str"; }
std::string cutInHeader(const IniPlace& p) { return header(p) + "Other=1\r\n[" + std::string(p.section).substr(0, 3); }

// The value of the first `key` in the first section named `section` that has
// it, as the program reads it (names without regard to case).
std::optional<std::string> firstValue(const std::string& text, const IniPlace& p) {
  std::istringstream in(text.rfind("\xEF\xBB\xBF", 0) == 0 ? text.substr(3) : text);
  bool inSection = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inSection = Upper(line) == Upper(header(p).substr(0, header(p).size() - 2));
    } else if (inSection && Upper(line).rfind(Upper(p.key) + "=", 0) == 0) {
      return line.substr(std::string(p.key).size() + 1);
    }
  }
  return std::nullopt;
}

void PrintTo(const IniDamage& c, std::ostream* out) { *out << c.name; }

class DamagedIni : public ::testing::TestWithParam<IniDamage> {};

TEST_P(DamagedIni, IsReadAndEditedAndTheRunCompletes) {
  const IniDamage& c = GetParam();
  const IniPlace& place = *c.place;
  FaultTill till(Transport::Http);
  InvariantOptions options;
  std::string registration;
  if (&place == &kTerminalIni) {  // the location ID goes there for a registered location
    registration = std::string(3000, 'R');
    writeHost(till.remote("Client/Store/Updates/TBL_REGISTRATION.TPS"), registration);
    options.moreInboxFiles["TBL_REGISTRATION.TPS"] = registration;
  }
  const fsys::path file = place.served ? till.remote(place.file) : till.driveC(place.file);
  const std::string served = readHost(file);
  const std::string damaged = c.text(place);
  writeHost(file, damaged);
  if (place.served) options.moreInboxFiles["UPDFLAGS.INI"] = damaged;
  const HeadlessResult r = till.download();
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_TRUE(r.hasMessage(kComplete)) << r.transcript;
  const fsys::path edited = place.served ? till.driveC("VORLAN/T1/INBOX/UPDFLAGS.INI") : file;
  const std::string after = readHost(edited);
  EXPECT_EQ(firstValue(after, place), std::optional<std::string>(place.value)) << after.substr(0, 400);
  EXPECT_EQ(after.rfind("\xEF\xBB\xBF", 0) == 0, damaged.rfind("\xEF\xBB\xBF", 0) == 0) << "byte-order mark";
  if (!registration.empty()) {  // a registered location's update marks differ from a clean run's
    const std::string marks = readHost(till.driveC("VORLAN/T1/INBOX/UPDOK.TXT"));
    EXPECT_NE(marks.find("[DatabaseUpdates]"), std::string::npos) << marks;
    options.moreInboxFiles["UPDOK.TXT"] = marks;
  }
  till.expectInvariants(r, options);
  if (place.served) writeHost(file, served);
  if (!registration.empty()) fsys::remove(till.remote("Client/Store/Updates/TBL_REGISTRATION.TPS"));
  if (!place.served) fsys::remove(file);
  till.expectSecondRunClean();
}

std::vector<IniDamage> iniDamages() {
  std::vector<IniDamage> out;
  const std::pair<const char*, const IniPlace*> places[] = {
      {"Program", &kProgramIni}, {"Terminal", &kTerminalIni}, {"UpdFlags", &kUpdFlagsIni}};
  const std::pair<const char*, std::string (*)(const IniPlace&)> damages[] = {
      {"ByteOrderMark", withBom},     {"DuplicateKeys", duplicateKeys}, {"MegabyteLine", megabyteLine},
      {"MegabyteValue", megabyteValue}, {"CutInAValue", cutInValue},    {"CutInAHeader", cutInHeader}};
  static std::vector<std::string> names;  // the cases' names outlive the table
  names.reserve(std::size(places) * std::size(damages));
  for (const auto& [where, place] : places) {
    for (const auto& [what, text] : damages) {
      names.push_back(std::string(where) + what);
      out.push_back({names.back().c_str(), place, text});
    }
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(Ini, DamagedIni, ::testing::ValuesIn(iniDamages()),
                         [](const ::testing::TestParamInfo<IniDamage>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vl::test
