#include "till_snapshot.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace vl::test {

namespace fsys = std::filesystem;

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

const std::string* TreeSnapshot::findFile(const std::string& path) const {
  const std::string wanted = Upper(path);
  for (const auto& [name, bytes] : files) {
    if (Upper(name) == wanted) return &bytes;
  }
  return nullptr;
}

namespace {

std::string readAll(const fsys::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

}  // namespace

TreeSnapshot TakeSnapshot(const fsys::path& root, const std::vector<std::string>& skip) {
  TreeSnapshot snap;
  std::error_code ec;
  if (!fsys::is_directory(root, ec)) return snap;
  auto it = fsys::recursive_directory_iterator(root, fsys::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fsys::recursive_directory_iterator(); it.increment(ec)) {
    const fsys::path relative = it->path().lexically_relative(root);
    if (it.depth() == 0 && std::find(skip.begin(), skip.end(), relative.string()) != skip.end()) {
      if (it->is_directory(ec)) it.disable_recursion_pending();
      continue;
    }
    const std::string key = relative.generic_string();
    const fsys::file_status status = it->symlink_status(ec);
    if (fsys::is_symlink(status)) {
      snap.links[key] = fsys::read_symlink(it->path(), ec).string();
    } else if (fsys::is_directory(status)) {
      snap.folders.insert(key);
    } else {
      snap.files[key] = readAll(it->path());
    }
  }
  return snap;
}

}  // namespace vl::test
