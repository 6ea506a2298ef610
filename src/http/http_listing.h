#pragma once
// HTTP listing and update discovery: the remote folders are listed through
// the request engine, each plain listing ("NAME,SIZE" lines separated by
// CR LF) is parsed into the listing queue (REM:, name order, no name twice),
// entries without a usable name or byte size are left out, and the files
// due for this terminal go into the update-file list LUF, sorted ordinary
// files first (largest first), then the database flag, then the software flag.
#include <cstdint>
#include <string>
#include <string_view>

#include "http/http_run_context.h"

namespace vl::http {

// The executables and libraries a terminal may take, each name followed by "|".
extern const std::string_view kKnownExecutables;
extern const std::string_view kFullDllList;
// kFullDllList without the two cryptography libraries (Quillan clients).
std::string QuillanDllList();

// Lists the software folder, the database folder and, for a registered
// location with database files chosen and a global cloud folder, the global
// database folder; fills LUF.
void FindHttpUpdates(HttpRunContext& ctx);
// Rebuilds the listing queue from ctx.responseText. A first line holding
// "ERROR" is a transaction error (ends the run).
void ParseHttpListing(HttpRunContext& ctx);
// Queues one parsed entry, or leaves it out: silently without a '.', with a
// warning for a name that could leave the inbox or a size that is not a
// valid byte count (0, negative, or beyond the 32-bit size field).
void CheckListedFileSize(HttpRunContext& ctx, std::string_view name, std::int64_t size);
// Queues the entries due from the listing queue (parsed once, when the
// reply arrived) into LUF.
void FilterHttpListing(HttpRunContext& ctx);

// --- the rules, for the steps above and their tests ---

struct ListedLine {
  std::string name;      // field 1, leading blanks dropped, upper case
  std::int64_t size = 0; // field 2 as a whole decimal number, saturated
};
ListedLine ParseListingLine(std::string_view line);
// The four characters from the first '.' (".EXE"), or "" without a '.'.
std::string_view NameExtension(std::string_view name);
// The sort group of a listed name in the folder being filtered, or 0 when
// the terminal does not take it.
inline constexpr std::uint8_t kSkip = 0;
std::uint8_t ChooseHttpUpdate(const HttpRunContext& ctx, std::string_view name);
// LUF:REMOTEKBCOUNT of a size.
std::int32_t KilobyteCount(std::int32_t bytes);

}  // namespace vl::http
