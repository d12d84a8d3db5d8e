#pragma once
// The add-random window (class "addrandom"): asks how many words to draw at random from the word
// file into the current list, and whether the old list goes first.

#include <QLineEdit>
#include <QPointer>

#include "windowkit/zembowindow.h"

class QCheckBox;

namespace zembo {

class ListEditor;

struct AddRandomState {
  int randomWordCount = 0;
  bool replaceListFirst = true;
};
extern const AddRandomState& randomDraw;
// The draw addRandomWords makes: how many words, and whether the list is emptied first.
void setRandomDraw(int wordCount, bool replaceListFirst);
// No words, the list replaced, as at process start.
void resetAddRandomState();

// Draws randomWordCount records of the word file into the list (emptied first when
// replaceListFirst); a word may be drawn any number of times.
void addRandomWords();

class AddRandomWindow : public ZemboWindow {
  Q_OBJECT
 public:
  explicit AddRandomWindow(ListEditor* editor);
  ~AddRandomWindow() override;

  void command(int id, int code) override;
  QLineEdit* countField() const { return countField_; }
  QCheckBox* checkBox() const { return checkBox_; }

 protected:
  void paintClient(QPainter& painter) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPointer<ListEditor> editor_;  // the editor may go first when the program ends
  QCheckBox* checkBox_;
  QLineEdit* countField_;
};

}  // namespace zembo
