// INI files on a till are edited by hand and by older programs: reading any
// bytes as an INI file must give values or defaults, and a write must keep
// the file readable.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/profile/ini_text.h"
#include "platform/profile/profile.h"
#include "support/sandbox.h"

namespace {

constexpr const char* kSections[] = {"VLSINET", "TERMINAL", "", "[", "a b"};
constexpr const char* kKeys[] = {"locationid", "FTPSERVER", "", "=", ";x"};

vl::test::Sandbox& sandbox() {
  static vl::test::Sandbox box;
  return box;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace profile = vl::profile;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  sandbox().writeFile("drive_c/T.INI", bytes);

  // The whole path through the file for the keys the program reads most; the
  // odd names only through the parsed text (each file read costs a lot).
  profile::getString("C:\\T.INI", "VLSINET", "FTPSERVER", "default");
  profile::getInt("C:\\T.INI", "VLSINET", "locationid", -1);
  profile::detail::IniText ini = profile::detail::parseIni(bytes);
  for (const char* section : kSections) {
    for (const char* key : kKeys) {
      if (const auto value = profile::detail::findValue(ini, section, key)) profile::profileTextToInt(*value);
    }
  }

  // The in-memory round trip a write does: what was readable stays readable.
  profile::detail::setValue(ini, "VLSINET", "locationid", "12");
  const std::string written = profile::detail::renderIni(ini);
  const auto value = profile::detail::findValue(profile::detail::parseIni(written), "VLSINET", "locationid");
  // writeString does the same and then replaces the file with a synced
  // write, which would slow every run down to a few a second.
  if (!value || *value != "12") __builtin_trap();
  return 0;
}
