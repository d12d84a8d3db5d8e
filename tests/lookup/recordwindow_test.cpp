#include <QLabel>
#include <QPushButton>

#include "lookup/mci.h"
#include "lookup/recordwindow.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "tests/lookup/lookupfixture.h"
#include "tests/lookup/wavefile.h"

namespace zembo {
namespace {

using test::readFile;
using test::writeFile;

// An input that delivers a fixed run of 16-bit mono samples at 8000 Hz for every recording.
struct FakeInput {
  static inline bool present = true;
  static inline bool starts = true;
  static inline int openDevices = 0;
  static inline int recordings = 0;
};
class FakeAudioInput : public AudioInput {
 public:
  FakeAudioInput() { ++FakeInput::openDevices; }
  ~FakeAudioInput() override { --FakeInput::openDevices; }
  bool open(WaveFormat& format) override {
    format = {8000, 1, SampleType::int16};
    return FakeInput::present;
  }
  bool start() override {
    if (!FakeInput::starts) return false;
    ++FakeInput::recordings;
    return true;
  }
  std::vector<char> stop() override { return std::vector<char>(800, '\x11'); }
};
std::unique_ptr<AudioInput> makeFakeInput() { return std::make_unique<FakeAudioInput>(); }

// A WAV file of 16-bit PCM samples with this rate and channel count.
void expectWaveHeader(const std::string& wav, std::uint32_t rate, std::uint16_t channels) {
  const test::WaveHeader header = test::readWaveHeader(wav);
  EXPECT_EQ(header.channels, channels);
  EXPECT_EQ(header.rate, rate);
  EXPECT_EQ(header.bits, 16);
}

class RecordWindowTest : public test::SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    resetMciState();
    mci.makeAudioInput = makeFakeInput;
    FakeInput::present = true;
    FakeInput::starts = true;
    FakeInput::recordings = 0;
  }
  void TearDown() override {
    resetMciState();
    SearchTest::TearDown();
    EXPECT_EQ(FakeInput::openDevices, 0);
  }
  void startRecordMode(int words = 10) {
    writeSampleDictionary();
    test::writeWords("language/Fre_Eng.zb", numberedWords(words));
    ASSERT_EQ(start("RECORD"), -1);
    reopen();
  }
  void reopen() {
    mainWindow->command(cmdRecord, commandClicked);
    window = qobject_cast<RecordWindow*>(mainWindow->openToolWindow());
    ASSERT_NE(window, nullptr);
    processEvents();
  }
  void close() {
    window->command(cmdDone, commandClicked);
    processEvents();
  }
  void key(Qt::Key k) { QTest::keyClick(window->recordButton(), k); }
  std::string word() const { return window->wordLabel()->text().toStdString(); }
  std::string counter() const { return window->counterLabel()->text().toStdString(); }
  static bool exists(const char* path) { return std::filesystem::exists(path); }

  RecordWindow* window = nullptr;
};

TEST_F(RecordWindowTest, StartsAtWordOneOfNWithTheSoundFolders) {
  startRecordMode();
  EXPECT_EQ(window->windowTitle(), "Record");
  EXPECT_FALSE(mainWindow->isVisible());
  EXPECT_EQ(word(), "w000");
  EXPECT_EQ(counter(), "Word 1 of 10");
  EXPECT_EQ(window->recordButton()->text(), "Start recording");
  EXPECT_EQ(window->recordButton()->geometry(), QRect(5, 65, 100, 30));
  EXPECT_TRUE(window->recordButton()->hasFocus());
  EXPECT_TRUE(window->wordLabel()->font().bold());
  EXPECT_TRUE(std::filesystem::is_directory("sound/French"));
  EXPECT_EQ(window->statusLabel()->text(), "");
  saveGrab(window, "record-window");
}

TEST_F(RecordWindowTest, RecordOnlyInRecordMode) {
  writeSampleDictionary();
  ASSERT_EQ(start(), -1);
  mainWindow->command(cmdRecord, commandClicked);
  EXPECT_EQ(mainWindow->openToolWindow(), nullptr);
  EXPECT_EQ(tools.toolWindowOpen, 0);
}

