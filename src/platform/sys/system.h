#pragma once
// System services of the emulated till: computer name, the desktop's
// full-window dragging setting, the local clock, a monotonic clock and random
// numbers. Fixed values for tests come from platform.ini (see
// platform/base/platform_config.h): [System] ComputerName=, DragFullWindows=,
// [Clock] Now=.
#include <cstdint>
#include <string>

#include "platform/fs/files.h"

namespace vl::sys {

// GetComputerNameA: [System] ComputerName= when set, else the host name; in
// upper case and at most 15 characters (the NetBIOS limit). Empty (and the
// Windows error number set) only when neither is available.
std::string computerName();

// SPI_GETDRAGFULLWINDOWS / SPI_SETDRAGFULLWINDOWS. The emulated desktop keeps
// the setting in platform.ini [System] DragFullWindows= (0 or 1); absent means
// 0 (off), so a desktop that never switched it on is left alone. The setter
// writes the key back (the "update ini file" flag of the real call) and
// returns false when platform.ini cannot be written.
bool dragFullWindows();
bool setDragFullWindows(bool on);

// The local date and time now, like GetLocalTime (millisecond / 10 gives the
// hundredths). With [Clock] Now=YYYY-MM-DD HH:MM:SS in platform.ini the clock
// stands still at that moment (millisecond 0), for tests.
vl::fs::CalendarTime localNow();

// Milliseconds from an arbitrary start, never going back and never taken from
// the fixed clock: for timeouts and elapsed times.
std::uint64_t monotonicMilliseconds();

// Random whole numbers from lo to hi, both included (lo > hi are swapped).
// Seeded from the system at first use; seedRandom makes a run repeatable.
int random(int lo, int hi);
void seedRandom(std::uint32_t seed);

}  // namespace vl::sys
