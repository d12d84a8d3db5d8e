#include "platform/qt/sound.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace zembo {

bool playSoundFile(const std::filesystem::path& file) {
  if (!std::filesystem::is_regular_file(file) || QMediaDevices::defaultAudioOutput().isNull()) return false;
  QMediaPlayer player;
  QAudioOutput output;
  player.setAudioOutput(&output);
  QEventLoop loop;
  bool played = true;
  QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, [&](QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia) loop.quit();
    if (status == QMediaPlayer::InvalidMedia) {
      played = false;
      loop.quit();
    }
  });
  QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, [&] {
    played = false;
    loop.quit();
  });
  // A sound that never reports its end must not hold the program: a minute at most.
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  player.setSource(QUrl::fromLocalFile(QString::fromStdString(std::filesystem::absolute(file).string())));
  player.play();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  return played;
}

}  // namespace zembo
