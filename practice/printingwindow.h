#pragma once
// The printing window (class "printing"): says that the list is being prepared for the printer
// and counts the records while their columns get their formats. The preparation runs inside one
// command, so the window paints at once whenever it changes.

#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

#include "windowkit/uifont.h"

namespace zembo {

class PrintingWindow : public QWidget {
 public:
  PrintingWindow();

  // "Word 10": the record the preparation has reached.
  void showProgress(int recordNumber);
  const std::string& progressText() const { return text_; }
  // Every progress text shown so far, in order.
  const std::vector<std::string>& progressHistory() const { return history_; }
  // Returns when the window is on the screen and painted (or after a short while without one).
  void waitUntilOnScreen();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  void paintNow();

  UiFont font_;     // the window's default font
  QImage surface_;  // what the window shows
  std::string text_;
  std::vector<std::string> history_;
};

}  // namespace zembo
