#pragma once
// A push button whose text breaks onto more lines when it does not fit, as the program's buttons
// with multi-line text do.

#include <QPushButton>

namespace zembo {

class CommandButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zembo
