#include "lookup/recordwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <filesystem>

#include "lookup/mci.h"
#include "lookup/soundfiles.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "store/store.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

// The recorder's device name in every command.
constexpr const char* alias = "mysound";
constexpr const char* noFileNameText = "This word cannot be a sound file name; its recording is not saved.";
constexpr int keyBackspace = 8, keyEnter = 13, keySpace = 32;

void warn(const std::string& text, const char* caption) {
  QApplication::beep();
  messageBox(nullptr, text, caption, MB_OK | MB_ICONWARNING);
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
  if (atEnd() || readWordRecord(recordIndex_) != 0) {
    wordLabel_->setText(endOfListText);
    if (counterLabel_->text().isEmpty())
      counterLabel_->setText(QString("Word %1 of %2").arg(store.wordCount).arg(store.wordCount));
    return;
  }
  wordLabel_->setText(toQString(wordOf(currentRecord), directions.currentDirection->sourceCharset));
  counterLabel_->setText(QString("Word %1 of %2").arg(recordIndex_ + 1).arg(store.wordCount));
  recordButton_->setFocus();
}

bool RecordWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == recordButton_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    int code = 0;
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        code = keyEnter;
        break;
      case Qt::Key_Space:
        code = keySpace;
        break;
      case Qt::Key_Backspace:
        code = keyBackspace;
        break;
      default:
        break;
    }
    if (code) {
      // A held Space would start and stop over and over.
      if (!(code == keySpace && key->isAutoRepeat())) command(cmdRecordKey, code);
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
  if (id == cmdDone && code == commandClicked) {
    finish();
    return;
  }
  if (id != cmdRecordKey) return;
  switch (code) {
    case keyEnter:
      next();
      break;
    case keySpace:
      startOrStop();
      break;
    case keyBackspace:
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

bool RecordWindow::sendMci(const std::string& command) {
  const int error = mciSendString(command);
  if (error == 0) return true;
  warn(mciErrorText(error), "MCI Error");
  return false;
}

void RecordWindow::startRecording() {
  // A recorder that cannot open or start says why once, and the window stays as it was: a
  // recording that never began has nothing to stop.
  if (!sendMci(std::string("open new type waveaudio alias ") + alias)) return;
  if (!sendMci(std::string("record ") + alias)) {
    mciSendString(std::string("close ") + alias);
    return;
  }
  recording_ = true;
  recordButton_->setText("Stop recording");
  statusLabel_->setText("RECORDING...");
}

void RecordWindow::stopAndSave() {
  sendMci(std::string("stop ") + alias);
  if (atEnd()) {
    // Enter moved past the last word while recording: no word to save it under.
  } else if (readWordRecord(recordIndex_) != 0) {
    warn(mciErrorText(mciFileNotSaved), "MCI Error");
  } else {
    const std::filesystem::path file =
        soundFilePath(language_, std::string(wordOf(currentRecord)), directions.currentDirection->sourceCharset);
    if (file.empty())
      warn(noFileNameText, "Error");
    else
      sendMci(std::string("save ") + alias + " \"" + file.string() + "\"");
  }
  sendMci(std::string("close ") + alias);
  statusLabel_->clear();
  recording_ = false;
  recordButton_->setText("Start recording");
  if (recordIndex_ < store.wordCount) ++recordIndex_;
  showCurrent();
}

void RecordWindow::stopWithoutSaving() {
  if (!recording_) return;
  // The word's old file stays; only the device goes.
  mciSendString(std::string("close ") + alias);
  recording_ = false;
  statusLabel_->clear();
  recordButton_->setText("Start recording");
}

}  // namespace zembo
