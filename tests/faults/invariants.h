#pragma once
// What must hold after any run of the program, whatever went wrong during it:
// nothing touched outside the places the program owns, every BIN program
// either its old version or the verified new one, every inbox file either
// untouched or a verified download, no stray temporaries, record and INI
// files whole. One checker for every fault case: snapshot before the run,
// check() after it.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "till_snapshot.h"

namespace vl::test {

// What a clean run leaves: the BIN and inbox files (upper-case name -> bytes).
struct CleanEndState {
  std::map<std::string, std::string> bin;
  std::map<std::string, std::string> inbox;
};

// The clean end state read from a sandbox prefix after a clean run.
CleanEndState ReadEndState(const std::filesystem::path& prefix);

struct InvariantOptions {
  // A run that stopped mid-file may keep its partial download under the
  // temporary name (it is never given the final name).
  bool downloadTempsMayStay = false;
  // Inbox files a case expects besides or instead of a clean run's
  // (upper-case name -> bytes): files it put on the server.
  std::map<std::string, std::string> moreInboxFiles;
  // The case damaged the settings file and the program was right to end
  // without using it: it must be left byte for byte as found instead.
  bool settingsLeftAsFound = false;
};

class InvariantChecker {
 public:
  // `skipTop`: top-level names of the prefix that are not the till's (the
  // robot's folder, servers' roots, certificates).
  InvariantChecker(std::filesystem::path prefix, std::vector<std::string> skipTop);

  void before();
  // Every broken invariant, one line each; empty when all hold.
  std::vector<std::string> check(const CleanEndState& clean, const InvariantOptions& options = {}) const;

 private:
  std::filesystem::path prefix_;
  std::vector<std::string> skipTop_;
  TreeSnapshot before_;
};

// The lines of check(), joined for a failure message.
std::string Describe(const std::vector<std::string>& violations);

}  // namespace vl::test
