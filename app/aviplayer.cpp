#include "app/aviplayer.h"

#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QPainter>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

namespace zembo {

AviPlayer::AviPlayer(const QString& file, QWidget* parent) : QWidget(parent) {
  hide();
  if (!QFileInfo(file).isFile()) {
    failed_ = true;
    return;
  }
  player_ = new QMediaPlayer(this);
  sink_ = new QVideoSink(this);
  player_->setVideoSink(sink_);
  connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
    frame_ = frame.toImage();
    if (frame_.isNull()) return;
    if (size() != frame_.size()) resize(frame_.size());
    show();
    update();
  });
  connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia) emit playFinished();
    if (status == QMediaPlayer::InvalidMedia) failed_ = true;
  });
  connect(player_, &QMediaPlayer::errorOccurred, this, [this] {
    failed_ = true;
    hide();
  });
  // The player reads the opened file: a path handed to the media backend is re-encoded there, and
  // a folder whose name holds letters beyond ASCII is then not found.
  auto* opened = new QFile(file, this);
  if (!opened->open(QIODevice::ReadOnly)) {
    failed_ = true;
    return;
  }
  player_->setSourceDevice(opened, QUrl(QFileInfo(file).fileName()));
}

bool AviPlayer::playFromStart() {
  if (failed_ || !player_) return false;
  player_->setPosition(0);
  player_->play();
  return !failed_;
}

void AviPlayer::close() {
  if (player_) player_->stop();
  hide();
}

void AviPlayer::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, frame_);
}

}  // namespace zembo
