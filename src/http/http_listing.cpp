// Parsing a plain listing of the file service into the listing queue.
#include "http/http_listing.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <set>

#include "app/transfer_window.h"
#include "data/fixed_paths.h"
#include "data/ini_keys.h"
#include "http/http_request_engine.h"
#include "platform/profile/profile.h"
#include "services/messages.h"
#include "services/remote_name.h"
#include "services/text_utils.h"

namespace vl::http {
namespace {

constexpr std::string_view kRegistrationTable = "TBL_REGISTRATION.TPS";

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Digits after an optional sign, up to the first other character; a number
// too large for 64 bits stays at the largest value (it is invalid anyway).
std::int64_t wholeNumber(std::string_view text) {
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string_view::npos) return 0;
  bool negative = false;
  if (text[at] == '-' || text[at] == '+') negative = text[at++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    const int digit = text[at] - '0';
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return negative ? -value : value;
}

bool listed(const HttpRunContext& ctx, std::string_view name) {
  // The queue is kept in name order.
  const auto& entries = ctx.listing.entries();
  const auto at = std::lower_bound(entries.begin(), entries.end(), name,
                                   [](const FileListEntry& e, std::string_view n) { return e.LONGNAME < n; });
  return at != entries.end() && at->LONGNAME == name;
}

void warn(const std::string& text) { services::ShowMessage(text, "", services::kMessageWarning, true); }

// Whether an entry may be queued: silently not without a '.', with a warning
// for a name that could leave the inbox or a size that is no valid byte count.
bool admitted(std::string_view name, std::int64_t size) {
  if (name.find('.') == std::string_view::npos) return false;
  if (!services::IsSafeRemoteName(name)) {
    warn(services::InvalidRemoteNameText(name));
    return false;
  }
  if (size <= 0 || !services::IsValidRemoteSize(static_cast<std::uint64_t>(size))) {
    warn(services::InvalidByteSizeText(name));
    return false;
  }
  return true;
}

FileListEntry listedEntry(std::string_view name, std::int64_t size) {
  FileListEntry entry{};
  entry.LONGNAME = name;
  entry.SIZE = static_cast<std::int32_t>(size);
  return entry;
}

}  // namespace

ListedLine ParseListingLine(std::string_view line) {
  services::TextList fields;
  services::SplitText(fields, line, ",");
  ListedLine parsed;
  if (!fields.empty()) {
    std::string_view name = fields[0];
    name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
    parsed.name = upper(trimRight(name));
  }
  if (fields.size() > 1) parsed.size = wholeNumber(fields[1]);
  return parsed;
}

void ParseHttpListing(HttpRunContext& ctx) {
  ctx.listing.free();
  services::TextList lines;
  services::SplitText(lines, trimRight(ctx.responseText), "\r\n");
  if (!lines.empty() && lines.front().find("ERROR") != std::string::npos) ReportHttpTransactionError(ctx);
  // Entries are gathered at the end and put in name order once: inserting
  // each in order moves the queue's tail every time, which a long listing in
  // descending order turns into minutes of copying.
  std::set<std::string, std::less<>> queued;
  for (const std::string& line : lines) {
    const ListedLine entry = ParseListingLine(line);
    if (entry.name.empty()) continue;
    if (entry.name == kRegistrationTable) {
      ctx.registrationMark = 2;
      profile::writeInt(paths::kTerminalIniFile, ini::kSectionTerminalVLSINET, ini::kKeyTerminalLocationId,
                        ctx.state.LOCATIONID);
    }
    if (admitted(entry.name, entry.size) && queued.insert(entry.name).second) {
      ctx.listing.add(listedEntry(entry.name, entry.size));
    }
  }
  ctx.listing.sort({ascending(&FileListEntry::LONGNAME)});
  ctx.listingCount = static_cast<std::int16_t>(std::min<std::size_t>(ctx.listing.count(), 32767));
  RedisplayTransferWindow(ctx.state);
}

void CheckListedFileSize(HttpRunContext& ctx, std::string_view name, std::int64_t size) {
  if (!admitted(name, size) || listed(ctx, name)) return;
  ctx.listing.current = listedEntry(name, size);
  ctx.listing.addInOrder({ascending(&FileListEntry::LONGNAME)});
}

}  // namespace vl::http
