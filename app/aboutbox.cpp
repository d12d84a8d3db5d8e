#include "app/aboutbox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include "app/aviplayer.h"
#include "platform/hostpath.h"
#include "resources/uilanguage.h"
#include "windowkit/dialogbuilder.h"
#include "windowkit/toolwindow.h"

namespace zembo {

AboutBox::AboutBox(QWidget* owner) : QDialog(owner), pause_(new QTimer(this)) {
  if (const DialogResource* resource = findDialog(std::string(uiLanguage.uiLanguageName) + "_AboutBox"))
    buildDialog(*this, *resource);
  pause_->setSingleShot(true);
  connect(pause_, &QTimer::timeout, this, &AboutBox::playAgain);
  animation_ = new AviPlayer(QString::fromStdString(hostPath("dict.avi").string()), this);
  animation_->move(10, 11);
  connect(animation_, &AviPlayer::playFinished, this, &AboutBox::playFinished);
  playAgain();
}

bool AboutBox::pausing() const { return pause_->isActive(); }

void AboutBox::playAgain() {
  qApp->removeEventFilter(this);
  if (loopStopped_) return;
  ++playsStarted_;
  // A play that cannot start ends the loop; the box stays without animation.
  if (!animation_->playFromStart()) loopStopped_ = true;
}

void AboutBox::playFinished() {
  if (loopStopped_ || animation_->failed()) return;
  if (tools.aviDelay > 0) {
    qApp->installEventFilter(this);
    pause_->start(tools.aviDelay);
  } else {
    playAgain();
  }
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
  // Any mouse button pressed during the pause ends it.
  if (pause_->isActive() &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
    pause_->stop();
    QTimer::singleShot(0, this, &AboutBox::playAgain);
  }
  return QDialog::eventFilter(watched, event);
}

void AboutBox::done(int) {
  pause_->stop();
  qApp->removeEventFilter(this);
  loopStopped_ = true;
  animation_->close();
  QDialog::done(0);
}

}  // namespace zembo
