// Real recordings through a sound server of the test's own (skipped where none can be started):
// from a silent source, and from a source the test feeds, whose timing it controls. The recording
// runs in a child process of this program, since the toolkit keeps the sound server it found
// first for the rest of a process.

#include <fcntl.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sndfile.h>

#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

#include "platform/qt/recorder.h"
#include "tests/lookup/wavefile.h"
#include "tests/support/soundserver.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

void pause(int milliseconds) {
  QEventLoop wait;
  QTimer::singleShot(milliseconds, &wait, &QEventLoop::quit);
  wait.exec();
}

// The sound server may announce its sources a moment after the first question.
bool waitForInput() {
  QElapsedTimer clock;
  clock.start();
  while (QMediaDevices::defaultAudioInput().isNull() && clock.elapsed() < 30000) pause(50);
  return !QMediaDevices::defaultAudioInput().isNull();
}

// Runs in the child: records half a second from the default input into "real.wav".
TEST(RealAudio, DISABLED_RecordsHalfASecond) {
  if (!waitForInput()) GTEST_SKIP() << "no audio input";
  Recorder recorder;
  ASSERT_EQ(recorder.open(), RecorderError::none);
  ASSERT_EQ(recorder.record(), RecorderError::none);
  pause(500);
  recorder.stop();
  EXPECT_EQ(recorder.save("real.wav"), RecorderError::none);
  recorder.close();
}

// Runs in the child: opens the device and says so, records for a second once the parent has
// fed the source what comes before record, and saves "fed.wav". Each step is a line to the
// parent, which answers "go" on the standard input.
TEST(RealAudio, DISABLED_RecordsASecondOfAFedSource) {
  if (!waitForInput()) GTEST_SKIP() << "no audio input";
  auto step = [](const char* said) {
    std::printf("%s\n", said);
    std::fflush(stdout);
    char answer[16];
    return std::fgets(answer, sizeof answer, stdin) != nullptr;
  };
  Recorder recorder;
  ASSERT_EQ(recorder.open(), RecorderError::none);
  ASSERT_TRUE(step("opened"));
  pause(300);
  ASSERT_EQ(recorder.record(), RecorderError::none);
  ASSERT_TRUE(step("recording"));
  pause(1000);
  recorder.stop();
  EXPECT_EQ(recorder.save("fed.wav"), RecorderError::none);
  recorder.close();
}

TEST(RealAudio, RecordsAWaveFromASilentSource) {
  test::SoundServer server({"module-null-source source_name=zembo_silence"});
  if (!server.running()) GTEST_SKIP() << server.whyNot();
  bool finished = false;
  int exitCode = 0;
  const std::string output = test::runTestInChild(server.env(), server.folder(),
                                                  "RealAudio.DISABLED_RecordsHalfASecond", &finished, &exitCode);
  ASSERT_TRUE(finished) << output;
  ASSERT_EQ(exitCode, 0) << output;
  if (output.find("[  SKIPPED ]") != std::string::npos) GTEST_SKIP() << "the server offered no input";

  const test::WaveHeader header =
      test::readWaveHeader(test::readFile(std::filesystem::path(server.folder().toStdString()) / "real.wav"));
  EXPECT_GE(header.channels, 1);
  EXPECT_GE(header.rate, 8000u);
  EXPECT_TRUE(header.bits == 8 || header.bits == 16 || header.bits == 32) << header.bits;
  // Half a second of sound, give or take what the server was late to deliver.
  const double seconds = header.dataBytes / double(header.rate * header.channels * (header.bits / 8) + 1);
  EXPECT_GT(seconds, 0.1) << output;
  EXPECT_LT(seconds, 0.75) << output;
}

constexpr int fedRate = 8000;

// Seconds of a constant sample value for the fed source.
std::vector<short> constant(double seconds, short value) {
  return std::vector<short>(static_cast<std::size_t>(seconds * fedRate), value);
}

// A source that delivers what it is given at once, ahead of the time it stands for (as a
// server's silent source does in large blocks): the recording holds only what came between
// record and stop, as long as the key was held, nothing from before and nothing beyond.
TEST(RealAudio, RecordsOnlyBetweenRecordAndStop) {
  QTemporaryDir fifoFolder;
  ASSERT_TRUE(fifoFolder.isValid());
  const std::string fifo = fifoFolder.filePath("feed").toStdString();
  test::SoundServer server({QString("module-pipe-source source_name=zembo_fed format=s16le rate=%1 channels=1 file=%2")
                                .arg(fedRate)
                                .arg(QString::fromStdString(fifo))});
  if (!server.running()) GTEST_SKIP() << server.whyNot();
  // Opened for reading and writing, so that the open waits for no reader.
  const int feed = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(feed, 0);
  auto give = [feed](const std::vector<short>& samples) {
    const auto bytes = static_cast<ssize_t>(samples.size() * sizeof(short));
    ASSERT_EQ(::write(feed, samples.data(), static_cast<std::size_t>(bytes)), bytes);
  };

  QProcess child;
  child.setProcessEnvironment(server.env());
  child.setWorkingDirectory(server.folder());
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=RealAudio.DISABLED_RecordsASecondOfAFedSource", "--gtest_also_run_disabled_tests"});
  std::string output;
  auto waitForLine = [&](const std::string& line) {
    while (output.find(line + "\n") == std::string::npos && child.waitForReadyRead(30000))
      output += child.readAllStandardOutput().toStdString();
    return output.find(line + "\n") != std::string::npos;
  };
  const bool opened = waitForLine("opened");
  if (opened) {
    give(constant(1.0, 8000));  // before record: not to be kept
    child.write("go\n");
  }
  const bool recording = opened && waitForLine("recording");
  if (recording) {
    give(constant(3.0, -8000));  // three seconds at once, while the key is held for one
    child.write("go\n");
  }
  child.waitForFinished(60000);
  output += child.readAll().toStdString();
  ::close(feed);
  if (output.find("[  SKIPPED ]") != std::string::npos) GTEST_SKIP() << "the server offered no input";
  ASSERT_TRUE(recording) << output;
  ASSERT_EQ(child.exitCode(), 0) << output;

  SF_INFO info{};
  SNDFILE* wave = sf_open((server.folder().toStdString() + "/fed.wav").c_str(), SFM_READ, &info);
  ASSERT_NE(wave, nullptr) << output;
  std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
  sf_readf_float(wave, samples.data(), info.frames);
  sf_close(wave);
  std::size_t fromBefore = 0;
  for (float sample : samples) fromBefore += sample > 0.1f;
  EXPECT_LT(fromBefore, samples.size() / 100) << "the recording holds what came before record";
  const double seconds = double(info.frames) / info.samplerate;
  EXPECT_GT(seconds, 0.5) << output;
  EXPECT_LT(seconds, 1.3) << "the recording runs past stop";
}

}  // namespace
}  // namespace zembo
