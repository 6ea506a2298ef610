// The invariant checker itself: a clean run over each transport passes it,
// and each kind of damage a fault could leave is reported, so that a fault
// case that passes means something.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fault_till.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;

class CleanRun : public ::testing::TestWithParam<Transport> {};

TEST_P(CleanRun, PassesEveryInvariantAndRepeatsItsEndState) {
  FaultTill till(GetParam());
  const HeadlessResult r = till.download();
  EXPECT_EQ(r.exitCode, 0) << r.transcript << r.errors;
  EXPECT_TRUE(r.hasMessage("Download complete.")) << r.transcript;
  till.expectInvariants(r);
  till.expectSecondRunClean();
}

INSTANTIATE_TEST_SUITE_P(Transports, CleanRun, ::testing::Values(Transport::Http, Transport::Https, Transport::Ftp),
                         [](const ::testing::TestParamInfo<Transport>& p) { return TransportName(p.param); });

void writeHost(const fsys::path& file, const std::string& bytes) {
  fsys::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

struct Damage {
  const char* name;
  const char* file;   // below drive C:
  const char* bytes;  // written after the snapshot
  const char* reported;
};

class DamageAfterARun : public ::testing::TestWithParam<Damage> {};

TEST_P(DamageAfterARun, IsReported) {
  const Damage& d = GetParam();
  FaultTill till(Transport::Http);
  writeHost(till.driveC("VORLAN/BIN/VLSECR.EXE"), "old program");
  writeHost(till.driveC("Other/keep.txt"), "someone else's");
  const HeadlessResult r = till.download();
  ASSERT_TRUE(till.violations().empty());
  writeHost(till.driveC(d.file), d.bytes);
  const std::vector<std::string> broken = till.violations();
  ASSERT_EQ(broken.size(), 1u) << Describe(broken);
  EXPECT_NE(broken[0].find(d.reported), std::string::npos) << broken[0];
}

const Damage kDamage[] = {
    {"FileChangedOutside", "Other/keep.txt", "changed", "file changed outside"},
    {"FileCreatedOutside", "VORLAN/T1/OUTBOX/stray.txt", "x", "file created outside"},
    {"HalfWrittenProgram", "VORLAN/BIN/VLSECR.EXE", "old pro", "neither as it was nor a verified download"},
    {"ShortDownloadUnderItsName", "VORLAN/T1/INBOX/ITEMS.UPD", "short", "neither as it was nor a verified download"},
    {"TemporaryCopy", "VORLAN/BIN/.~QUENTA.EXE.a1b2c3", "x", "temporary copy left behind"},
    {"TemporaryDownload", "VORLAN/T1/INBOX/MENU.FTP", "x", "temporary download left behind"},
    {"BrokenIni", "VLSInet/VLSInet.INI", "[VLSInet]\r\nno equals sign\r\n", "INI file does not parse"},
    {"DamagedSettingsFile", "VORLAN/T1/VLSInet.TPS", "not a record file", "does not open"},
};

INSTANTIATE_TEST_SUITE_P(Checker, DamageAfterARun, ::testing::ValuesIn(kDamage),
                         [](const ::testing::TestParamInfo<Damage>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vl::test
