// Play for words that have no recording, through a sound server of the test's own (skipped where
// none can be started): speech reaches the server's output and lasts as a word does, a recording
// wins over speech, and with speech off or without a server Play returns at once. Each Play runs
// in a child process, since the toolkit keeps the sound server it found first.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/soundfiles.h"
#include "platform/codepage.h"
#include "tests/support/soundserver.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

constexpr int heardRate = 22050;

// Runs in the child: Play on the French word ZEMBO_TEST_WORD (UTF-8), with speech as
// ZEMBO_TEST_SPEAK says; prints how long it took.
TEST(Speech, DISABLED_PlaysTheWordOfTheEnvironment) {
  const char* word = std::getenv("ZEMBO_TEST_WORD");
  const char* speak = std::getenv("ZEMBO_TEST_SPEAK");
  ASSERT_TRUE(word && speak);
  setSpeakWords(std::strcmp(speak, "1") == 0);
  QElapsedTimer clock;
  clock.start();
  playSound("French", fromUtf8(word, 1252), 0);
  std::printf("played in %lld ms\n", static_cast<long long>(clock.elapsed()));
}

// Milliseconds the child's Play took, or -1 when it did not say.
long long playInChild(const QProcessEnvironment& base, const QString& folder, const char* word, bool speak) {
  QProcessEnvironment env = base;
  env.insert("ZEMBO_TEST_WORD", word);
  env.insert("ZEMBO_TEST_SPEAK", speak ? "1" : "0");
  bool finished = false;
  int exitCode = 0;
  const std::string output =
      test::runTestInChild(env, folder, "Speech.DISABLED_PlaysTheWordOfTheEnvironment", &finished, &exitCode);
  long long milliseconds = -1;
  const std::size_t at = output.find("played in ");
  if (!finished || at == std::string::npos || std::sscanf(output.c_str() + at, "played in %lld ms", &milliseconds) != 1)
    ADD_FAILURE() << output;
  return milliseconds;
}

struct Heard {
  short loudest = 0;
  double seconds = 0;  // from the first to the last sample above a whisper
};

Heard heardIn(const QByteArray& recorded) {
  Heard heard;
  qsizetype first = -1, last = -1;
  for (qsizetype i = 0; i + 1 < recorded.size(); i += 2) {
    short sample = 0;
    std::memcpy(&sample, recorded.constData() + i, 2);
    const auto level = static_cast<short>(std::abs(sample));
    heard.loudest = std::max(heard.loudest, level);
    if (level > 300) {
      if (first < 0) first = i;
      last = i;
    }
  }
  if (first >= 0) heard.seconds = double(last - first) / 2 / heardRate;
  return heard;
}

TEST(Speech, AWordWithoutRecordingIsSpokenAndARecordingWins) {
  const QString parec = QStandardPaths::findExecutable("parec");
  if (parec.isEmpty()) GTEST_SKIP() << "no parec to listen to the server's output";
  test::SoundServer server({"module-null-sink sink_name=zembo_out"});
  if (!server.running()) GTEST_SKIP() << server.whyNot();
  const std::filesystem::path folder = server.folder().toStdString();

  QProcess listener;
  listener.setProcessEnvironment(server.env());
  listener.setStandardOutputFile(QString::fromStdString((folder / "heard.raw").string()));
  listener.start(parec, {"-d", "zembo_out.monitor", "--raw", "--format=s16le", "--rate=22050", "--channels=1",
                         "--latency-msec=20"});
  ASSERT_TRUE(listener.waitForStarted(5000));
  QThread::msleep(500);
  const long long spoken = playInChild(server.env(), server.folder(), "fenêtre", true);
  QThread::msleep(500);
  listener.terminate();
  listener.waitForFinished(5000);
  QFile recorded(QString::fromStdString((folder / "heard.raw").string()));
  ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
  const Heard heard = heardIn(recorded.readAll());
  EXPECT_GT(heard.loudest, 2000) << "no speech reached the server's output";
  EXPECT_GT(heard.seconds, 0.25) << "too short for a spoken word";
  EXPECT_LT(heard.seconds, 2.0) << "too long for a spoken word";
  EXPECT_GE(spoken, static_cast<long long>(heard.seconds * 1000) - 100) << "returned before the word had sounded";
  EXPECT_LT(spoken, 4000);

  // A recording of three seconds is played instead of the word's speech, which is far shorter.
  test::writeTone(folder / "sound/French/fenêtre.wav", 3000, heardRate, 8000);
  EXPECT_GE(playInChild(server.env(), server.folder(), "fenêtre", true), 2900);
  // With speech off a word without a recording plays nothing.
  EXPECT_LT(playInChild(server.env(), server.folder(), "maison", false), 200);
}

TEST(Speech, WithoutASoundServerPlayReturnsAtOnce) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("PULSE_SERVER", "unix:" + folder.filePath("no-server"));
  env.insert("XDG_RUNTIME_DIR", folder.path());
  env.insert("HOME", folder.path());
  const long long took = playInChild(env, folder.path(), "maison", true);
  EXPECT_GE(took, 0);
  EXPECT_LT(took, 500) << "speech without a device";
}

}  // namespace
}  // namespace zembo
