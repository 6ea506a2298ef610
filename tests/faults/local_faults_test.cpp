// Local faults: the till's disk fails under a run (system calls made to fail
// by strace), or its folders hold what they should not (a file where a folder
// belongs, symbolic links at the names the program writes, a program in
// use). Every run must end with its message, touch nothing outside, and a
// second run must reach a clean run's end state.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "local_checks.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;

const fsys::path kOutside = "drive_c/Outside";  // below the prefix, not the till's

std::vector<std::string> Inject(const FaultTill& till, const std::string& what, const std::string& path) {
  return Strace({"-P", till.driveC(path).string(), "-e", "inject=" + what});
}

struct LocalFault {
  const char* name;
  void (*plant)(FaultTill&);                           // before the run; may be null
  std::vector<std::string> (*wrapper)(const FaultTill&);  // may be null
  std::vector<const char*> messages;                   // parts of boxes the run shows
  bool complete;                                       // the run still ends with "Download complete."
  bool tempsMayStay = false;
  void (*unplant)(FaultTill&) = nullptr;  // before the second run, when the plant would fail it again
};

class LocalFaults : public ::testing::TestWithParam<LocalFault> {};

TEST_P(LocalFaults, EndAsDescribedWithTheInvariantsIntact) {
  const LocalFault& fault = GetParam();
  FaultTill till(Transport::Http);
  if (fault.plant) fault.plant(till);
  HeadlessRun run;
  if (fault.wrapper) run.wrapper = fault.wrapper(till);
  const HeadlessResult r = till.download(kAnswerNo, run);
  for (const char* part : fault.messages) EXPECT_TRUE(r.hasMessage(part)) << part << "\n" << r.transcript << r.errors;
  EXPECT_EQ(r.hasMessage("Download complete."), fault.complete) << r.transcript;
  InvariantOptions options;
  options.downloadTempsMayStay = fault.tempsMayStay;
  till.expectInvariants(r, options);
  if (fault.unplant) fault.unplant(till);
  till.expectSecondRunClean();
}

// The call of a clean run that touches `part`, made to fail with `error`.
std::vector<std::string> FailCall(const std::string& call, const std::string& part, const std::string& error) {
  const int n = CallNumber(call, part);
  EXPECT_GT(n, 0) << "a clean run makes no " << call << " on " << part;
  return Strace({"-e", "inject=" + call + ":error=" + error + ":when=" + std::to_string(n)});
}

const LocalFault kDiskFaults[] = {
    // One block refused: the next block starts the file again, so it comes
    // out short and the update is rolled back with the flags in place.
    {"DiskFullOnOneBlock", nullptr,
     [](const FaultTill& t) { return Inject(t, "write:error=ENOSPC:when=2", "VORLAN/T1/INBOX/VLSECR.FTP"); },
     {"Error writing the local file:|C:\\VORLAN\\T1\\INBOX\\VLSECR.EXE", "Incoming Internet file byte mismatch."},
     false, {}},
    // A late error on close is not the program's to see; the bytes are there.
    {"EioOnDownloadClose", nullptr,
     [](const FaultTill& t) { return Inject(t, "close:error=EIO", "VORLAN/T1/INBOX/VLSECR.FTP"); }, {}, true},
    // The rename is reported and the run goes on; the file stays under its
    // temporary name and is not installed until the next run fetches it again.
    {"EioOnDownloadRename", nullptr,
     [](const FaultTill& t) { return Inject(t, "renameat2,rename:error=EIO", "VORLAN/T1/INBOX/VLSECR.FTP"); },
     {"Error renaming the downloaded file: C:\\VORLAN\\T1\\INBOX\\VLSECR.FTP"}, true, true},
    // Installation into BIN: a copy that cannot be made whole is reported
    // and the old program stays.
    {"EioOnBinRename", nullptr, [](const FaultTill&) { return FailCall("rename", "/BIN/VLSECR.EXE\")", "EIO"); },
     {"Error copying the update file VLSECR.EXE|to the directory C:\\VORLAN\\BIN\\"}, true},
    {"EioOnBinFsync", nullptr, [](const FaultTill&) { return FailCall("fsync", "/BIN/.~VLSECR.EXE.", "EIO"); },
     {"Error copying the update file VLSECR.EXE|to the directory C:\\VORLAN\\BIN\\"}, true},
    {"EioOnBinClose", nullptr, [](const FaultTill&) { return FailCall("close", "/BIN/.~VLSECR.EXE.", "EIO"); },
     {"Error copying the update file VLSECR.EXE|to the directory C:\\VORLAN\\BIN\\"}, true},
    {"DiskFullInBin", nullptr, [](const FaultTill&) { return FailCall("write", "/BIN/.~C60RUNX.DLL.", "ENOSPC"); },
     {"Error copying the update file C60RUNX.DLL|to the directory C:\\VORLAN\\BIN\\"}, true},
    {"EioOnTillProgramInstall", nullptr, [](const FaultTill&) { return FailCall("rename", "/BIN/Quenta.Exe\")", "EIO"); },
     {"Error updating new ECR software version."}, true},
};

