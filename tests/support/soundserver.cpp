#include "tests/support/soundserver.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <cmath>
#include <vector>

namespace zembo::test {

SoundServer::SoundServer(const QStringList& modules)
    // Short, for the server's socket path.
    : runtime_(QDir::tempPath() + "/zpa-XXXXXX") {
  const QString server = QStandardPaths::findExecutable("pulseaudio");
  if (server.isEmpty() || !runtime_.isValid()) {
    whyNot_ = "no PulseAudio server to start";
    return;
  }
  const QString socket = runtime_.path() + "/pulse/native";
  env_ = QProcessEnvironment::systemEnvironment();
  env_.insert("XDG_RUNTIME_DIR", runtime_.path());
  env_.insert("HOME", runtime_.path());
  env_.insert("PULSE_SERVER", "unix:" + socket);
  pulse_.setProcessEnvironment(env_);
  pulse_.setProcessChannelMode(QProcess::MergedChannels);
  QStringList arguments = {"--daemonize=no", "-n", "--exit-idle-time=-1", "--disallow-exit", "--use-pid-file=no"};
  for (const QString& module : modules) arguments << "--load=" + module;
  arguments << "--load=module-native-protocol-unix";
  pulse_.start(server, arguments);
  if (!pulse_.waitForStarted(5000)) {
    whyNot_ = "PulseAudio did not start";
    return;
  }
  // A slow machine may take a while to bring the server up.
  QElapsedTimer clock;
  clock.start();
  while (!QFileInfo::exists(socket) && clock.elapsed() < 30000 && pulse_.state() == QProcess::Running)
    pulse_.waitForReadyRead(100);
  running_ = QFileInfo::exists(socket);
  if (!running_) whyNot_ = "PulseAudio did not come up: " + pulse_.readAll().toStdString();
}

SoundServer::~SoundServer() {
  if (pulse_.state() == QProcess::NotRunning) return;
  pulse_.terminate();
  if (!pulse_.waitForFinished(5000)) pulse_.kill();
  pulse_.waitForFinished();
}

std::string runTestInChild(const QProcessEnvironment& env, const QString& workingFolder, const QString& test,
                           bool* finished, int* exitCode) {
  QProcess child;
  child.setProcessEnvironment(env);
  child.setWorkingDirectory(workingFolder);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=" + test, "--gtest_also_run_disabled_tests"});
  *finished = child.waitForFinished(120000);
  if (!*finished) child.kill();
  child.waitForFinished();
  *exitCode = child.exitCode();
  return child.readAll().toStdString();
}

void writeTone(const std::filesystem::path& file, int milliseconds, int rate, int amplitude) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* sound = sf_open(file.c_str(), SFM_WRITE, &info);
  ASSERT_NE(sound, nullptr) << sf_strerror(nullptr);
  std::vector<short> samples(static_cast<std::size_t>(rate) * milliseconds / 1000);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<short>(amplitude * std::sin(2 * M_PI * 440 * double(i) / rate));
  sf_write_short(sound, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(sound);
}

}  // namespace zembo::test
