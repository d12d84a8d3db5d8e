#pragma once
// A PulseAudio server of a test's own, in a folder of its own, with the modules the test names
// (a null sink, a null or pipe source). The toolkit keeps the first sound server it finds for the
// rest of a process, so what plays or records through it runs in a child process with env().

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>

namespace zembo::test {

class SoundServer {
 public:
  // Starts pulseaudio with "--load=" each of the modules; running() says whether it came up.
  explicit SoundServer(const QStringList& modules);
  ~SoundServer();
  SoundServer(const SoundServer&) = delete;
  SoundServer& operator=(const SoundServer&) = delete;

  bool running() const { return running_; }
  // Why the server is not running, for the skip message.
  const std::string& whyNot() const { return whyNot_; }
  // The environment under which programs find this server and no other.
  const QProcessEnvironment& env() const { return env_; }
  // The server's folder, a fresh one that also serves as a working folder.
  QString folder() const { return runtime_.path(); }

 private:
  QTemporaryDir runtime_;
  QProcessEnvironment env_;
  QProcess pulse_;
  bool running_ = false;
  std::string whyNot_;
};

// A mono 16-bit WAV file of a 440 Hz tone, as a recording of a word might be; its folders are made.
void writeTone(const std::filesystem::path& file, int milliseconds, int rate, int amplitude);

// Runs this test program in a child under the environment with only the named test (a disabled
// one); its output, or empty with *finished false when it did not end within the limit.
std::string runTestInChild(const QProcessEnvironment& env, const QString& workingFolder, const QString& test,
                           bool* finished, int* exitCode);

}  // namespace zembo::test
