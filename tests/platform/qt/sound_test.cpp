// Playing recorded words: through a sound server of the test's own, a file in a folder whose name
// holds letters beyond ASCII plays for as long as it lasts and reaches the server's output; without
// a server, or for a file that holds no sound, the call gives up at once.

#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "platform/qt/sound.h"
#include "tests/support/soundserver.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

constexpr int toneRate = 22050;

struct PlayReport {
  bool said = false;
  int played = 0;
  long long milliseconds = 0;
};

// The child's line "played P in M ms".
PlayReport playReportOf(const std::string& output) {
  PlayReport report;
  const std::size_t at = output.find("played ");
  report.said = at != std::string::npos &&
                std::sscanf(output.c_str() + at, "played %d in %lld ms", &report.played, &report.milliseconds) == 2;
  return report;
}

// Runs in a child: plays the file that ZEMBO_TEST_SOUND names and says how it went.
TEST(Sound, DISABLED_PlaysTheNamedFile) {
  const char* file = std::getenv("ZEMBO_TEST_SOUND");
  ASSERT_NE(file, nullptr);
  QElapsedTimer clock;
  clock.start();
  const bool played = playSoundFile(file);
  std::printf("played %d in %lld ms\n", played ? 1 : 0, static_cast<long long>(clock.elapsed()));
}

using SoundTest = test::TempDirTest;

TEST_F(SoundTest, WithoutASoundServerPlayGivesUpAtOnce) {
  test::writeTone(dir / "été.wav", 2000, toneRate, 12000);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("PULSE_SERVER", QString::fromStdString("unix:" + (dir / "no-server").string()));
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(dir.string()));
  env.insert("HOME", QString::fromStdString(dir.string()));
  env.insert("ZEMBO_TEST_SOUND", QString::fromStdString((dir / "été.wav").string()));
  bool finished = false;
  int exitCode = 0;
  const std::string output = test::runTestInChild(env, QString::fromStdString(dir.string()),
                                                  "Sound.DISABLED_PlaysTheNamedFile", &finished, &exitCode);
  ASSERT_TRUE(finished) << output;
  const PlayReport report = playReportOf(output);
  ASSERT_TRUE(report.said) << output;
  EXPECT_EQ(report.played, 0);
  EXPECT_LT(report.milliseconds, 1000) << "a two-second sound without a device";
}

TEST_F(SoundTest, AFileThatHoldsNoSoundFailsAtOnce) {
  test::writeFile("garbage.wav", "RIFF this is no sound at all");
  test::writeTone("silent.wav", 0, toneRate, 5 * toneRate);  // five seconds of silence
  ASSERT_EQ(::mkfifo("fifo.wav", 0600), 0);
  for (const char* name : {"garbage.wav", "silent.wav", "fifo.wav", "missing.wav", "."}) {
    SCOPED_TRACE(name);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(playSoundFile(name));
    // Far less than the silence would take to play, with room for a slow, busy machine.
    EXPECT_LT(clock.elapsed(), 2000);
  }
}

// The samples that reached the server's output while the sound played.
short loudestSample(const QByteArray& recorded) {
  short loudest = 0;
  for (qsizetype i = 0; i + 1 < recorded.size(); i += 2) {
    short sample = 0;
    std::memcpy(&sample, recorded.constData() + i, 2);
    loudest = std::max<short>(loudest, static_cast<short>(std::abs(sample)));
  }
  return loudest;
}

TEST_F(SoundTest, AWordInAnAccentedFolderPlaysForItsLengthAndIsHeard) {
  const QString parec = QStandardPaths::findExecutable("parec");
  if (parec.isEmpty()) GTEST_SKIP() << "no parec to listen to the server's output";
  test::SoundServer server({"module-null-sink sink_name=zembo_out"});
  if (!server.running()) GTEST_SKIP() << server.whyNot();
  const std::filesystem::path folder = std::filesystem::path(server.folder().toStdString()) / "Иван" / "zembo";
  const std::filesystem::path word = folder / "sound" / "French" / "été.wav";
  test::writeTone(word, 1000, toneRate, 12000);

  // What the server's output plays, as a listener hears it.
  QProcess listener;
  listener.setProcessEnvironment(server.env());
  listener.setStandardOutputFile(QString::fromStdString((dir / "heard.raw").string()));
  listener.start(parec, {"-d", "zembo_out.monitor", "--raw", "--format=s16le", "--rate=22050", "--channels=1"});
  ASSERT_TRUE(listener.waitForStarted(5000));
  QThread::msleep(500);

  QProcessEnvironment env = server.env();
  env.insert("ZEMBO_TEST_SOUND", QString::fromStdString(word.string()));
  bool finished = false;
  int exitCode = 0;
  const std::string output = test::runTestInChild(env, QString::fromStdString(folder.string()),
                                                  "Sound.DISABLED_PlaysTheNamedFile", &finished, &exitCode);
  QThread::msleep(300);
  listener.terminate();
  listener.waitForFinished(5000);
  ASSERT_TRUE(finished) << output;
  const PlayReport report = playReportOf(output);
  ASSERT_TRUE(report.said) << output;
  EXPECT_EQ(report.played, 1) << output;
  EXPECT_GE(report.milliseconds, 950) << "returned before the sound had ended";
  EXPECT_LT(report.milliseconds, 3000) << "held the program well past the sound's end";

  QFile heard(QString::fromStdString((dir / "heard.raw").string()));
  ASSERT_TRUE(heard.open(QIODevice::ReadOnly));
  EXPECT_GT(loudestSample(heard.readAll()), 4000) << "the tone never reached the server's output";
}

}  // namespace
}  // namespace zembo
