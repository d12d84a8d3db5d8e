#include "lookup/mci.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QBuffer>
#include <QElapsedTimer>
#include <QMediaDevices>

#include <sndfile.h>

#include <algorithm>
#include <cstring>

#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/safefiles.h"

namespace zembo {

MciState mci;

namespace {

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
  return out;
}

// The words of a command; a quoted word keeps its blanks (a file name), and runs to the last quote
// so that a name holding a quote is still one word.
std::vector<std::string> words(std::string_view command) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < command.size()) {
    if (command[i] == ' ') {
      ++i;
    } else if (command[i] == '"') {
      const std::size_t close = command.rfind('"');
      if (close == i) return {};  // an unclosed quote
      out.emplace_back(command.substr(i + 1, close - i - 1));
      i = close + 1;
    } else {
      const std::size_t end = std::min(command.find(' ', i), command.size());
      out.emplace_back(command.substr(i, end - i));
      i = end;
    }
  }
  return out;
}

void stopRecording(RecordingDevice& device) {
  if (!device.recording) return;
  std::vector<char> got = device.input->stop();
  device.samples.insert(device.samples.end(), got.begin(), got.end());
  device.recording = false;
}

int openDevice(const std::vector<std::string>& w) {
  if (w.size() != 6 || lowered(w[1]) != "new" || lowered(w[2]) != "type" || lowered(w[3]) != "waveaudio" ||
      lowered(w[4]) != "alias")
    return mciUnrecognizedCommand;
  const std::string alias = lowered(w[5]);
  if (mci.devices.count(alias)) return mciDuplicateAlias;
  RecordingDevice device;
  device.input = mci.makeAudioInput();
  if (!device.input || !device.input->open(device.format)) return mciNoInputDevice;
  mci.devices.emplace(alias, std::move(device));
  return mciOk;
}

// Every command but open names an open device: this is it.
int onDevice(const std::vector<std::string>& w) {
  const std::string verb = lowered(w[0]);
  const auto found = mci.devices.find(lowered(w[1]));
  if (found == mci.devices.end()) return mciInvalidDevice;
  RecordingDevice& device = found->second;
  if (verb == "record") {
    if (w.size() != 2) return mciUnrecognizedCommand;
    if (device.recording) return mciOk;
    if (!device.input->start()) return mciCannotRecord;
    device.recording = true;
    return mciOk;
  }
  if (verb == "stop") {
    stopRecording(device);
    return mciOk;
  }
  if (verb == "save") {
    if (w.size() < 3 || w[2].empty()) return mciMissingParameter;
    stopRecording(device);
    return writeWaveFile(w[2], device.format, device.samples) ? mciOk : mciFileNotSaved;
  }
  if (verb == "close") {
    stopRecording(device);
    mci.devices.erase(found);
    return mciOk;
  }
  return mciUnrecognizedCommand;
}

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
    case SampleType::uint8: return SF_FORMAT_PCM_U8;
    case SampleType::int16: return SF_FORMAT_PCM_16;
    case SampleType::int32: return SF_FORMAT_PCM_32;
    case SampleType::float32: return SF_FORMAT_FLOAT;
  }
  return SF_FORMAT_PCM_16;
}

int bytesPerSample(SampleType type) {
  return type == SampleType::uint8 ? 1 : type == SampleType::int16 ? 2 : 4;
}

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
  const std::size_t frame = static_cast<std::size_t>(bytesPerSample(format.type) * format.channels);
  const std::size_t usable = samples.size() / frame * frame;
  const bool written = sf_write_raw(file, samples.data(), static_cast<sf_count_t>(usable)) == static_cast<sf_count_t>(usable);
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
      case QAudioFormat::UInt8: type = SampleType::uint8; break;
      case QAudioFormat::Int16: type = SampleType::int16; break;
      case QAudioFormat::Int32: type = SampleType::int32; break;
      case QAudioFormat::Float: type = SampleType::float32; break;
      default: return false;
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
    // A source may hand over, once a recording starts, what it held before "record" (a source
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

std::unique_ptr<AudioInput> makeDefaultAudioInput() { return std::make_unique<QtAudioInput>(); }

bool writeWaveFile(const std::string& hostPath, const WaveFormat& format, const std::vector<char>& samples) {
  MemoryFile wave;
  if (format.sampleRate <= 0 || format.channels <= 0 || !encodeWave(format, samples, wave)) return false;
  return replaceFileSafely(hostPath, [&wave](std::FILE* out) {
    return std::fwrite(wave.bytes.data(), 1, wave.bytes.size(), out) == wave.bytes.size();
  });
}

int mciSendString(std::string_view command) {
  const std::vector<std::string> w = words(command);
  if (w.size() < 2) return w.empty() ? mciUnrecognizedCommand : mciMissingParameter;
  if (lowered(w[0]) == "open") return openDevice(w);
  return onDevice(w);
}

std::string mciErrorText(int error) {
  switch (error) {
    case mciOk: return "The command was carried out.";
    case mciInvalidDevice: return "The specified device is not open or is not recognized.";
    case mciMissingParameter: return "The specified command requires a parameter. Please supply one.";
    case mciFileNotSaved: return "The file was not saved. Make sure there is enough disk space and that its folder exists.";
    case mciDuplicateAlias: return "The specified alias is already being used in this application. Use a unique alias.";
    case mciNoInputDevice: return "There is no sound input device that can record. Connect a microphone and try again.";
    case mciCannotRecord: return "The sound input device could not start recording.";
    default: return "The specified command is not recognized.";
  }
}

void resetMciState() { mci = {}; }

}  // namespace zembo
