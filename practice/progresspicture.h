#pragma once
// The picture of a list's progress, opened from the review window: reviews per day over the last
// 30 days with their grades, cards due per day over the next 30, and the share of reviews
// remembered beside the retention the schedule aims at, painted with the edition's texts and
// dates.

#include <QWidget>

#include "review/progress.h"

namespace zembo {

class ProgressPicture : public QWidget {
 public:
  ProgressPicture(const ProgressFigures& figures, const QString& title, QWidget* owner);
  const ProgressFigures& figures() const { return figures_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  ProgressFigures figures_;
};

}  // namespace zembo
