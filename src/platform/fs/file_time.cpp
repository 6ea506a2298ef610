// File-time conversions in the manner of FileTimeToLocalFileTime and
// FileTimeToSystemTime: the local zone is the host's.
#include <ctime>

#include "platform/fs/files.h"

namespace vl::fs {
namespace {

CalendarTime fromTm(const std::tm& tm, std::uint32_t nanoseconds) {
  CalendarTime out;
  out.year = tm.tm_year + 1900;
  out.month = tm.tm_mon + 1;
  out.day = tm.tm_mday;
  out.dayOfWeek = tm.tm_wday;
  out.hour = tm.tm_hour;
  out.minute = tm.tm_min;
  out.second = tm.tm_sec;
  out.millisecond = static_cast<int>(nanoseconds / 1000000);
  return out;
}

}  // namespace

CalendarTime localTimeFromUtc(const FileTime& utc) {
  std::time_t t = static_cast<std::time_t>(utc.seconds);
  std::tm tm {};
  ::tzset();
  ::localtime_r(&t, &tm);
  return fromTm(tm, utc.nanoseconds);
}

CalendarTime utcCalendar(const FileTime& utc) {
  std::time_t t = static_cast<std::time_t>(utc.seconds);
  std::tm tm {};
  ::gmtime_r(&t, &tm);
  return fromTm(tm, utc.nanoseconds);
}

}  // namespace vl::fs
