#include "lookup/recordwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <optional>

#include "lookup/soundfiles.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "platform/qt/recorder.h"
#include "store/store.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

constexpr const char* noFileNameText = "This word cannot be a sound file name; its recording is not saved.";

// The keys the recording button hands to its window.
std::optional<ControlKey> recordButtonKeyOf(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ControlKey::enter;
    case Qt::Key_Space:
      return ControlKey::space;
    case Qt::Key_Backspace:
      return ControlKey::backspace;
    default:
      return std::nullopt;
  }
}

void warn(const std::string& text, const char* caption) {
  QApplication::beep();
  messageBox(nullptr, text, caption, MB_OK | MB_ICONWARNING);
}

// True for a step of the recorder that went well; a failure beeps and shows the error's text.
bool succeeded(RecorderError error) {
  if (error == RecorderError::none) return true;
  warn(recorderErrorText(error), "MCI Error");
  return false;
}

}  // namespace

namespace {
RecordWindowState recordWindowsState;  // the one mutable instance

void keepUnplacedPosition(const WindowPos& pos) { recordWindowsState.unplacedRecordWindow = pos; }
}  // namespace
const RecordWindowState& recordWindows = recordWindowsState;

void resetRecordWindowState() { recordWindowsState = {}; }

std::string recordPositionKey(const std::string& language) { return "lastrecord_" + language; }

RecordWindow::RecordWindow() : ToolWindow(recordWindows.unplacedRecordWindow, keepUnplacedPosition) {
  setWindowTitle("Record");
  setOuterSize(750, 130 - captionHeight());
  language_ = directions.currentDirection->sourceName;
  wordFont_ = createUiFont(22, 700, "Times New Roman", directions.currentDirection->sourceCharset);
  statusFont_ = createUiFont(15, 400, "Times New Roman", 0);

  addButton(cmdDone, "Exit", QRect(635, 65, 100, 30));
  // Its clicks are not connected: the window is driven by the keyboard.
  recordButton_ = new QPushButton("Start recording", client());
  recordButton_->setFont(uiFonts.fontControl.font);
  recordButton_->setGeometry(5, 65, 100, 30);
  wordLabel_ = new QLabel(client());
  wordLabel_->setGeometry(10, 10, 595, 40);
  wordLabel_->setFont(wordFont_.font);
  counterLabel_ = new QLabel(client());
  counterLabel_->setGeometry(117, 80, 220, 20);
  counterLabel_->setFont(uiFonts.fontControl.font);
  statusLabel_ = new QLabel(client());
  statusLabel_->setGeometry(340, 75, 200, 40);
  statusLabel_->setFont(statusFont_.font);
  for (QLabel* label : {wordLabel_, counterLabel_, statusLabel_}) label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  setTopmost(tools.stayOnTop);
  recordIndex_ = std::max(0, readProfileInt("Dictionary", recordPositionKey(language_), 0, "win.ini"));
  showCurrent();
  recordButton_->setFocus();
  recordButton_->installEventFilter(this);

  // The language's sound folder, where Play looks; only for a name that stays inside "sound".
  const std::filesystem::path folder =
      soundFilePath(language_, "x", directions.currentDirection->sourceCharset).parent_path();
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);

  placeCentred();
  show();
}

RecordWindow::~RecordWindow() { RecordWindow::closeDown(); }

void RecordWindow::closeDown() {
  stopWithoutSaving();
  writeProfileString("Dictionary", recordPositionKey(language_), std::to_string(recordIndex_), "win.ini");
}

bool RecordWindow::atEnd() const { return recordIndex_ >= store.wordCount; }

void RecordWindow::showCurrent() {
  // A stored position past the end (the file may have shrunk) is the end of the list too.
  WordRecord record;
  if (atEnd() || readWordRecord(recordIndex_, record) != 0) {
    wordLabel_->setText(endOfListText);
    if (counterLabel_->text().isEmpty())
      counterLabel_->setText(QString("Word %1 of %2").arg(store.wordCount).arg(store.wordCount));
    return;
  }
  wordLabel_->setText(toQString(wordOf(record), directions.currentDirection->sourceCharset));
  counterLabel_->setText(QString("Word %1 of %2").arg(recordIndex_ + 1).arg(store.wordCount));
  recordButton_->setFocus();
}

bool RecordWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == recordButton_ && event->type() == QEvent::KeyPress) {
    auto* press = static_cast<QKeyEvent*>(event);
    if (const std::optional<ControlKey> key = recordButtonKeyOf(press->key())) {
      // A held Space would start and stop over and over.
      if (!(key == ControlKey::space && press->isAutoRepeat())) controlKey(idRecordButton, *key);
      return true;
    }
  }
  // The button clicks on the release of Space; that belongs to the key handled above.
  if (watched == recordButton_ && event->type() == QEvent::KeyRelease &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space)
    return true;
  return ToolWindow::eventFilter(watched, event);
}

void RecordWindow::command(int id, int code) {
  if (id == cmdDone && code == commandClicked) finish();
}

void RecordWindow::controlKey(int id, ControlKey key) {
  if (id != idRecordButton) return;
  switch (key) {
    case ControlKey::enter:
      next();
      break;
    case ControlKey::space:
      startOrStop();
      break;
    case ControlKey::backspace:
      previous();
      break;
    default:
      break;
  }
}

void RecordWindow::next() {
  if (recordIndex_ < store.wordCount) ++recordIndex_;
  showCurrent();
}

void RecordWindow::previous() {
  if (recordIndex_ > 0) --recordIndex_;
  if (recordIndex_ >= store.wordCount) recordIndex_ = std::max(0, store.wordCount - 1);
  showCurrent();
}

void RecordWindow::startOrStop() {
  if (recording_) {
    stopAndSave();
  } else if (!atEnd()) {
    // At the end of the list there is no word whose file a recording could go to.
    startRecording();
  }
}

void RecordWindow::startRecording() {
  // A recorder that cannot open or start says why once, and the window stays as it was: a
  // recording that never began has nothing to stop.
  if (!succeeded(recorder_.open())) return;
  if (!succeeded(recorder_.record())) {
    recorder_.close();
    return;
  }
  recording_ = true;
  recordButton_->setText("Stop recording");
  statusLabel_->setText("RECORDING...");
}

void RecordWindow::stopAndSave() {
  recorder_.stop();
  if (atEnd()) {
    // Enter moved past the last word while recording: no word to save it under.
  } else if (WordRecord record; readWordRecord(recordIndex_, record) != 0) {
    warn(recorderErrorText(RecorderError::fileNotSaved), "MCI Error");
  } else {
    const std::filesystem::path file =
        soundFilePath(language_, std::string(wordOf(record)), directions.currentDirection->sourceCharset);
    if (file.empty())
      warn(noFileNameText, "Error");
    else
      succeeded(recorder_.save(file));
  }
  recorder_.close();
  statusLabel_->clear();
  recording_ = false;
  recordButton_->setText("Start recording");
  if (recordIndex_ < store.wordCount) ++recordIndex_;
  showCurrent();
}

void RecordWindow::stopWithoutSaving() {
  if (!recording_) return;
  // The word's old file stays; only the input goes.
  recorder_.close();
  recording_ = false;
  statusLabel_->clear();
  recordButton_->setText("Start recording");
}

}  // namespace zembo
