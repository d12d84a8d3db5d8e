#include "platform/qt/recorder.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QBuffer>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <algorithm>
#include <cstring>

#include "platform/safefiles.h"

namespace zembo {

namespace {

RecorderState recorderState;

// The default audio input in its preferred format, filling a buffer while it records.
class QtAudioInput : public AudioInput {
 public:
  bool open(WaveFormat& format) override {
    device_ = QMediaDevices::defaultAudioInput();
    if (device_.isNull()) return false;
    QAudioFormat preferred = device_.preferredFormat();
    SampleType type;
    switch (preferred.sampleFormat()) {
      case QAudioFormat::UInt8:
        type = SampleType::uint8;
        break;
      case QAudioFormat::Int16:
        type = SampleType::int16;
        break;
      case QAudioFormat::Int32:
        type = SampleType::int32;
        break;
      case QAudioFormat::Float:
        type = SampleType::float32;
        break;
      default:
        return false;
    }
    format = {preferred.sampleRate(), preferred.channelCount(), type};
    format_ = preferred;
    return format.sampleRate > 0 && format.channels > 0;
  }
  bool start() override {
    buffer_.setData(QByteArray());
    buffer_.open(QIODevice::WriteOnly);
    source_ = std::make_unique<QAudioSource>(device_, format_);
    source_->start(&buffer_);
    running_.start();
    return source_->error() == QAudio::NoError;
  }
  std::vector<char> stop() override {
    const qint64 ranMs = running_.elapsed();
    if (source_) source_->stop();
    source_.reset();
    buffer_.close();
    const QByteArray& data = buffer_.data();
    // A source may hand over, once a recording starts, what it held before it started (a source
    // that nobody read, a server's silent source in blocks of seconds): a device cannot have heard
    // more than the time the recording ran, so only the latest that long, in whole frames, is kept.
    const qsizetype frame = std::max(1, format_.bytesPerFrame());
    const qsizetype whole = data.size() / frame * frame;
    const qsizetype kept = std::min<qsizetype>(whole, format_.bytesForDuration(ranMs * 1000));
    return std::vector<char>(data.begin() + (whole - kept), data.begin() + whole);
  }

 private:
  QAudioDevice device_;
  QAudioFormat format_;
  QBuffer buffer_;
  QElapsedTimer running_;
  std::unique_ptr<QAudioSource> source_;
};

}  // namespace

const RecorderState& recorders = recorderState;

void setAudioInputMaker(AudioInputMaker maker) { recorderState.makeAudioInput = maker; }

void resetRecorderState() { recorderState = {}; }

std::unique_ptr<AudioInput> makeDefaultAudioInput() { return std::make_unique<QtAudioInput>(); }

bool writeWaveFile(const std::filesystem::path& file, const WaveFormat& format, const std::vector<char>& samples) {
  // Encoded in memory first, the file then replaces the old one in one step.
  std::string wave;
  if (file.empty() || format.sampleRate <= 0 || format.channels <= 0 || !encodeWave(format, samples, wave))
    return false;
  return replaceFileSafely(
      file, [&wave](std::FILE* out) { return std::fwrite(wave.data(), 1, wave.size(), out) == wave.size(); });
}

RecorderError Recorder::open() {
  close();
  std::unique_ptr<AudioInput> input = recorderState.makeAudioInput();
  if (!input || !input->open(format_)) return RecorderError::noInputDevice;
  input_ = std::move(input);
  return RecorderError::none;
}

RecorderError Recorder::record() {
  if (!input_) return RecorderError::notOpen;
  if (recording_) return RecorderError::none;
  if (!input_->start()) return RecorderError::cannotRecord;
  recording_ = true;
  return RecorderError::none;
}

void Recorder::stop() {
  if (!recording_) return;
  std::vector<char> heard = input_->stop();
  samples_.insert(samples_.end(), heard.begin(), heard.end());
  recording_ = false;
}

RecorderError Recorder::save(const std::filesystem::path& file) {
  if (!input_) return RecorderError::notOpen;
  stop();
  return writeWaveFile(file, format_, samples_) ? RecorderError::none : RecorderError::fileNotSaved;
}

void Recorder::close() {
  stop();
  input_.reset();
  samples_.clear();
  format_ = {};
}

std::string recorderErrorText(RecorderError error) {
  switch (error) {
    case RecorderError::none:
      return "The command was carried out.";
    case RecorderError::notOpen:
      return "The specified device is not open or is not recognized.";
    case RecorderError::noInputDevice:
      return "There is no sound input device that can record. Connect a microphone and try again.";
    case RecorderError::cannotRecord:
      return "The sound input device could not start recording.";
    case RecorderError::fileNotSaved:
      return "The file was not saved. Make sure there is enough disk space and that its folder exists.";
  }
  return {};
}

}  // namespace zembo
