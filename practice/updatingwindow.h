#pragma once
// The progress window of a list compaction (class "updating"): a small window with a line of
// text, shown and painted at once because the work runs inside one command.

#include <QWidget>

namespace zembo {

class UpdatingWindow : public QWidget {
 public:
  UpdatingWindow();
  void showNow();

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace zembo
