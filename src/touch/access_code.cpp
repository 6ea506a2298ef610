#include <cstdint>
#include <string>

#include "data/day_number.h"
#include "platform/sys/system.h"
#include "touch/keypad.h"

namespace vl::touch {

long AccessCodeForDay(std::int32_t dayNumber) {
  // 32-bit arithmetic that wraps, done unsigned so the wrap is well defined.
  auto v = static_cast<std::uint32_t>(dayNumber);
  for (int round = 0; round < 32; ++round) v = (v << 5) + (v ^ kAccessCodeMask);
  auto code = static_cast<std::int32_t>(v);
  // INT32_MIN has no positive counterpart and stays negative.
  if (code <= 0 && code != INT32_MIN) code = -code;
  const std::string digits = std::to_string(code).substr(0, 6);
  return std::stol(digits);
}

long DailyAccessCode() {
  const fs::CalendarTime now = sys::localNow();
  return AccessCodeForDay(dayNumber(now.year, now.month, now.day));
}

}  // namespace vl::touch
