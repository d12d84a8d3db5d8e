#pragma once
// Recording from the default audio input into WAV files. A recorder is opened on the input, records
// in the background between record and stop while the event loop runs (a second record appends to
// what it holds), and saves what it holds. Each step that can fail says how as a RecorderError.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/soundencoding.h"

namespace zembo {

enum class RecorderError {
  none,
  notOpen,        // record or save before open, or after close
  noInputDevice,  // open found no input to record from
  cannotRecord,   // the input would not start
  fileNotSaved,   // the WAV file could not be written; an old one stays as it was
};

// The text a user reads for an error.
std::string recorderErrorText(RecorderError error);

// The sound source of a recorder: the default audio input, or a test's own.
class AudioInput {
 public:
  virtual ~AudioInput() = default;
  // False when there is no input to record from; otherwise the format it will deliver.
  virtual bool open(WaveFormat& format) = 0;
  virtual bool start() = 0;
  // Ends a recording and hands over the bytes that came since start.
  virtual std::vector<char> stop() = 0;
};
using AudioInputMaker = std::unique_ptr<AudioInput> (*)();
std::unique_ptr<AudioInput> makeDefaultAudioInput();

struct RecorderState {
  AudioInputMaker makeAudioInput = makeDefaultAudioInput;
};
extern const RecorderState& recorders;
// Recorders opened from now on record from the inputs this makes (a test's own).
void setAudioInputMaker(AudioInputMaker maker);
// The default input again.
void resetRecorderState();

class Recorder {
 public:
  Recorder() = default;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;
  ~Recorder() { close(); }

  // Opens an input afresh, empty; what an earlier open held is dropped.
  RecorderError open();
  // Starts recording; recording already is no error.
  RecorderError record();
  // Stops a recording and keeps what it heard.
  void stop();
  // Stops, then writes all that was recorded since open as a WAV file (a host path), safely.
  RecorderError save(const std::filesystem::path& file);
  // Stops and lets the input go; what was recorded is dropped.
  void close();

  bool isOpen() const { return input_ != nullptr; }
  bool isRecording() const { return recording_; }

 private:
  std::unique_ptr<AudioInput> input_;
  WaveFormat format_;
  std::vector<char> samples_;
  bool recording_ = false;
};

// Writes samples as a WAV file safely: the old file stays until the new one is complete.
bool writeWaveFile(const std::filesystem::path& file, const WaveFormat& format, const std::vector<char>& samples);

}  // namespace zembo
