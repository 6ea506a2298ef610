#include "ftp/ftp_update_rules.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "services/remote_name.h"

namespace vl::ftp {
namespace {

// Joined as the program has always held it: a DLL counts as known when its
// name occurs anywhere in this text.
constexpr std::string_view kKnownDlls =
    "C55RUNX.DLL|C55TPSX.DLL|C55ASCX.DLL|C55DOSX.DLL|C55OLEX.DLL|C60ASCX.DLL|C60OLEX.DLL|"
    "C60RUNX.DLL|C60TPSX.DLL|C60METX.DLL|C60DOSX.DLL|C60ODBX.DLL|LSPUZIPX.DLL|LSPZIPX.DLL|"
    "FECDRV01.DLL|C55ODBX.DLL|C60NETX.DLL|C60DFX.DLL|FBCLIENT.DLL|MSVCR71.DLL";

constexpr std::array<std::string_view, 13> kKnownPrograms = {
    "VLEFTMGR.EXE", "DBSTRESS.EXE",   "HVLSECR.EXE", "VLTASKMGR.EXE", "VLSPOOLER.EXE",
    "VLPRODMON.EXE", "HQUENTA.EXE",   "TERMWATCH.EXE", "FILEZIP.EXE", "TPSFIX.EXE",
    "VLSECR_SQL.EXE", "VLSECR.EXE",   "QUENTA.EXE"};
// Every known program but these two belongs to the ECR group.
constexpr std::string_view kLoader = "QUENTA.EXE";
constexpr std::string_view kTpsFix = "TPSFIX.EXE";
constexpr std::string_view kEcrIsam = "VLSECR.EXE";
constexpr std::string_view kEcrSql = "VLSECR_SQL.EXE";

bool startsWith(std::string_view name, std::string_view prefix) { return name.starts_with(prefix); }
bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::uint8_t chooseRecordFile(std::string_view name, const ProgramState& state) {
  if (!state.BDATA) return kSkip;
  if (!startsWith(name, "POSID")) return kOrdinaryFile;
  return name == "POSID" + std::to_string(state.LOCATIONID) + ".TPS" ? kDatabaseFlag : kSkip;
}

std::uint8_t chooseLibrary(std::string_view name, const ProgramState& state) {
  const bool listed = contains(kKnownDlls, name);
  const bool runtime = startsWith(name, "C55") || startsWith(name, "C60") || startsWith(name, "CLA");
  if (!listed && !startsWith(name, "CLA")) return kSkip;
  const std::uint8_t option = runtime ? state.BDLLS : state.BECR;
  return option ? kOrdinaryFile : kSkip;
}

std::uint8_t chooseProgram(std::string_view name, const ProgramState& state) {
  if (std::find(kKnownPrograms.begin(), kKnownPrograms.end(), name) == kKnownPrograms.end()) return kSkip;
  const bool ecrGroup = name != kLoader && name != kTpsFix;
  if (!state.BECR && ecrGroup) return kSkip;
  if (!state.BLOADER && name == kLoader) return kSkip;
  if (!state.BDLLS && name == kTpsFix) return kSkip;
  if (contains(name, "VLSECR")) {
    if (state.POSRDBMS == kRdbmsIsam && name == kEcrSql) return kSkip;
    if (state.POSRDBMS == kRdbmsSql && name == kEcrIsam) return kSkip;
  }
  return kOrdinaryFile;
}

}  // namespace

FtpFolders FtpFolderLayout(const FixedText<80>& localFtp, std::int16_t locationId) {
  const std::string_view whole = localFtp.whole();
  const std::size_t slash = whole.find('/');
  const std::string_view client = slash == std::string_view::npos ? whole : whole.substr(0, slash);
  std::string base = UpperName(std::string(client) + "/BIN");
  while (!base.empty() && base.back() == ' ') base.pop_back();
  const std::string root(kRemoteRoot);
  const std::string location = localFtp.str();
  const std::string id = std::to_string(locationId);
  return FtpFolders{base,
                    root + base + "/",
                    root + location + "/Updates/",
                    root + location + "/FTPLog/",
                    "SWUPD" + id + ".TXT",
                    "POSID" + id + ".TPS"};
}

std::string UpperName(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string NameExtension(std::string_view name) {
  const std::size_t dot = name.find('.');
  std::string ext = dot == std::string_view::npos ? std::string() : std::string(name.substr(dot, 4));
  ext.resize(4, ' ');
  return ext;
}

ListedEntry JudgeListedEntry(std::string_view upperName, std::uint64_t size) {
  if (!contains(upperName, ".")) return ListedEntry::Ignored;
  if (contains(upperName, ".TPS") && !startsWith(upperName, "POSID")) return ListedEntry::Ignored;
  if (!services::IsSafeRemoteName(upperName)) return ListedEntry::InvalidName;
  if (!services::IsValidRemoteSize(size)) return ListedEntry::InvalidSize;
  return ListedEntry::Kept;
}

std::uint8_t ChooseFtpUpdate(std::string_view name, int listingMode, const ProgramState& state) {
  const std::string ext = NameExtension(name);
  if (listingMode == kListingSoftware && (ext == ".INI" || ext == ".TPS")) return kSkip;
  if (listingMode == kListingDatabase && (ext == ".DLL" || ext == ".EXE")) return kSkip;
  if (ext == ".TPS" || ext == ".UPD") return chooseRecordFile(name, state);
  if (ext == ".DLL") return chooseLibrary(name, state);
  if (ext == ".EXE") return chooseProgram(name, state);
  const std::string id = std::to_string(state.LOCATIONID);
  if (ext == ".INI") return name == "VORPOS" + id + ".INI" || name == "UPDFLAGS.INI" ? kOrdinaryFile : kSkip;
  if (ext == ".SCN") return kSkip;
  if (ext == ".TXT") return name == "SWUPD" + id + ".TXT" ? kSoftwareFlag : kSkip;
  return kOrdinaryFile;
}

std::int32_t KilobyteCount(std::int32_t bytes) { return bytes <= 1024 ? 1 : bytes / 1024; }

}  // namespace vl::ftp
