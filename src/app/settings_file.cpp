#include "app/settings_file.h"

#include <array>
#include <span>
#include <string>

#include "data/builtin_account.h"
#include "data/fixed_paths.h"
#include "services/data_file_open.h"

namespace vl::setup {

records::DataFile makeSettingsFile() {
  records::DataFile file("VLSINET", records::Driver::Keyed, SettingsRecord::kLayout, SettingsRecord::kSize,
                         std::string(kSettingsOwnerPassword));
  file.setName(std::string(paths::kSettingsFileName));
  return file;
}

void OpenSettingsFile(records::DataFile& file) {
  if (file.open(records::Access::ReadWriteDenyWrite)) return;
  if (file.errorCode() == records::kInvalidRecordDeclaration) file.remove();
  services::OpenDataFile(file);
  // A file that had to be made is open shared, and a second copy of the
  // program would open it beside this one. Held as an existing one is, the
  // second copy finds it locked.
  file.close();
  if (!file.open(records::Access::ReadWriteDenyWrite)) services::OpenDataFile(file);
}

bool ReadSettingsRecord(records::DataFile& file, ProgramState& state) {
  state.FTP = SettingsRecord{};
  std::array<std::uint8_t, SettingsRecord::kSize> bytes{};
  if (!file.setToStart() || !file.next(bytes)) return false;
  state.FTP = deserialise<SettingsRecord>(std::span<const std::uint8_t, SettingsRecord::kSize>(bytes));
  return true;
}

bool WriteSettingsRecord(records::DataFile& file, const ProgramState& state, bool add) {
  const auto bytes = toBytes(state.FTP);
  return add ? file.add(bytes) : file.put(bytes);
}

}  // namespace vl::setup
