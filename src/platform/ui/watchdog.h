#pragma once
// Keeps a headless run from hanging: if the program goes longer than the
// bound without kick() (the robot calls it where a window waits for input),
// or does not end within the bound after the final deadline was set,
// onExpire runs on the watchdog's own thread. onExpire is expected
// to end the process (the program may be stuck inside a blocking call).
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vl::ui {

class Watchdog {
 public:
  using Clock = std::chrono::steady_clock;
  Watchdog(std::chrono::milliseconds bound, std::function<void()> onExpire);
  ~Watchdog();  // stops it
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  void kick();          // the program made progress: the bound starts anew
  void finalDeadline(); // from now on kick() no longer extends it
  void stop();

 private:
  void run();

  std::chrono::milliseconds bound_;
  std::function<void()> onExpire_;
  std::mutex mutex_;
  std::condition_variable wake_;
  Clock::time_point deadline_;
  bool final_ = false;
  bool stopped_ = false;
  std::thread thread_;
};

}  // namespace vl::ui
