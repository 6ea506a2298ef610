#include "platform/ui/transcript.h"

#include <iostream>

namespace vl::ui {

Transcript::Transcript(const std::string& path) {
  if (path == "-") {
    out_ = &std::cout;
  } else {
    file_.open(path, std::ios::binary | std::ios::trunc);
    out_ = &file_;
  }
}

void Transcript::write(const JsonLine& line) {
  std::lock_guard lock(mutex_);
  if (closed_) return;
  *out_ << line.str() << '\n';
  out_->flush();
}

void Transcript::writeLast(const std::vector<JsonLine>& lines) {
  std::lock_guard lock(mutex_);
  if (closed_) return;
  for (const JsonLine& line : lines) *out_ << line.str() << '\n';
  out_->flush();
  closed_ = true;
}

}  // namespace vl::ui
