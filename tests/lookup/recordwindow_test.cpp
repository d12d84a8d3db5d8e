#include <QLabel>
#include <QPushButton>

#include "lookup/recordwindow.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "platform/qt/recorder.h"
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
    setAudioInputMaker(makeFakeInput);
    FakeInput::present = true;
    FakeInput::starts = true;
    FakeInput::recordings = 0;
  }
  void TearDown() override {
    resetRecorderState();
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
    const char* text;
  };
  const Case cases[] = {
      {false, true, "There is no sound input device that can record. Connect a microphone and try again."},
      {true, false, "The sound input device could not start recording."}};
  startRecordMode();
  for (const Case& c : cases) {
    writeFile("sound/French/w000.wav", "old");
    FakeInput::present = c.present;
    FakeInput::starts = c.starts;
    startRecordingMessageBoxes();
    key(Qt::Key_Space);
    const auto& boxes = recordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << c.text;
    EXPECT_EQ(boxes[0].caption, "MCI Error");
    EXPECT_EQ(boxes[0].text, c.text);
    EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONWARNING);
    EXPECT_FALSE(window->recording());
    EXPECT_EQ(window->recordButton()->text(), "Start recording");
    EXPECT_EQ(window->statusLabel()->text(), "");
    EXPECT_EQ(word(), "w000");
    EXPECT_EQ(counter(), "Word 1 of 10");
    EXPECT_EQ(FakeInput::openDevices, 0);
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
  EXPECT_TRUE(recordedMessageBoxes().empty());  // the input could be opened again
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

class RecorderTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setAudioInputMaker(makeFakeInput);
    FakeInput::present = FakeInput::starts = true;
  }
  void TearDown() override {
    resetRecorderState();
    TempDirTest::TearDown();
    EXPECT_EQ(FakeInput::openDevices, 0);
  }
};

// Every step in the order a user's keys may bring it, with what each gives back and what the file
// then holds: a recording appends to what was recorded since open, save stops, and nothing works
// on a recorder that is not open.
TEST_F(RecorderTest, EachStepSaysHowItWentAndTheFileHoldsWhatWasRecorded) {
  Recorder recorder;
  EXPECT_EQ(recorder.record(), RecorderError::notOpen);
  EXPECT_EQ(recorder.save("a file.wav"), RecorderError::notOpen);
  EXPECT_FALSE(std::filesystem::exists("a file.wav"));
  ASSERT_EQ(recorder.open(), RecorderError::none);
  EXPECT_EQ(FakeInput::openDevices, 1);
  EXPECT_EQ(recorder.record(), RecorderError::none);
  EXPECT_EQ(recorder.record(), RecorderError::none);  // recording already
  EXPECT_TRUE(recorder.isRecording());
  recorder.stop();
  EXPECT_FALSE(recorder.isRecording());
  EXPECT_EQ(recorder.save("a file.wav"), RecorderError::none);
  expectWaveHeader(readFile("a file.wav"), 8000, 1);
  EXPECT_EQ(readFile("a file.wav").size(), 44u + 800u);
  EXPECT_EQ(recorder.record(), RecorderError::none);
  EXPECT_EQ(recorder.save("twice.wav"), RecorderError::none);  // stops first
  EXPECT_FALSE(recorder.isRecording());
  EXPECT_EQ(readFile("twice.wav").size(), 44u + 1600u);
  EXPECT_EQ(recorder.save("no/such/folder.wav"), RecorderError::fileNotSaved);
  EXPECT_EQ(recorder.save(""), RecorderError::fileNotSaved);
  // Opened again, it starts empty on a new input.
  ASSERT_EQ(recorder.open(), RecorderError::none);
  EXPECT_EQ(FakeInput::openDevices, 1);
  EXPECT_EQ(recorder.save("empty.wav"), RecorderError::none);
  EXPECT_EQ(readFile("empty.wav").size(), 44u);
  recorder.close();
  EXPECT_FALSE(recorder.isOpen());
  EXPECT_EQ(FakeInput::openDevices, 0);
  EXPECT_EQ(recorder.record(), RecorderError::notOpen);
  EXPECT_EQ(recorder.save("a file.wav"), RecorderError::notOpen);
}

TEST_F(RecorderTest, AnInputThatIsMissingOrWillNotStartLeavesNothingOpen) {
  Recorder recorder;
  FakeInput::present = false;
  EXPECT_EQ(recorder.open(), RecorderError::noInputDevice);
  EXPECT_FALSE(recorder.isOpen());
  EXPECT_EQ(FakeInput::openDevices, 0);
  FakeInput::present = true;
  FakeInput::starts = false;
  ASSERT_EQ(recorder.open(), RecorderError::none);
  EXPECT_EQ(recorder.record(), RecorderError::cannotRecord);
  EXPECT_FALSE(recorder.isRecording());
  {
    Recorder goneWhileRecording;
    FakeInput::starts = true;
    ASSERT_EQ(goneWhileRecording.open(), RecorderError::none);
    ASSERT_EQ(goneWhileRecording.record(), RecorderError::none);
    EXPECT_EQ(FakeInput::openDevices, 2);
  }
  EXPECT_EQ(FakeInput::openDevices, 1);
}

TEST_F(RecorderTest, AFailedSaveKeepsThePreviousFile) {
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
