// The file service's listing reply is read into the listing queue and
// filtered into the update list: any reply must end as queued entries,
// refusals or a transaction error (EndRun), never a crash.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "data/control_flow.h"
#include "data/program_state.h"
#include "http/http_listing.h"
#include "http/http_run_context.h"
#include "support/sandbox.h"

namespace {

vl::test::Sandbox& sandbox() {
  static vl::test::Sandbox box;
  // Terminal.INI's folder, so that a listed registration table is written.
  static const bool made = std::filesystem::create_directories(box.driveC() / "VORLAN" / "T1");
  (void)made;
  return box;
}

void filterIn(vl::ProgramState& state, const std::string& reply, const char* folder, std::uint8_t mode) {
  using namespace vl::http;
  HttpRunContext ctx{state};
  ctx.softwareFolder = "/FTP/ASP/CLIENT/BIN/";
  ctx.databaseFolder = "/FTP/ASP/Client/Store/Updates/";
  ctx.globalDatabaseFolder = "/FTP/ASP/Client/Global/Updates/";
  ctx.softwareFlag = "SWUPD12.TXT";
  ctx.databaseFlag = "POSID12.TPS";
  ctx.runDllList = std::string(kFullDllList);
  ctx.requestKind = kListFolder;
  ctx.listedFolder = folder;
  ctx.listingMode = mode;
  ctx.responseText = reply;
  try {
    FilterHttpListing(ctx);
  } catch (const vl::EndRun&) {
    return;
  }
  // The queue is in name order with no name twice, and holds only real sizes.
  const auto& entries = ctx.listing.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].SIZE <= 0) __builtin_trap();
    if (i > 0 && !(entries[i - 1].LONGNAME < entries[i].LONGNAME)) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sandbox();
  const std::string reply(reinterpret_cast<const char*>(data), size);
  vl::ProgramState state;
  state.LOCATIONID = 12;
  state.BDATA = state.BECR = state.BLOADER = state.BDLLS = 1;
  state.POSRDBMS = vl::kRdbmsIsam;
  filterIn(state, reply, "/FTP/ASP/CLIENT/BIN/", vl::http::kListingSoftware);
  filterIn(state, reply, "/FTP/ASP/Client/Store/Updates/", vl::http::kListingDatabase);
  return 0;
}
