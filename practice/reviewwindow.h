#pragma once
// The review window: the current list's cards that are due, one at a time. It shows the word;
// the learner types the translation and presses Enter (Enter on an empty field only reveals),
// sees the stored translation with the typed one marked where it differs, and grades with the
// keys 1-4 or the four buttons. Every grade is written to the card file and the log at once, so
// closing the window (Esc, Quit, the close box), or the program, loses none. The word, the
// translations and the answer wrap and the card scrolls, so that a long entry is never cut; the
// window may be made larger.
//
// Two switches, kept in win.ini: "Say the word" plays each word as it is shown (its recording, or
// speech) and F5 plays it again; "Listening" hides the word, which the learner hears and types,
// graded as a translation is. A choice beside them says which way the list's cards ask: the word
// for its translations, the translations for the word, or both, each way a card of its own.
//
// Below them, the schedule: the cards are scheduled with the default weights until the learner
// fits them to the reviews of all the lists (offered again after each thousand new reviews), and
// a picture shows the list's progress.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <array>
#include <optional>
#include <vector>

#include "practice/reviewdeck.h"
#include "review/fittedschedule.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

namespace zembo {

class ReviewCaption;

// The answer field: one paragraph that wraps and grows with what is typed. Enter never makes a
// new line (the window takes it), and a pasted line break becomes a blank.
class AnswerField : public QTextEdit {
 public:
  explicit AnswerField(QWidget* parent);
  QString text() const { return toPlainText(); }

 protected:
  void insertFromMimeData(const QMimeData* source) override;

 private:
  void fitHeight();
};

class ReviewWindow : public ToolWindow {
  Q_OBJECT
 public:
  ReviewWindow();

  AnswerField* answerField() const { return answer_; }
  QLabel* wordLabel() const { return word_; }
  QLabel* solutionLabel() const { return solution_; }
  QLabel* typedLabel() const { return typed_; }
  QLabel* statusLabel() const { return status_; }
  QLabel* earlyLabel() const { return early_; }  // when a card shown before its time was due
  QPushButton* gradeButton(int grade) const { return grades_[grade - 1]; }
  QPushButton* quitButton() const { return quit_; }
  QCheckBox* speakSwitch() const { return speak_; }
  QCheckBox* listeningSwitch() const { return listening_; }
  QComboBox* waysChoice() const { return ways_; }  // forward, backward, both: ListWays in order
  QLabel* scheduleLabel() const { return schedule_; }
  const FsrsParameters& parameters() const { return parameters_; }
  // The progress picture last opened, while it is open.
  QWidget* progressPicture() const { return picture_; }
  int wordsPlayed() const { return wordsPlayed_; }  // how many times a word was played
  int proposed() const { return proposed_; }        // the grade Enter gives once revealed; 0 before
  bool revealed() const { return revealed_; }
  const Deck& deck() const { return deck_; }

  void command(int id, int code) override;
  void closeDown() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void loadDeck();
  void nextCard();
  void reveal();
  void grade(int g);
  void showEnd();
  void showCardsLeft();
  void warnAboutCardFile(const CardFileLoad& load, bool cardsFromLog);
  void changeWays(ListWays ways);
  void loadSchedule();
  void fitSchedule();
  void useDefaultSchedule();
  void showSchedule();
  void showProgress();
  void warnCannotWrite(const std::filesystem::path& file);
  // Whether the card shown is asked by ear: listening is on and the word can be heard.
  bool askedByEar() const;
  void playWord();

  Deck deck_;
  std::filesystem::path listFile_;
  ReviewBook book_;
  FsrsParameters parameters_;
  std::string parametersId_ = "default";
  std::optional<FittedSchedule> fitted_;
  int reviewsInLogs_ = 0;  // counted when the window opened, and the grades given since
  int current_ = -1;       // deck index of the card shown, -1 at the end
  int proposed_ = 0;
  bool revealed_ = false;
  bool cardsWritable_ = true;
  bool logWritable_ = true;
  UiFont wordFont_, translationFont_, typedWordFont_;
  ReviewCaption* questionCaption_;
  ReviewCaption* answerCaption_;
  QLabel* word_;
  AnswerField* answer_;
  QLabel* prompt_;
  QLabel* solution_;
  QLabel* typed_;
  QLabel* status_;
  QLabel* early_;
  std::array<QPushButton*, 4> grades_{};
  QCheckBox* speak_;
  QCheckBox* listening_;
  QComboBox* ways_;
  QLabel* schedule_;
  QPushButton* fit_;
  QPushButton* defaults_;
  QPointer<QWidget> picture_;
  int wordsPlayed_ = 0;
  QPushButton* quit_;
};

}  // namespace zembo
