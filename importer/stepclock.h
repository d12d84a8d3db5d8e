#pragma once
// The seconds of each step of the import, for the report.

#include <chrono>

#include "importer/importer.h"

namespace zembo {

// Times the steps of the import into the report.
class StepClock {
 public:
  explicit StepClock(ImportReport& report) : report_(report) {}
  void step(const char* name) {
    const auto now = std::chrono::steady_clock::now();
    report_.steps.emplace_back(name, std::chrono::duration<double>(now - start_).count());
    start_ = now;
  }

 private:
  ImportReport& report_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace zembo
