// Which remote folders are listed, and which listed files this terminal takes.
#include <algorithm>
#include <limits>

#include "app/transfer_window.h"
#include "http/http_listing.h"
#include "http/http_request_engine.h"

namespace vl::http {

const std::string_view kKnownExecutables =
    "QUENTA.EXE|VLSECR.EXE|VLSECR_SQL.EXE|TPSFIX.EXE|FILEZIP.EXE|VLLAUNCHPAD.EXE|VLIPD.EXE|VLMENUORDER.EXE|"
    "TERMWATCH.EXE|HQUENTA.EXE|VLPRODMON.EXE|VLSPOOLER.EXE|VLTASKMGR.EXE|HVLSECR.EXE|DBSTRESS.EXE|"
    "VLSQLTOOL.EXE|VLCONTENTVIEW.EXE|FEC_CASHDRAWER.EXE|OPENDRAWER_M835.EXE|OPENDRAWER_M3965.EXE|"
    "OPENDRAWER_MYX7D.EXE|";

const std::string_view kFullDllList =
    "C55RUNX.DLL|C55TPSX.DLL|C55ASCX.DLL|C55DOSX.DLL|C55OLEX.DLL|C60ASCX.DLL|C60OLEX.DLL|C60RUNX.DLL|"
    "C60TPSX.DLL|C60METX.DLL|C60DOSX.DLL|C60ODBX.DLL|LSPUZIPX.DLL|LSPZIPX.DLL|FECDRV01.DLL|C55ODBX.DLL|"
    "C60NETX.DLL|C60DFX.DLL|FBCLIENT.DLL|PWUTIL.DLL|FREEIMAGE.DLL|MSVCR120.DLL|LIBCRYPTO-1_1.DLL|"
    "LIBSSL-1_1.DLL|CC3280.DLL|INPOUT32.DLL|WINIO64.DLL|WINIO64.SYS|VCRUNTIME140.DLL|";

namespace {

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
bool startsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }
bool oneOf(std::string_view ext, std::initializer_list<std::string_view> list) {
  return std::find(list.begin(), list.end(), ext) != list.end();
}

std::string eraseAll(std::string text, std::string_view part) {
  for (std::size_t at; (at = text.find(part)) != std::string::npos;) text.erase(at, part.size());
  return text;
}

std::uint8_t chooseDataFile(const HttpRunContext& ctx, std::string_view name, std::string_view ext) {
  const ProgramState& s = ctx.state;
  if (!s.BDATA) return kSkip;
  if (s.POSRDBMS == kRdbmsIsam && ext == ".TPL") return kSkip;
  if (startsWith(name, "POSID")) return ctx.databaseFlag == name ? kSortDatabaseFlag : kSkip;
  return kSortOrdinary;
}

std::uint8_t chooseLibrary(const HttpRunContext& ctx, std::string_view name) {
  if (!contains(ctx.runDllList, name) && !startsWith(name, "CLA")) return kSkip;
  return ctx.state.BDLLS && ctx.state.BECR ? kSortOrdinary : kSkip;
}

std::uint8_t chooseProgram(const HttpRunContext& ctx, std::string_view name) {
  const ProgramState& s = ctx.state;
  if (!contains(kKnownExecutables, name) && !startsWith(name, "VLEFTMGR")) return kSkip;
  if (!s.BLOADER && name == "QUENTA.EXE") return kSkip;
  if (!s.BDLLS && name == "TPSFIX.EXE") return kSkip;
  if (contains(name, "VLSECR")) {
    if (s.POSRDBMS == kRdbmsIsam && name == "VLSECR_SQL.EXE") return kSkip;
    if (s.POSRDBMS == kRdbmsSql && name == "VLSECR.EXE") return kSkip;
  }
  return kSortOrdinary;
}

std::uint8_t chooseSettingsFile(const HttpRunContext& ctx, std::string_view name) {
  const std::string vorpos = "VORPOS" + std::to_string(ctx.state.LOCATIONID) + ".INI";
  return name == vorpos || name == "HQGLOBALS.INI" || name == "VLCONTENTVIEW.INI" || name == "UPDFLAGS.INI"
             ? kSortOrdinary
             : kSkip;
}

void queueEntry(HttpRunContext& ctx, const FileListEntry& entry, std::uint8_t sortOrder) {
  UpdateFileEntry& luf = ctx.state.LUF.current;
  luf.FTPDIRECTORY = ctx.listedFolder;
  luf.UPDATEFILE = entry.LONGNAME;
  luf.REMOTEBYTECOUNT = entry.SIZE;
  luf.REMOTEKBCOUNT = KilobyteCount(entry.SIZE);
  luf.SORTORDER = sortOrder;
  ctx.state.LUF.add();
  // The sum only drives the overall bar: it stays at the largest value
  // rather than wrap.
  const std::int64_t sum = static_cast<std::int64_t>(ctx.remoteBytes) + entry.SIZE;
  ctx.remoteBytes = static_cast<std::int32_t>(std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
}

void listAndFilter(HttpRunContext& ctx) {
  ctx.requestKind = kListFolder;
  SendHttpRequest(ctx);
  FilterHttpListing(ctx);
}

}  // namespace

std::string QuillanDllList() {
  return eraseAll(eraseAll(std::string(kFullDllList), "LIBCRYPTO-1_1.DLL|"), "LIBSSL-1_1.DLL|");
}

std::string_view NameExtension(std::string_view name) {
  const std::size_t dot = name.find('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot, 4);
}

std::int32_t KilobyteCount(std::int32_t bytes) { return bytes <= 1024 ? 1 : bytes / 1024; }

std::uint8_t ChooseHttpUpdate(const HttpRunContext& ctx, std::string_view name) {
  const std::string_view ext = NameExtension(name);
  if (ctx.listingMode == kListingSoftware && ext == ".TPS") return kSkip;
  if (ctx.listingMode == kListingDatabase && oneOf(ext, {".TPL", ".DLL", ".EXE"})) return kSkip;
  if (ctx.listedFolder == ctx.globalDatabaseFolder &&
      (name == "TBL_REGISTRATION.TPS" || name == "LOCALDATA.DAT" || contains(name, ".FLG")))
    return kSkip;
  if (ctx.listedFolder == ctx.databaseFolder && name == "TBL_VLHOSTS.TPS") return kSkip;
  if (oneOf(ext, {".TPS", ".UPD", ".TPL", ".DAT", ".FLG"})) return chooseDataFile(ctx, name, ext);
  if (ext == ".DLL" || ext == ".SYS") return chooseLibrary(ctx, name);
  if (ext == ".EXE") return chooseProgram(ctx, name);
  if (ext == ".INI") return chooseSettingsFile(ctx, name);
  if (ext == ".SCN") return kSkip;
  if (ext == ".TXT") return startsWith(name, "SWUPD") && ctx.softwareFlag == name ? kSortSoftwareFlag : kSkip;
  return kSortOrdinary;
}

void FilterHttpListing(HttpRunContext& ctx) {
  ctx.state.LUF.current = UpdateFileEntry{};
  for (const FileListEntry& entry : ctx.listing.entries()) {
    const std::uint8_t sortOrder = ChooseHttpUpdate(ctx, entry.LONGNAME.trimmed());
    if (sortOrder != kSkip) queueEntry(ctx, entry, sortOrder);
  }
  ctx.state.LUF.sort({ascending(&UpdateFileEntry::SORTORDER), descending(&UpdateFileEntry::REMOTEBYTECOUNT)});
}

void FindHttpUpdates(HttpRunContext& ctx) {
  ProgramState& s = ctx.state;
  ctx.listedFolder = ctx.softwareFolder;
  ctx.listingMode = kListingSoftware;
  ShowTransferStatus(s, "Checking for software updates...");
  RedisplayTransferWindow(s);
  ctx.transferredList = "";
  listAndFilter(ctx);

  ShowTransferStatus(s, "Checking for database updates...");
  ctx.listingMode = kListingDatabase;
  ctx.listedFolder = ctx.databaseFolder;
  listAndFilter(ctx);

  if (!s.FTP.GLOBALFTP.blank() && s.BDATA && ctx.registrationMark == 2) {
    ctx.listingMode = kListingDatabase;
    ctx.listedFolder = ctx.globalDatabaseFolder;
    listAndFilter(ctx);
  }
}

}  // namespace vl::http
