#pragma once
// The last-write date and time and the size of one local file, read the way
// the HTTP download checks what it wrote. Every failure is shown at once in a
// box captioned "GetFileDetails" that names the failing system function and
// its error number.
#include <cstdint>
#include <string>
#include <string_view>

#include "data/fixed_text.h"

namespace vl::services {

inline constexpr std::size_t kFileDetailsNameWidth = 255;  // a longer name is cut

// fileName: a full Windows path; wildcards give the first match. On success:
// dateText "d/m/yyyy" and timeText "h:m:s" of the last write in local time
// (no leading zeros) and the low 32 bits of the size. The outputs are cleared
// (empty, 0) before the lookup, so a failure leaves no stale values.
bool GetFileDetails(std::string_view fileName, std::string& dateText, std::string& timeText,
                    std::uint32_t& size);

// The same into the caller's fixed-length fields (blank on failure; cut to fit).
template <std::size_t D, std::size_t T>
bool GetFileDetails(std::string_view fileName, FixedText<D>& dateText, FixedText<T>& timeText,
                    std::uint32_t& size) {
  std::string date;
  std::string time;
  const bool found = GetFileDetails(fileName, date, time, size);
  dateText = date;
  timeText = time;
  return found;
}

}  // namespace vl::services
