#pragma once
// Shows an animation file in a child area at its own size and reports the end of each play.

#include <QImage>
#include <QWidget>

class QMediaPlayer;
class QVideoSink;

namespace zembo {

class AviPlayer : public QWidget {
  Q_OBJECT
 public:
  // The player stays empty (and invisible) when the file is missing or cannot be played.
  AviPlayer(const QString& file, QWidget* parent);
  // Starts a play from the first frame; false when the file cannot be played.
  bool playFromStart();
  void close();
  bool failed() const { return failed_; }

 signals:
  void playFinished();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QMediaPlayer* player_ = nullptr;
  QVideoSink* sink_ = nullptr;
  QImage frame_;
  bool failed_ = false;
};

}  // namespace zembo
