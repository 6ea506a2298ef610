// The local clock (which platform.ini may fix for tests), a monotonic clock
// for timeouts, and the random numbers.
#include <charconv>
#include <chrono>
#include <ctime>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "platform/base/platform_config.h"
#include "platform/sys/system.h"

namespace vl::sys {
namespace {

// One number of the moment and the separator after it (none after the last).
// from_chars, unlike sscanf, refuses a number too large for an int.
bool readClockField(std::string_view& text, int& value, char separator) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{}) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  if (separator == 0) return text.empty();
  if (text.empty() || text.front() != separator) return false;
  text.remove_prefix(1);
  return true;
}

// "YYYY-MM-DD HH:MM:SS"; false when the text is not such a moment.
bool parseFixedClock(const std::string& text, vl::fs::CalendarTime& out) {
  std::tm tm{};
  std::string_view rest = text;
  const bool read = readClockField(rest, tm.tm_year, '-') && readClockField(rest, tm.tm_mon, '-') &&
                    readClockField(rest, tm.tm_mday, ' ') && readClockField(rest, tm.tm_hour, ':') &&
                    readClockField(rest, tm.tm_min, ':') && readClockField(rest, tm.tm_sec, 0);
  if (!read || tm.tm_mon < 1 || tm.tm_mon > 12 || tm.tm_mday < 1 || tm.tm_mday > 31 || tm.tm_hour > 23 ||
      tm.tm_min > 59 || tm.tm_sec > 59 || tm.tm_hour < 0 || tm.tm_min < 0 || tm.tm_sec < 0)
    return false;
  int year = tm.tm_year, month = tm.tm_mon;
  tm.tm_year -= 1900;
  tm.tm_mon -= 1;
  // timegm normalises and yields the weekday without touching the time zone.
  std::time_t t = ::timegm(&tm);
  out = vl::fs::utcCalendar(vl::fs::FileTime{static_cast<std::int64_t>(t), 0});
  return out.year == year && out.month == month;
}

std::mt19937& generator() {
  static std::mt19937 gen{std::random_device{}()};
  return gen;
}

}  // namespace

vl::fs::CalendarTime localNow() {
  vl::fs::CalendarTime fixed;
  if (parseFixedClock(vl::platform::platformConfig().clockNow, fixed)) return fixed;
  auto now = std::chrono::system_clock::now().time_since_epoch();
  auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
  return vl::fs::localTimeFromUtc(
      vl::fs::FileTime{ns / 1000000000, static_cast<std::uint32_t>(ns % 1000000000)});
}

std::uint64_t monotonicMilliseconds() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

int random(int lo, int hi) {
  if (lo > hi) std::swap(lo, hi);
  return std::uniform_int_distribution<int>(lo, hi)(generator());
}

void seedRandom(std::uint32_t seed) { generator().seed(seed); }

}  // namespace vl::sys
