#include "platform/qt/recorder.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QBuffer>
#include <QElapsedTimer>
#include <QMediaDevices>

#include <sndfile.h>

#include <algorithm>
#include <cstring>

#include "platform/safefiles.h"

namespace zembo {

namespace {

RecorderState recorderState;

// libsndfile writes the file into memory, which then replaces the old file in one step.
struct MemoryFile {
  std::vector<char> bytes;
  sf_count_t at = 0;
};
sf_count_t memoryLength(void* user) { return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size()); }
sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  const sf_count_t base = whence == SEEK_CUR ? f->at : whence == SEEK_END ? memoryLength(user) : 0;
  f->at = std::max<sf_count_t>(0, base + offset);
  return f->at;
}
sf_count_t memoryRead(void* out, sf_count_t count, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  const sf_count_t n = std::max<sf_count_t>(0, std::min(count, memoryLength(user) - f->at));
  std::memcpy(out, f->bytes.data() + f->at, static_cast<std::size_t>(n));
  f->at += n;
  return n;
}
sf_count_t memoryWrite(const void* in, sf_count_t count, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  if (f->at + count > memoryLength(user)) f->bytes.resize(static_cast<std::size_t>(f->at + count));
  std::memcpy(f->bytes.data() + f->at, in, static_cast<std::size_t>(count));
  f->at += count;
  return count;
}
sf_count_t memoryTell(void* user) { return static_cast<MemoryFile*>(user)->at; }

int subtypeOf(SampleType type) {
  switch (type) {
    case SampleType::uint8:
      return SF_FORMAT_PCM_U8;
    case SampleType::int16:
      return SF_FORMAT_PCM_16;
    case SampleType::int32:
      return SF_FORMAT_PCM_32;
    case SampleType::float32:
      return SF_FORMAT_FLOAT;
  }
  return SF_FORMAT_PCM_16;
}

int bytesPerSample(SampleType type) { return type == SampleType::uint8 ? 1 : type == SampleType::int16 ? 2 : 4; }

bool encodeWave(const WaveFormat& format, const std::vector<char>& samples, MemoryFile& out) {
  SF_INFO info{};
  info.samplerate = format.sampleRate;
  info.channels = format.channels;
  info.format = SF_FORMAT_WAV | subtypeOf(format.type);
  SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
  SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &out);
  if (!file) return false;
  // The samples are in the host's order, as the file's little-endian data chunk wants them on
  // the hosts we build for; whole frames only.
  const std::size_t frame =
      static_cast<std::size_t>(bytesPerSample(format.type)) * static_cast<std::size_t>(format.channels);
  const std::size_t usable = samples.size() / frame * frame;
  const bool written =
      sf_write_raw(file, samples.data(), static_cast<sf_count_t>(usable)) == static_cast<sf_count_t>(usable);
  return sf_close(file) == 0 && written;
}

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
  MemoryFile wave;
  if (file.empty() || format.sampleRate <= 0 || format.channels <= 0 || !encodeWave(format, samples, wave))
    return false;
  return replaceFileSafely(file, [&wave](std::FILE* out) {
    return std::fwrite(wave.bytes.data(), 1, wave.bytes.size(), out) == wave.bytes.size();
  });
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
