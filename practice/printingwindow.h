#pragma once
// The printing window (class "printing"): says that the list is being prepared for the printer
// and counts the records while their columns get their formats.

#include <string>
#include <vector>

#include "windowkit/progresswindow.h"
#include "windowkit/uifont.h"

namespace zembo {

class PrintingWindow : public ProgressWindow {
 public:
  PrintingWindow();

  // "Word 10": the record the preparation has reached.
  void showProgress(int recordNumber);
  // Every progress text shown so far, in order.
  const std::vector<std::string>& progressHistory() const { return history_; }

 private:
  UiFont font_;  // the window's default font
  std::vector<std::string> history_;
};

}  // namespace zembo
