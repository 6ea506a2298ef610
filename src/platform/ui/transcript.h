#pragma once
// The transcript: one JSON object per line, in the order things happen,
// flushed at once so that a run that is killed leaves everything up to then.
// Safe to write from the watchdog thread as well.
#include <fstream>
#include <mutex>
#include <ostream>
#include <string>

#include "platform/ui/json_line.h"

namespace vl::ui {

class Transcript {
 public:
  explicit Transcript(std::ostream& out) : out_(&out) {}
  // "-" is standard output; otherwise the file is created (replaced).
  explicit Transcript(const std::string& path);
  bool good() const { return out_ && out_->good(); }
  void write(const JsonLine& line);

 private:
  std::ofstream file_;
  std::ostream* out_ = nullptr;
  std::mutex mutex_;
};

}  // namespace vl::ui
