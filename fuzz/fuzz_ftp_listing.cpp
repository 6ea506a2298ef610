// FTP listings come from whatever server the terminal is pointed at: every
// line form must parse without reading past the text, and every parsed name
// must go through the wildcard match the search uses.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/inet/ftp_listing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const vl::net::FindData& entry : vl::net::detail::parseListing(text)) {
    // A listing never yields the folder itself, its parent or a nameless entry.
    if (entry.name.empty() || entry.name == "." || entry.name == "..") __builtin_trap();
    if (!vl::net::detail::matchesPattern(entry.name, "*.*")) __builtin_trap();
    vl::net::detail::matchesPattern(entry.name, "*.UPD");
    // The name against itself as a pattern exercises '*' and '?' runs; the
    // program's own patterns are short, so long names would only measure
    // the match's quadratic worst case.
    if (entry.name.size() <= 256 && !vl::net::detail::matchesPattern(entry.name, entry.name)) __builtin_trap();
  }
  return 0;
}
