#pragma once
// The review window: the current list's cards that are due, one at a time. It shows the word;
// the learner types the translation and presses Enter (Enter on an empty field only reveals),
// sees the stored translation with the typed one marked where it differs, and grades with the
// keys 1-4 or the four buttons. Every grade is written to the card file and the log at once, so
// closing the window, or the program, loses none.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <vector>

#include "practice/reviewdeck.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

namespace zembo {

class ReviewWindow : public ToolWindow {
  Q_OBJECT
 public:
  ReviewWindow();

  QLineEdit* answerField() const { return answer_; }
  QLabel* wordLabel() const { return word_; }
  QLabel* solutionLabel() const { return solution_; }
  QLabel* typedLabel() const { return typed_; }
  QLabel* statusLabel() const { return status_; }
  QPushButton* gradeButton(int grade) const { return grades_[grade - 1]; }
  int proposed() const { return proposed_; }  // the grade Enter gives once revealed; 0 before
  bool revealed() const { return revealed_; }
  const Deck& deck() const { return deck_; }

  void command(int id, int code) override;

 protected:
  void paintClient(QPainter& painter) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void loadDeck();
  void nextCard();
  void reveal();
  void grade(int g);
  void showEnd();
  void showCardsLeft(int left);

  Deck deck_;
  std::filesystem::path listFile_;
  FsrsParameters parameters_;
  FuzzGenerator fuzz_;
  int current_ = -1;  // deck index of the card shown, -1 at the end
  int proposed_ = 0;
  bool revealed_ = false;
  bool cardsWritable_ = true;
  UiFont wordFont_, translationFont_;
  QLabel* word_;
  QLineEdit* answer_;
  QLabel* prompt_;
  QLabel* solution_;
  QLabel* typed_;
  QLabel* status_;
  std::array<QPushButton*, 4> grades_{};
  QPushButton* quit_;
};

}  // namespace zembo
