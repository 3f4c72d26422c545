// GoogleTest's hook for embedders (gtest-port.h includes this file first),
// put ahead of GoogleTest's own empty copy only where the C++ runtime has no
// std::mutex: GCC 12 with MinGW's win32 thread model, the runtime that starts
// on Windows XP. GoogleTest locks with its own Win32 critical sections there;
// only its Notification, which starts the threads of GoogleTest's own tests,
// is written with std::mutex and std::condition_variable, so this one waits
// on an atomic flag instead.
#ifndef GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
#define GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_

#include <atomic>
#include <chrono>
#include <thread>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification &) = delete;
  Notification &operator=(const Notification &) = delete;

  void Notify() { notified_.store(true, std::memory_order_release); }

  void WaitForNotification() {
    while (!notified_.load(std::memory_order_acquire)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing

#endif  // GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
