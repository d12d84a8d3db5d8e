#include "platform/qt/sound.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

#include <sndfile.h>

#include <vector>

namespace zembo {

namespace {

// Past the sound's own length, what a device may take to start and drain before the call gives up.
constexpr int endMarginMs = 1500;

struct Samples {
  int rate = 0;
  int channels = 0;
  std::vector<short> data;  // interleaved frames
};

// The file is opened here and handed to libsndfile as a descriptor, so its name reaches the system
// as the bytes it has on disk. Only a regular file is read (a FIFO would block the program).
bool readSamples(const std::filesystem::path& file, Samples& out) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return false;
  }
  SF_INFO info{};
  SNDFILE* sound = sf_open_fd(fd, SFM_READ, &info, SF_TRUE);
  if (!sound) return false;
  bool read = info.samplerate > 0 && info.channels > 0 && info.frames > 0;
  if (read) {
    out.rate = info.samplerate;
    out.channels = info.channels;
    out.data.resize(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
    const sf_count_t got = sf_readf_short(sound, out.data.data(), info.frames);
    out.data.resize(static_cast<std::size_t>(std::max<sf_count_t>(got, 0)) * static_cast<std::size_t>(info.channels));
    read = got > 0;
  }
  sf_close(sound);
  return read;
}

int lengthMs(std::size_t sampleCount, int rate, int channels) {
  const qint64 frames = static_cast<qint64>(sampleCount) / channels;
  return static_cast<int>(frames * 1000 / rate);
}

}  // namespace

bool playSamples(const short* data, std::size_t count, int rate, int channels) {
  if (count == 0 || rate <= 0 || channels <= 0) return false;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return false;
  QAudioFormat format;
  format.setSampleRate(rate);
  format.setChannelCount(channels);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) return false;

  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count * sizeof(short)));
  QBuffer source(&bytes);
  source.open(QIODevice::ReadOnly);
  QAudioSink sink(device, format);
  QEventLoop loop;
  QElapsedTimer clock;
  const int length = lengthMs(count, rate, channels);
  bool played = true;
  // The sink is idle once the server holds the last samples; they have sounded when the sound's
  // length has passed since the start.
  QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
    if (sink.error() != QAudio::NoError) {
      played = false;
      loop.quit();
    } else if (state == QAudio::IdleState) {
      QTimer::singleShot(std::max<qint64>(0, length - clock.elapsed()), &loop, &QEventLoop::quit);
    }
  });
  // A device that stalls must not hold the program past the sound's end.
  QTimer::singleShot(length + endMarginMs, &loop, [&] {
    played = false;
    loop.quit();
  });
  clock.start();
  sink.start(&source);
  if (sink.error() != QAudio::NoError || sink.state() == QAudio::StoppedState) return false;
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  sink.stop();
  return played;
}

bool playSoundFile(const std::filesystem::path& file) {
  Samples samples;
  if (!readSamples(file, samples)) return false;
  return playSamples(samples.data.data(), samples.data.size(), samples.rate, samples.channels);
}

}  // namespace zembo
