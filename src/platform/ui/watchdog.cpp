#include "platform/ui/watchdog.h"

namespace vl::ui {

Watchdog::Watchdog(std::chrono::milliseconds bound, std::function<void()> onExpire)
    : bound_(bound), onExpire_(std::move(onExpire)), deadline_(Clock::now() + bound) {
  thread_ = std::thread([this] { run(); });
}

Watchdog::~Watchdog() { stop(); }

void Watchdog::kick() {
  std::lock_guard lock(mutex_);
  if (!final_) deadline_ = Clock::now() + bound_;
}

void Watchdog::finalDeadline() {
  std::lock_guard lock(mutex_);
  if (final_) return;
  final_ = true;
  deadline_ = Clock::now() + bound_;
}

void Watchdog::stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void Watchdog::run() {
  std::unique_lock lock(mutex_);
  while (!stopped_) {
    if (Clock::now() >= deadline_) {
      lock.unlock();
      onExpire_();
      return;
    }
    wake_.wait_until(lock, deadline_);
  }
}

}  // namespace vl::ui
