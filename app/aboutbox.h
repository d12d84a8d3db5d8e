#pragma once
// The About box: four lines about the program beside an animation that plays in a loop, with a
// pause between plays (aviDelay milliseconds) that a mouse click ends early.

#include <QDialog>

class QTimer;

namespace zembo {

class AviPlayer;

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(QWidget* owner);
  int playsStarted() const { return playsStarted_; }
  bool pausing() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void done(int result) override;

 private:
  void playAgain();
  void playFinished();

  AviPlayer* animation_ = nullptr;
  QTimer* pause_;
  bool loopStopped_ = false;
  int playsStarted_ = 0;
};

}  // namespace zembo
