#pragma once
// A small window that reports on a long operation running inside one command (sorting, printing):
// centred on the screen, with a picture the window draws itself, which goes to the screen at once
// whenever it changes, because the operation takes no input meanwhile.

#include <QImage>
#include <QWidget>

namespace zembo {

class ProgressWindow : public QWidget {
 public:
  // The outer size of the original layout (w x h) gives a client area of (w - 6) x (h - 6); the
  // title is a UI text.
  ProgressWindow(int outerWidth, int outerHeight, int titleText);

  // Returns when the window is on the screen and painted (or after a short while without one).
  void waitUntilOnScreen();

 protected:
  void paintNow();
  void paintEvent(QPaintEvent*) override;

  QImage surface_;  // what the window shows
};

}  // namespace zembo
