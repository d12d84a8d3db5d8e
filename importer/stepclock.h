#pragma once
// The seconds of each step of the import, for the report, and the points where a user's request
// to stop is heard: at the end of every step, and now and then inside the long loops.

#include <chrono>
#include <cstdint>
#include <functional>

#include "importer/importer.h"

namespace zembo {

// Times the steps of the import into the report; used on the thread that runs the import.
class StepClock {
 public:
  explicit StepClock(ImportReport& report, const std::function<bool()>& stopRequested = {})
      : report_(report), stopRequested_(stopRequested ? &stopRequested : nullptr) {}
  void step(const char* name) {
    const auto now = std::chrono::steady_clock::now();
    report_.steps.emplace_back(name, std::chrono::duration<double>(now - start_).count());
    start_ = now;
    stopHere();
  }
  // Asks at once; throws ImportFailure::stopped when a user asked to stop.
  void stopHere() {
    lastAsked_ = std::chrono::steady_clock::now();
    if (stopRequested_ && !stopAsked_ && (*stopRequested_)()) stopAsked_ = true;
    if (stopAsked_) throw ImportError(ImportFailure::stopped, {});
  }
  // For each turn of a long loop: asks when a few milliseconds have passed since the last time (the
  // clock is read every 64th turn, so that the loop keeps its speed); true once a user asked.
  bool stopAsked() {
    if (!stopRequested_ || ++turns_ % 64 != 0 || stopAsked_) return stopAsked_;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastAsked_ < askingInterval) return false;
    lastAsked_ = now;
    stopAsked_ = (*stopRequested_)();
    return stopAsked_;
  }
  // The same inside a loop that may end the import with an exception.
  void poll() {
    if (stopAsked()) stopHere();
  }

  // From the commit on, a request to stop is not asked for, nor heard.
  void stopNoMore() { stopRequested_ = nullptr; }

  static constexpr std::chrono::milliseconds askingInterval{10};

 private:
  ImportReport& report_;
  const std::function<bool()>* stopRequested_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point lastAsked_ = start_;
  std::uint32_t turns_ = 0;
  bool stopAsked_ = false;
};

}  // namespace zembo
