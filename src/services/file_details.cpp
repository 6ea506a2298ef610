#include "services/file_details.h"

#include "platform/base/errors.h"
#include "platform/fs/files.h"
#include "services/messages.h"

namespace vl::services {
namespace {

constexpr std::string_view kCaption = "GetFileDetails";
constexpr std::string_view kFindFailed = "Unable to find file.|Calling function: FindFirstFile()|Error: ";
constexpr std::string_view kLocalTimeFailed =
    "Unable to convert file time to local time.|Calling function: FileTimeToLocalTime()|Error: ";
constexpr std::string_view kSystemTimeFailed =
    "Unable to convert file time to system time.|Calling function: FileTimeToSystemTime()|Error: ";

// A FILETIME counts 100 ns steps from 1601-01-01 in 63 bits, so only times
// from 1601 to about 30828 convert; the calendar fields made from it likewise.
constexpr std::int64_t kFirstFileTimeSecond = -11644473600LL;    // 1601-01-01, in Unix seconds
constexpr std::int64_t kFileTimeSpanSeconds = 922337203685LL;    // 2^63 * 100 ns
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;

// A warning with its beep, but with the information icon these reports have always had.
bool report(std::string_view text, std::uint32_t error) {
  ui::MessageBoxRequest request;
  request.caption = std::string(kCaption);
  request.text = std::string(text) + std::to_string(error);
  request.icon = ui::Icon::Information;
  request.beep = true;
  ui::messageBoxHandler().setCursor(ui::Cursor::Normal);
  showBox(std::move(request));
  return false;
}

std::string_view lookupName(std::string_view fileName) {
  std::string_view name = fileName.substr(0, kFileDetailsNameWidth);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return name;
}

}  // namespace

bool GetFileDetails(std::string_view fileName, std::string& dateText, std::string& timeText,
                    std::uint32_t& size) {
  dateText.clear();
  timeText.clear();
  size = 0;
  fs::FindState search;
  fs::FindEntry entry;
  if (!fs::findFirst(lookupName(fileName), search, entry)) return report(kFindFailed, platform::lastWinError());
  // FindClose: the search holds no system handle here, so closing cannot fail.
  search = {};
  const std::int64_t sinceFirst = entry.lastWrite.seconds - kFirstFileTimeSecond;
  if (sinceFirst < 0 || sinceFirst >= kFileTimeSpanSeconds) {
    return report(kLocalTimeFailed, platform::kErrorInvalidParameter);
  }
  const fs::CalendarTime local = fs::localTimeFromUtc(entry.lastWrite);
  if (local.year < kFirstYear || local.year > kLastYear) {
    return report(kSystemTimeFailed, platform::kErrorInvalidParameter);
  }
  dateText = std::to_string(local.day) + "/" + std::to_string(local.month) + "/" + std::to_string(local.year);
  timeText = std::to_string(local.hour) + ":" + std::to_string(local.minute) + ":" + std::to_string(local.second);
  size = static_cast<std::uint32_t>(entry.size & 0xFFFFFFFFu);
  return true;
}

}  // namespace vl::services
