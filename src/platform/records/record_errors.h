#pragma once
// How a driver step went, before DataFile publishes it: the layer's code and,
// for 90, the storage engine's or the operating system's own message and code.
#include <filesystem>
#include <string>

namespace vl::records {

struct Outcome {
  int code = 0;
  std::string driverMessage;
  std::string driverCode;
  std::string description;  // replaces the code's usual description when set
  bool ok() const { return code == 0; }
};

inline Outcome fail(int code) { return Outcome{code, {}, {}, {}}; }

// An errno from a file operation on path: 2 or 3 (missing file or folder),
// 5 (permission), 32 (busy), otherwise 90 with the system's message.
Outcome outcomeFromErrno(int err, const std::filesystem::path& path);

}  // namespace vl::records