TEST_F(RecordWindowTest, SpaceSpaceSavesTheWordShownAndMovesOn) {
  writeProfileString("Dictionary", "lastrecord_French", "4", "win.ini");
  startRecordMode();
  EXPECT_EQ(counter(), "Word 5 of 10");
  key(Qt::Key_Space);
  EXPECT_TRUE(window->recording());
  EXPECT_EQ(window->recordButton()->text(), "Stop recording");
  EXPECT_EQ(window->statusLabel()->text(), "RECORDING...");
  saveGrab(window, "record-window-recording");
  key(Qt::Key_Space);
  EXPECT_FALSE(window->recording());
  EXPECT_EQ(window->statusLabel()->text(), "");
  EXPECT_EQ(window->recordButton()->text(), "Start recording");
  EXPECT_EQ(word(), "w005");
  EXPECT_EQ(counter(), "Word 6 of 10");
  expectWaveHeader(readFile("sound/French/w004.wav"), 8000, 1);
  EXPECT_EQ(readFile("sound/French/w004.wav").size(), 44u + 800u);
  EXPECT_FALSE(exists("sound/French/w005.wav"));
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

TEST_F(RecordWindowTest, TheLastWordEndsTheListWhereSpaceRecordsNothing) {
  writeProfileString("Dictionary", "lastrecord_French", "9", "win.ini");
  startRecordMode();
  key(Qt::Key_Space);
  key(Qt::Key_Space);
  EXPECT_TRUE(exists("sound/French/w009.wav"));
  EXPECT_EQ(word(), endOfListText);
  EXPECT_EQ(counter(), "Word 10 of 10");
  EXPECT_EQ(window->recordButton()->text(), "Start recording");
  key(Qt::Key_Return);
  key(Qt::Key_Return);
  EXPECT_EQ(window->recordIndex(), 10);
  EXPECT_EQ(counter(), "Word 10 of 10");
  writeFile("sound/French/w009.wav", "old");
  key(Qt::Key_Space);  // nothing to record here: the last word's file stays
  EXPECT_FALSE(window->recording());
  key(Qt::Key_Space);
  EXPECT_EQ(FakeInput::recordings, 1);
  EXPECT_EQ(readFile("sound/French/w009.wav"), "old");
  key(Qt::Key_Backspace);
  EXPECT_EQ(word(), "w009");
  EXPECT_EQ(counter(), "Word 10 of 10");
}

TEST_F(RecordWindowTest, EnterSkipsBackspaceGoesBackAndAClickDoesNothing) {
  startRecordMode();
  key(Qt::Key_Backspace);
  EXPECT_EQ(window->recordIndex(), 0);
  key(Qt::Key_Return);
  key(Qt::Key_Return);
  EXPECT_EQ(word(), "w002");
  key(Qt::Key_Backspace);
  EXPECT_EQ(counter(), "Word 2 of 10");
  QTest::mouseClick(window->recordButton(), Qt::LeftButton);
  EXPECT_FALSE(window->recording());
  EXPECT_EQ(window->recordIndex(), 1);
  // A recording started on one word and stopped after Enter is saved under the word then shown.
  key(Qt::Key_Space);
  key(Qt::Key_Return);
  key(Qt::Key_Space);
  EXPECT_FALSE(exists("sound/French/w001.wav"));
  EXPECT_TRUE(exists("sound/French/w002.wav"));
  EXPECT_EQ(counter(), "Word 4 of 10");
}

TEST_F(RecordWindowTest, ReopeningContinuesAtTheStoredIndexOfEachLanguage) {
  startRecordMode();
  key(Qt::Key_Return);
  key(Qt::Key_Return);
  key(Qt::Key_Return);
  close();
  EXPECT_EQ(readProfileInt("Dictionary", "lastrecord_French", -1, "win.ini"), 3);
  EXPECT_TRUE(mainWindow->isVisible());
  reopen();
  EXPECT_EQ(counter(), "Word 4 of 10");
  close();
  for (DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (std::string(d->wordFileName) == "Ger_Eng.zb") switchDirection(d->menuId);
  ASSERT_STREQ(directions.currentDirection->wordFileName, "Ger_Eng.zb");
  reopen();
  EXPECT_EQ(word(), "Haus");
  EXPECT_EQ(counter(), "Word 1 of 2");
  EXPECT_TRUE(std::filesystem::is_directory("sound/German"));
  key(Qt::Key_Return);
  close();
  EXPECT_EQ(readProfileInt("Dictionary", "lastrecord_German", -1, "win.ini"), 1);
  EXPECT_EQ(readProfileInt("Dictionary", "lastrecord_French", -1, "win.ini"), 3);
}

TEST_F(RecordWindowTest, AStoredPositionPastTheEndShowsTheEndOfTheList) {
  writeProfileString("Dictionary", "lastrecord_French", "25", "win.ini");
  startRecordMode();
  EXPECT_EQ(word(), endOfListText);
  key(Qt::Key_Space);
  EXPECT_FALSE(window->recording());
  key(Qt::Key_Backspace);
  EXPECT_EQ(word(), "w009");
}

// No input device, or one that will not start: one message saying why, and the window is as it
// was before Space, ready for the next Space.
TEST_F(RecordWindowTest, ARecordingThatCannotStartSaysWhyOnceAndChangesNothing) {
  struct Case {
    bool present, starts;
    int error;
  };
  const Case cases[] = {{false, true, mciNoInputDevice}, {true, false, mciCannotRecord}};
  startRecordMode();
  for (const Case& c : cases) {
    writeFile("sound/French/w000.wav", "old");
    FakeInput::present = c.present;
    FakeInput::starts = c.starts;
    startRecordingMessageBoxes();
    key(Qt::Key_Space);
    const auto& boxes = recordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << c.error;
    EXPECT_EQ(boxes[0].caption, "MCI Error");
    EXPECT_EQ(boxes[0].text, mciErrorText(c.error));
    EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONWARNING);
    EXPECT_FALSE(window->recording());
    EXPECT_EQ(window->recordButton()->text(), "Start recording");
    EXPECT_EQ(window->statusLabel()->text(), "");
    EXPECT_EQ(word(), "w000");
    EXPECT_EQ(counter(), "Word 1 of 10");
    EXPECT_EQ(FakeInput::openDevices, 0);
    EXPECT_TRUE(mci.devices.empty());
    // With the input back, the next Space records the same word.
    FakeInput::present = FakeInput::starts = true;
    key(Qt::Key_Space);
    EXPECT_TRUE(window->recording());
    key(Qt::Key_Space);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_NE(readFile("sound/French/w000.wav"), "old");
    EXPECT_EQ(counter(), "Word 2 of 10");
    stopRecordingMessageBoxes();
    key(Qt::Key_Backspace);
  }
  close();
}

TEST_F(RecordWindowTest, ClosingWhileRecordingKeepsTheOldFileAndClosesTheDevice) {
  startRecordMode();
  writeFile("sound/French/w000.wav", "old");
  key(Qt::Key_Space);
  EXPECT_EQ(FakeInput::openDevices, 1);
  window->close();
  processEvents();
  EXPECT_EQ(FakeInput::openDevices, 0);
  EXPECT_EQ(readFile("sound/French/w000.wav"), "old");
  EXPECT_EQ(readProfileInt("Dictionary", "lastrecord_French", -1, "win.ini"), 0);
  reopen();
  startRecordingMessageBoxes();
  key(Qt::Key_Space);
  key(Qt::Key_Space);
  EXPECT_TRUE(recordedMessageBoxes().empty());  // the alias was free again
  EXPECT_NE(readFile("sound/French/w000.wav"), "old");
}

TEST_F(RecordWindowTest, AWordThatCannotBeAFileNameIsReportedAndPassedOver) {
  writeSampleDictionary();
  test::writeWords("language/Fre_Eng.zb", {{"../x", "a"}, {"a/b", "b"}, {"c\"d", "c"}});
  ASSERT_EQ(start("record"), -1);
  reopen();
  startRecordingMessageBoxes();
  key(Qt::Key_Space);
  key(Qt::Key_Space);
  key(Qt::Key_Space);
  key(Qt::Key_Space);
  ASSERT_EQ(recordedMessageBoxes().size(), 2u);
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Error");
  EXPECT_FALSE(exists("sound/x.wav"));
  EXPECT_FALSE(exists("sound/French/a"));
  EXPECT_EQ(counter(), "Word 3 of 3");
  key(Qt::Key_Space);
  key(Qt::Key_Space);  // a quote is a file name character here
  EXPECT_EQ(recordedMessageBoxes().size(), 2u);
  EXPECT_TRUE(exists("sound/French/c\"d.wav"));
}

class MciTest : public test::TempDirTest {
 protected:
  void TearDown() override {
    resetMciState();
    TempDirTest::TearDown();
  }
};

TEST_F(MciTest, CommandsNameAnOpenDeviceWithoutRegardToCase) {
  resetMciState();
  mci.makeAudioInput = makeFakeInput;
  FakeInput::present = true;
  EXPECT_EQ(mciSendString("record mysound"), mciInvalidDevice);
  EXPECT_EQ(mciSendString("play mysound"), mciInvalidDevice);
  EXPECT_EQ(mciSendString("open new type waveaudio alias mysound"), mciOk);
  EXPECT_EQ(mciSendString("open new type waveaudio alias MySound"), mciDuplicateAlias);
  EXPECT_EQ(mciSendString("RECORD MYSOUND"), mciOk);
  EXPECT_EQ(mciSendString("play mysound"), mciUnrecognizedCommand);
  EXPECT_EQ(mciSendString("save mysound"), mciMissingParameter);
  EXPECT_EQ(mciSendString("stop mysound"), mciOk);
  EXPECT_EQ(mciSendString("save mysound \"a file.wav\""), mciOk);
  expectWaveHeader(readFile("a file.wav"), 8000, 1);
  EXPECT_EQ(mciSendString("save mysound \"no/such/folder.wav\""), mciFileNotSaved);
  EXPECT_EQ(mciSendString("close mysound"), mciOk);
  EXPECT_EQ(mciSendString("close mysound"), mciInvalidDevice);
  EXPECT_EQ(mciSendString(""), mciUnrecognizedCommand);
  EXPECT_EQ(FakeInput::openDevices, 0);
}

TEST_F(MciTest, AFailedSaveKeepsThePreviousFile) {
  test::writeFile("keep.wav", "previous");
  EXPECT_FALSE(writeWaveFile("keep.wav", {0, 1, SampleType::int16}, std::vector<char>(10)));
  EXPECT_EQ(test::readFile("keep.wav"), "previous");
  EXPECT_TRUE(writeWaveFile("keep.wav", {44100, 2, SampleType::int16}, std::vector<char>(10)));
  expectWaveHeader(test::readFile("keep.wav"), 44100, 2);
}

}  // namespace
}  // namespace zembo

namespace zembo {
namespace {

TEST_F(RecordWindowTest, EndingTheProgramWhileRecordingKeepsThePositionAndClosesTheDevice) {
  startRecordMode();
  key(Qt::Key_Return);
  key(Qt::Key_Space);
  QTest::keyClick(window->recordButton(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_TRUE(mainWindow->destroyed());
  EXPECT_EQ(FakeInput::openDevices, 0);
  EXPECT_FALSE(exists("sound/French/w001.wav"));
  EXPECT_EQ(readProfileInt("Dictionary", "lastrecord_French", -1, "win.ini"), 1);
}

}  // namespace
}  // namespace zembo
