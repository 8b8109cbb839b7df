// Ends the test program with a message when a block of code does not return in time: a test of
// code that once spun for ever must fail, not hang the suite.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace zentavo::testing_support {

class HangWatchdog {
 public:
  HangWatchdog(std::chrono::seconds limit, std::string what)
      : thread_([this, limit, what = std::move(what)] {
          std::unique_lock lock(mutex_);
          if (!done_condition_.wait_for(lock, limit, [this] { return done_; })) {
            std::fprintf(stderr, "Did not return within %lld s: %s\n",
                         static_cast<long long>(limit.count()), what.c_str());
            std::_Exit(EXIT_FAILURE);
          }
        }) {}
  HangWatchdog(const HangWatchdog&) = delete;
  HangWatchdog& operator=(const HangWatchdog&) = delete;

  ~HangWatchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    done_condition_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_condition_;
  bool done_ = false;
  std::thread thread_;
};

}  // namespace zentavo::testing_support
