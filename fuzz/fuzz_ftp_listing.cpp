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
    vl::net::detail::matchesPattern(entry.name, "*.*");
    vl::net::detail::matchesPattern(entry.name, "*.UPD");
    // The name against itself as a pattern exercises '*' and '?' runs.
    vl::net::detail::matchesPattern(entry.name, entry.name);
  }
  return 0;
}
