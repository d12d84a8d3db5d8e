#pragma once
// The wave recorder, driven by command strings as a multimedia device is:
//   open new type waveaudio alias A   a new, empty recording device named A
//   record A                          starts recording (appends to what A holds)
//   stop A                            stops it
//   save A "file"                     writes what A holds as a WAV file (a host path)
//   close A                           stops and forgets A
// Recording runs in the background between "record" and "stop" while the event loop runs.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

// Error codes of the recorder; 0 is success.
enum MciError : int {
  mciOk = 0,
  mciUnrecognizedCommand = 261,
  mciInvalidDevice = 263,
  mciMissingParameter = 271,
  mciFileNotSaved = 286,
  mciDuplicateAlias = 289,
  mciNoInputDevice = 326,
  mciCannotRecord = 327,
};

int mciSendString(std::string_view command);
// The text a user reads for an error code.
std::string mciErrorText(int error);

// Samples as the input delivers them, interleaved, in the host's byte order.
enum class SampleType { uint8, int16, int32, float32 };
struct WaveFormat {
  int sampleRate = 0;
  int channels = 0;
  SampleType type = SampleType::int16;
};

// The sound source of the recorder: the default audio input, or a test's own.
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

// An open device: its input, and what it has recorded so far.
struct RecordingDevice {
  std::unique_ptr<AudioInput> input;
  WaveFormat format;
  std::vector<char> samples;
  bool recording = false;
};

struct MciState {
  AudioInputMaker makeAudioInput = makeDefaultAudioInput;  // a test puts the maker of its own input here
  // Devices by alias, compared without regard to ASCII case.
  std::map<std::string, RecordingDevice> devices;
};
extern MciState mci;

// Writes samples as a WAV file safely: the old file stays until the new one is complete.
bool writeWaveFile(const std::string& hostPath, const WaveFormat& format, const std::vector<char>& samples);

// Every device closed, the default input again.
void resetMciState();

}  // namespace zembo
