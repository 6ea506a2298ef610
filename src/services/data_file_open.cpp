#include "services/data_file_open.h"

#include "data/control_flow.h"
#include "platform/base/errors.h"
#include "services/messages.h"

namespace vl::services {
namespace {

using records::Access;
using ui::Button;
using ui::Icon;

constexpr std::string_view kRecoverLock = "Recover=10";
constexpr std::string_view kPressOk = ".  Press OK to end this application.";

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

Button show(std::string_view caption, std::string text, Icon icon, std::vector<Button> buttons = {Button::Ok}) {
  ui::MessageBoxRequest request;
  request.caption = std::string(caption);
  request.text = std::move(text);
  request.icon = icon;
  request.defaultButton = buttons.front();
  request.buttons = std::move(buttons);
  return showBox(std::move(request));
}

[[noreturn]] void endProgram() { throw ProgramHalt{0}; }

std::string inconsistentDefinitionText(std::string_view name) {
  return "The system has detected an inconsistent data definition on the file: " + std::string(name) +
         "||Ensure that you have installed the latest software upgrade available from Vorlan." +
         "||Note: If this error ocurred at a POS terminal, please ensure to:" +
         "|1. Log off the Vorlan software from all POS terminals." +
         "|2. Send a full update AND a software update to the entire POS terminal network." +
         "||Press OK to end this application.";
}

int askKeyRebuild(std::string_view name) {
  const std::string text = std::string(name) + " key file is invalid.  Do you " + "want to rebuild the key?";
  if (show("Invalid Key", text, Icon::Exclamation, {Button::Yes, Button::No}) == Button::Yes) return 1;
  show("Halt", "Invalid Key!", Icon::None);
  endProgram();
}

[[noreturn]] void finalFileError(const records::DataFile& file) {
  const std::string text = "Error: " + std::to_string(file.errorCode()) + " " +
                           std::string(trimRight(file.errorText())) + "|File: " +
                           std::string(trimRight(file.name())) + "||Press OK to end this application.";
  show("Database Access Error", text, Icon::Information);
  endProgram();
}

}  // namespace

std::string FileErrorSummary() {
  const platform::FileError& error = platform::lastFileError();
  std::string summary;
  if (error.code == records::kFileSystemError) {
    summary = std::string(trimRight(error.driverMessage)) + " (" + std::string(trimRight(error.driverCode)) + ")";
  } else {
    summary = std::string(trimRight(error.description)) + " (" + std::to_string(error.code) + ")";
  }
  if (summary.size() > kErrorSummaryWidth) summary.resize(kErrorSummaryWidth);
  return summary;
}

int FileWarning(int number, std::string_view name) {
  const std::string summary = FileErrorSummary();
  const std::string trimmed(trimRight(name));
  switch (number) {
    case 1:
      show("Invalid File", inconsistentDefinitionText(name), Icon::Information);
      break;
    case 2:
      return askKeyRebuild(trimmed);
    case 3:
      show("Key Rebuild Error", "Error: (" + summary + ") repairing key for " + trimmed + std::string(kPressOk),
           Icon::Information);
      break;
    case 4:
      show("File Creation Error", "Error: (" + summary + ") creating " + trimmed + std::string(kPressOk),
           Icon::Information);
      break;
    case 5:
      show("File Creation Error",
           "Error: (" + summary + ") opening created " + "file:" + trimmed + std::string(kPressOk),
           Icon::Information);
      break;
    default:
      return 0;
  }
  endProgram();
}

void OpenDataFile(records::DataFile& file) {
  file.open(Access::ReadWriteShared);
  if (file.errorCode() == records::kFileLocked) {
    file.sendCommand(kRecoverLock);
    file.open(Access::ReadWriteShared);
  }
  switch (file.errorCode()) {
    case records::kNoError:
    case records::kFileAlreadyOpen:
      return;
    case records::kFileNotFound:
      if (!file.create()) FileWarning(4, file.name());
      if (file.open(Access::ReadWriteShared)) return;
      FileWarning(5, file.name());
      break;
    case records::kKeysMustBeRebuilt:
      FileWarning(2, file.name());
      if (!file.buildKeys()) FileWarning(3, file.name());
      file.open(Access::ReadWriteShared);
      break;
    case records::kInvalidRecordDeclaration:
      FileWarning(1, file.name());
      break;
    default:
      break;
  }
  if (file.errorCode() == records::kNoError) return;
  finalFileError(file);
}

}  // namespace vl::services
