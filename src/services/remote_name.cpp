#include "services/remote_name.h"

#include <limits>

#include "data/queue_entries.h"

namespace vl::services {
namespace {

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

std::string printable(std::string_view name) {
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  std::string shown(name);
  for (char& c : shown)
    if (isControl(static_cast<unsigned char>(c))) c = '?';
  return shown;
}

std::string leftOutText(std::string_view name, std::string_view reason) {
  return "The incoming file " + printable(name) + "|" + std::string(reason) +
         "||The file will not be downloaded.|If possible, contact the sender and ask for"
         "|the file to be uploaded again.";
}

}  // namespace

bool IsSafeRemoteName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  // The update-file list keeps the name in a blank-padded field: a longer name
  // would be cut, and a trailing blank dropped, so the file fetched or saved
  // would not be the one listed.
  if (name.size() > decltype(UpdateFileEntry::UPDATEFILE)::kWidth || name.back() == ' ') return false;
  for (const char c : name) {
    if (isControl(static_cast<unsigned char>(c))) return false;
    if (std::string_view("/\\:<>\"|?*").find(c) != std::string_view::npos) return false;
  }
  return true;
}

bool IsValidRemoteSize(std::uint64_t size) {
  return size > 0 && size <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
}

std::string InvalidByteSizeText(std::string_view name) {
  return leftOutText(name, "has an invalid byte size.");
}

std::string InvalidRemoteNameText(std::string_view name) {
  return leftOutText(name, "has an invalid file name.");
}

}  // namespace vl::services
