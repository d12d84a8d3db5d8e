#pragma once
// The recording window (class "record"), a tool for whoever prepares a dictionary: it walks the
// current direction's word file one word after the other and records each word's pronunciation
// into the sound file that the search window's Play plays. It is driven by three keys on its
// button: Space starts and stops a recording (stop saves it and moves on), Enter skips a word and
// Backspace goes back one.

#include <string>

#include "platform/qt/recorder.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

class QLabel;
class QPushButton;

namespace zembo {

// Texts of this window, the same in every edition.
constexpr const char* endOfListText = "*** END OF LIST ***";

struct RecordWindowState {
  // Where the window stood when it last closed: kept for the run only, never in win.ini.
  WindowPos unplacedRecordWindow;
};
extern const RecordWindowState& recordWindows;
// No position kept, as at process start.
void resetRecordWindowState();

// The win.ini key of the next word to record for a language.
std::string recordPositionKey(const std::string& language);

class RecordWindow : public ToolWindow {
  Q_OBJECT
 public:
  RecordWindow();
  ~RecordWindow() override;

  void command(int id, int code) override;
  void controlKey(int id, ControlKey key) override;
  // Also when the program ends with the window open: the device goes, the position stays.
  void closeDown() override;

  int recordIndex() const { return recordIndex_; }
  bool recording() const { return recording_; }
  QPushButton* recordButton() const { return recordButton_; }
  QLabel* wordLabel() const { return wordLabel_; }
  QLabel* counterLabel() const { return counterLabel_; }
  QLabel* statusLabel() const { return statusLabel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void next();
  void previous();
  void startOrStop();
  void startRecording();
  void stopAndSave();
  void stopWithoutSaving();
  // Shows the word of recordIndex and the counter, or the end of the list past the last word.
  void showCurrent();
  bool atEnd() const;

  int recordIndex_ = 0;
  bool recording_ = false;
  std::string language_;  // the source language the position is stored for
  Recorder recorder_;
  UiFont wordFont_, statusFont_;
  QPushButton* recordButton_;
  QLabel* wordLabel_;
  QLabel* counterLabel_;
  QLabel* statusLabel_;
};

}  // namespace zembo
