#pragma once
// The transcript: one JSON object per line, in the order things happen,
// flushed at once so that a run that is killed leaves everything up to then.
// Safe to write from the watchdog thread as well.
#include <fstream>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ui/json_line.h"

namespace vl::ui {

class Transcript {
 public:
  explicit Transcript(std::ostream& out) : out_(&out) {}
  // "-" is standard output; otherwise the file is created (replaced).
  explicit Transcript(const std::string& path);
  bool good() const { return out_ && out_->good(); }
  void write(const JsonLine& line);
  // Writes the closing lines together and ends the transcript: the watchdog
  // thread may close it while the program thread still runs, and nothing the
  // program does afterwards may land behind the exit line.
  void writeLast(const std::vector<JsonLine>& lines);

 private:
  std::ofstream file_;
  std::ostream* out_ = nullptr;
  std::mutex mutex_;
  bool closed_ = false;
};

}  // namespace vl::ui
