// A real recording from a sound server's silent source (the toolkit offers no monitor of a sink): the test starts its own PulseAudio server
// (skipped where none can be started) and runs the recording in a child process of this program,
// since the toolkit keeps the sound server it found first for the rest of a process.

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "lookup/mci.h"
#include "tests/lookup/wavefile.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

// Runs in the child: records half a second from the default input into "real.wav".
TEST(RealAudio, DISABLED_RecordsHalfASecond) {
  // The sound server may announce its sources a moment after the first question.
  QElapsedTimer clock;
  clock.start();
  while (QMediaDevices::defaultAudioInput().isNull() && clock.elapsed() < 3000) {
    QEventLoop pause;
    QTimer::singleShot(50, &pause, &QEventLoop::quit);
    pause.exec();
  }
  if (QMediaDevices::defaultAudioInput().isNull()) GTEST_SKIP() << "no audio input";
  ASSERT_EQ(mciSendString("open new type waveaudio alias mysound"), mciOk);
  ASSERT_EQ(mciSendString("record mysound"), mciOk);
  QEventLoop wait;
  QTimer::singleShot(500, &wait, &QEventLoop::quit);
  wait.exec();
  EXPECT_EQ(mciSendString("stop mysound"), mciOk);
  EXPECT_EQ(mciSendString("save mysound \"real.wav\""), mciOk);
  EXPECT_EQ(mciSendString("close mysound"), mciOk);
}

TEST(RealAudio, RecordsAWaveFromASilentSource) {
  const QString server = QStandardPaths::findExecutable("pulseaudio");
  if (server.isEmpty()) GTEST_SKIP() << "no PulseAudio server to start";
  // Short, for the server's socket path.
  QTemporaryDir runtime(QDir::tempPath() + "/zpa-XXXXXX");
  ASSERT_TRUE(runtime.isValid());
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", runtime.path());
  env.insert("HOME", runtime.path());
  env.insert("PULSE_SERVER", "unix:" + runtime.path() + "/pulse/native");
  QProcess pulse;
  pulse.setProcessEnvironment(env);
  pulse.setProcessChannelMode(QProcess::MergedChannels);
  pulse.start(server, {"--daemonize=no", "-n", "--exit-idle-time=-1", "--disallow-exit", "--use-pid-file=no",
                       "--load=module-null-source source_name=zembo_silence", "--load=module-native-protocol-unix"});
  if (!pulse.waitForStarted(5000)) GTEST_SKIP() << "PulseAudio did not start";
  QElapsedTimer clock;
  clock.start();
  while (!QFileInfo::exists(runtime.path() + "/pulse/native") && clock.elapsed() < 5000 &&
         pulse.state() == QProcess::Running)
    pulse.waitForReadyRead(100);
  if (!QFileInfo::exists(runtime.path() + "/pulse/native")) {
    pulse.kill();
    pulse.waitForFinished();
    GTEST_SKIP() << "PulseAudio did not come up: " << pulse.readAll().toStdString();
  }

  QProcess child;
  child.setProcessEnvironment(env);
  child.setWorkingDirectory(runtime.path());
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=RealAudio.DISABLED_RecordsHalfASecond", "--gtest_also_run_disabled_tests"});
  const bool finished = child.waitForFinished(60000);
  const std::string output = child.readAll().toStdString();
  pulse.terminate();
  if (!pulse.waitForFinished(5000)) pulse.kill();
  pulse.waitForFinished();
  ASSERT_TRUE(finished) << output;
  ASSERT_EQ(child.exitCode(), 0) << output;
  if (output.find("[  SKIPPED ]") != std::string::npos) GTEST_SKIP() << "the server offered no input";

  const test::WaveHeader header =
      test::readWaveHeader(test::readFile(std::filesystem::path(runtime.path().toStdString()) / "real.wav"));
  EXPECT_GE(header.channels, 1);
  EXPECT_GE(header.rate, 8000u);
  EXPECT_TRUE(header.bits == 8 || header.bits == 16 || header.bits == 32) << header.bits;
  // Half a second of sound, give or take what the server buffered.
  const double seconds = header.dataBytes / double(header.rate * header.channels * (header.bits / 8) + 1);
  EXPECT_GT(seconds, 0.1) << output;
  EXPECT_LT(seconds, 5.0);
}

}  // namespace
}  // namespace zembo
