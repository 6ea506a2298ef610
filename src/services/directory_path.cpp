#include "services/directory_path.h"

#include <string>

#include "data/fixed_text.h"
#include "platform/base/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "services/messages.h"

namespace vl::services {
namespace {

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A level whose name runs past the 79 characters a level field holds. Cutting
// it would create (or find) a directory under a shortened, wrong name and
// report the path as made, so such a level counts as one that cannot be made.
// The whole path's own trailing backslash does not count.
bool tooLongForLevelField(std::string_view level) {
  if (!level.empty() && level.back() == '\\') level.remove_suffix(1);
  return level.size() > kLevelPathCapacity;
}

void reportLevelFailure(std::string_view level, std::uint32_t error) {
  std::string text = "Could not create the directory: ";
  text += level;
  text += "||Error: ";
  text += std::to_string(error);
  ShowMessage(text, "", kMessageInformation, true);
}

// Where the search for level separators starts, and whether the first level
// found is a network server (never entered or created). False: invalid form.
bool levelSearchStart(std::string_view path, std::size_t& start, bool& skipFirst) {
  if (path.substr(0, 2) == "\\\\") {
    start = 2;
    skipFirst = true;
    return true;
  }
  if (path.size() >= 3 && path.substr(1, 2) == ":\\") {
    start = 3;
    skipFirst = false;
    return true;
  }
  return false;
}

}  // namespace

bool CreateDirectoryLevel(std::string_view levelPath, std::string_view savedDirectory) {
  const ZText<kLevelPathCapacity + 1> level(levelPath);
  std::uint32_t error = platform::kErrorFilenameExcedRange;
  if (!tooLongForLevelField(levelPath)) {
    if (fs::setCurrentDirectory(level.trimmed())) return true;
    if (fs::createDirectory(level.trimmed())) return true;
    error = platform::lastWinError();
  }
  reportLevelFailure(level.trimmed(), error);
  fs::setCurrentDirectory(savedDirectory);
  return false;
}

std::uint8_t MakeDirectoryPath(std::string_view path) {
  // Saved in full: a current directory longer than any fixed field must still
  // come back exactly.
  const std::string saved = fs::currentDirectory();
  const std::string_view whole = trimRight(path);
  if (fs::setCurrentDirectory(whole)) {
    fs::setCurrentDirectory(saved);
    return kPathMade;
  }
  std::size_t start = 0;
  bool skipServer = false;
  if (!levelSearchStart(whole, start, skipServer)) {
    ShowMessage("Error creating new directory " + std::string(whole) + "||Invalid path syntax.", "",
                kMessageWarning, true);
    return kPathFailed;
  }
  for (std::size_t at = whole.find('\\', start); at != std::string_view::npos; at = whole.find('\\', at + 1)) {
    if (skipServer) {
      skipServer = false;
      continue;
    }
    if (!CreateDirectoryLevel(whole.substr(0, at), saved)) return kPathFailed;
  }
  if (!CreateDirectoryLevel(whole, saved)) return kPathFailed;
  fs::setCurrentDirectory(saved);
  return kPathMade;
}

}  // namespace vl::services