INSTANTIATE_TEST_SUITE_P(Disk, LocalFaults, ::testing::ValuesIn(kDiskFaults),
                         [](const ::testing::TestParamInfo<LocalFault>& p) { return std::string(p.param.name); });

// What a till's disk can hold that it should not. "Outside" is a folder of
// the prefix that is not the till's: a link's target there must stay as it is.
void PlantFile(FaultTill& t, const std::string& path) { t.box().writeFile("drive_c/" + path, "not a folder\r\n"); }
void Unplant(FaultTill& t, const std::string& path) { fsys::remove(t.driveC(path)); }
void PlantLink(FaultTill& t, const std::string& path, const std::string& target, bool targetExists) {
  if (targetExists) t.box().writeFile(kOutside / target, "belongs to someone else\r\n");
  fsys::create_directories(t.driveC(path).parent_path());
  fsys::create_symlink(t.box().prefix() / kOutside / target, t.driveC(path));
}
void PlantOldProgram(FaultTill& t, const std::string& name) { t.box().writeFile("drive_c/VORLAN/BIN/" + name, "old version\r\n"); }
void SetWritable(FaultTill& t, const std::string& path, bool writable) {
  fsys::permissions(t.driveC(path), writable ? fsys::perms::owner_write : fsys::perms::owner_write,
                    writable ? fsys::perm_options::add : fsys::perm_options::remove);
}

const LocalFault kPlanted[] = {
    {"InboxIsAFile", [](FaultTill& t) { PlantFile(t, "VORLAN/T1/INBOX"); }, nullptr,
     {"Could not create the directory: C:\\VORLAN\\T1\\INBOX"}, false, false,
     [](FaultTill& t) { Unplant(t, "VORLAN/T1/INBOX"); }},
    {"BinIsAFile", [](FaultTill& t) { PlantFile(t, "VORLAN/BIN"); }, nullptr,
     {"Could not create the directory: C:\\VORLAN\\BIN", "Error updating new ECR software version."}, true, false,
     [](FaultTill& t) { Unplant(t, "VORLAN/BIN"); }},
    // Links where the download writes: never followed out of the inbox.
    {"DanglingLinkAtInboxTemporary",
     [](FaultTill& t) { PlantLink(t, "VORLAN/T1/INBOX/VLSECR.FTP", "made.bin", false); }, nullptr, {}, true},
    {"LinkAtInboxTemporary", [](FaultTill& t) { PlantLink(t, "VORLAN/T1/INBOX/VLSECR.FTP", "victim.bin", true); },
     nullptr, {}, true},
    {"LinkAtInboxFinalName", [](FaultTill& t) { PlantLink(t, "VORLAN/T1/INBOX/VLSECR.EXE", "victim.exe", true); },
     nullptr, {}, true},
    {"DanglingLinkAtInboxFinalName",
     [](FaultTill& t) { PlantLink(t, "VORLAN/T1/INBOX/VLSECR.EXE", "made.exe", false); }, nullptr, {}, true},
    // Links where the installation writes: the link is replaced, its target kept.
    {"LinkAtBinProgram", [](FaultTill& t) { PlantLink(t, "VORLAN/BIN/VLSECR.EXE", "victim.exe", true); }, nullptr,
     {}, true},
    {"DanglingLinkAtBinProgram", [](FaultTill& t) { PlantLink(t, "VORLAN/BIN/VLSECR.EXE", "made.exe", false); },
     nullptr, {}, true},
    // A program that may not be replaced keeps its old version and is reported.
    {"ReadOnlyBinProgram",
     [](FaultTill& t) {
       PlantOldProgram(t, "VLSECR.EXE");
       SetWritable(t, "VORLAN/BIN/VLSECR.EXE", false);
     },
     nullptr, {"Error copying the update file VLSECR.EXE|to the directory C:\\VORLAN\\BIN\\"}, true, false,
     [](FaultTill& t) { SetWritable(t, "VORLAN/BIN/VLSECR.EXE", true); }},
};

INSTANTIATE_TEST_SUITE_P(Planted, LocalFaults, ::testing::ValuesIn(kPlanted),
                         [](const ::testing::TestParamInfo<LocalFault>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vl::test
