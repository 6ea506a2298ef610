#pragma once
// A picture of a host folder tree taken before and after a run, to tell what
// the run touched: every file's bytes, every folder, every symbolic link's
// target. Paths are relative, with '/', as the host spells them.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vl::test {

struct TreeSnapshot {
  std::map<std::string, std::string> files;  // path -> bytes
  std::set<std::string> folders;
  std::map<std::string, std::string> links;  // path -> target

  // The bytes of a file whose path matches without regard to case; nullptr if none.
  const std::string* findFile(const std::string& path) const;
};

// Walks `root` without following links; top-level names in `skip` are left out.
TreeSnapshot TakeSnapshot(const std::filesystem::path& root, const std::vector<std::string>& skip = {});

// Upper-case ASCII, for comparing Windows names.
std::string Upper(std::string text);

}  // namespace vl::test
