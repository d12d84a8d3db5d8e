#include "practice/reviewwindow.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>

#include <algorithm>

#include "platform/messagebox.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

// The lengths of the longest common subsequences of every pair of suffixes of a and b.
std::vector<std::vector<int>> commonSubsequences(const QString& a, const QString& b) {
  std::vector<std::vector<int>> lcs(a.size() + 1, std::vector<int>(b.size() + 1, 0));
  for (qsizetype i = a.size() - 1; i >= 0; --i)
    for (qsizetype j = b.size() - 1; j >= 0; --j)
      lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
  return lcs;
}

// The typed answer against the closest stored translation, case ignored: a wrong or extra letter
// is marked, and a marked blank stands where a letter is missing.
QString markedAnswer(const QString& typed, const QString& translations) {
  const QString a = typed.trimmed(), af = a.toCaseFolded();
  QString bf;
  std::vector<std::vector<int>> lcs;
  qsizetype best = 0;
  for (const QString& one : translations.split(',')) {
    const QString folded = one.trimmed().toCaseFolded();
    std::vector<std::vector<int>> table = commonSubsequences(af, folded);
    const qsizetype score = 2 * table[0][0] - folded.size();
    if (lcs.empty() || score > best) best = score, bf = folded, lcs = std::move(table);
  }
  QString html, marked;
  const auto flushMarked = [&] {
    if (!marked.isEmpty()) html += "<span style=\"color:#c00000; text-decoration:underline\">" + escaped(marked) + "</span>";
    marked.clear();
  };
  qsizetype i = 0, j = 0;
  while (i < af.size() || j < bf.size()) {
    const bool both = i < af.size() && j < bf.size();
    if (both && af[i] == bf[j]) {
      flushMarked();
      html += escaped(a.mid(i++, 1));
      ++j;
    } else if (both && lcs[i + 1][j + 1] == lcs[i][j]) {
      marked += a.mid(i++, 1);  // a wrong letter in place of the right one
      ++j;
    } else if (j < bf.size() && (i == af.size() || lcs[i][j + 1] >= lcs[i + 1][j])) {
      marked += '_';  // a letter missing here
      ++j;
    } else {
      marked += a.mid(i++, 1);  // a letter too many
    }
  }
  flushMarked();
  return html;
}

QString utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

ReviewWindow::ReviewWindow() : ToolWindow(tools.reviewPos) {
  setWindowTitle(uiQString(uiTextCopy(textReviewTitle) + "  (" + store.practiceListName + ")"));
  setOuterSize(630, 330);
  setFocusPolicy(Qt::StrongFocus);
  wordFont_ = createUiFont(22, 700, "Times New Roman", directions.currentDirection->sourceCharset);
  translationFont_ = createUiFont(16, 700, "Times New Roman", directions.currentDirection->targetCharset);
  parameters_.fuzz = true;
  fuzz_.state = static_cast<std::uint64_t>(reviewNow());

  word_ = new QLabel(client());
  word_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  word_->setFont(wordFont_.font);
  word_->setGeometry(15, 35, 595, 40);
  word_->setStyleSheet("color: #000080; padding-left: 4px");
  answer_ = new QLineEdit(client());
  answer_->setFont(translationFont_.font);
  answer_->setGeometry(15, 110, 595, 32);
  prompt_ = new QLabel(uiQString(uiTextCopy(textReviewPrompt)), client());
  prompt_->setFont(uiFonts.fontControl.font);
  prompt_->setGeometry(15, 146, 595, 18);
  solution_ = new QLabel(client());
  solution_->setFont(translationFont_.font);
  solution_->setStyleSheet("color: #000080");
  solution_->setGeometry(15, 168, 595, 30);
  solution_->setWordWrap(true);
  typed_ = new QLabel(client());
  typed_->setFont(translationFont_.font);
  typed_->setTextFormat(Qt::RichText);
  typed_->setGeometry(15, 200, 595, 30);
  for (int g = again; g <= easy; ++g) {
    QPushButton* button = addButton(firstGradeButton + g, std::to_string(g) + "  " + uiTextCopy(textGradeAgain + g - 1),
                                    QRect(15 + (g - 1) * 105, 240, 100, 30));
    button->setFocusPolicy(Qt::NoFocus);
    grades_[g - 1] = button;
  }
  quit_ = addButton(cmdDone, uiTextCopy(textQuit), QRect(510, 240, 100, 30));
  quit_->setFocusPolicy(Qt::NoFocus);
  status_ = new QLabel(client());
  status_->setFont(uiFonts.fontControl.font);
  status_->setGeometry(15, 282, 595, 18);
  answer_->installEventFilter(this);

  loadDeck();
  nextCard();
  place();
  show();
  if (current_ >= 0) answer_->setFocus();
}

void ReviewWindow::loadDeck() {
  listFile_ = currentListHostPath();
  std::vector<Card> cards;
  const CardFileLoad load = loadCards(cardFilePath(listFile_), cards);
  if (load.status == CardFileStatus::damaged || load.status == CardFileStatus::unreadable) {
    // A file that could not even be moved aside is never written over: this review is not kept.
    cardsWritable_ = !load.keptAs.empty();
    const std::string keptAs = load.keptAs.empty() ? cardFilePath(listFile_).string() : load.keptAs.string();
    const std::string text = uiTextCopy(textCardFileDamaged) + "\n" + keptAs + "\n\n" + uiTextCopy(textReviewAfresh);
    messageBox(this, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
  }
  deck_ = buildDeck(currentListEntries(), std::move(cards));
}

void ReviewWindow::nextCard() {
  const std::int64_t now = reviewNow();
  std::vector<int> queue = reviewQueue(deck_, now, newCardsPerDay());
  current_ = queue.empty() ? -1 : queue.front();
  revealed_ = false;
  proposed_ = 0;
  answer_->clear();
  answer_->setReadOnly(false);
  solution_->clear();
  typed_->clear();
  for (QPushButton* button : grades_) button->setEnabled(false);
  showCardsLeft(static_cast<int>(queue.size()));
  if (current_ < 0) return showEnd();
  word_->setText(utf8(deck_[current_].card.word));
  answer_->setEnabled(true);
  answer_->setFocus();
}

void ReviewWindow::showEnd() {
  word_->setText(uiQString(uiTextCopy(textNothingToReview)));
  word_->setFont(translationFont_.font);
  answer_->setEnabled(false);
  prompt_->clear();
  const std::int64_t next = nextDueAfter(deck_, reviewNow());
  if (next > 0) {
    const QString when = QDateTime::fromSecsSinceEpoch(next).toString("yyyy-MM-dd hh:mm");
    solution_->setText(uiQString(uiTextCopy(textNextCardDue)) + " " + when);
  }
  setFocus();
}

void ReviewWindow::reveal() {
  if (current_ < 0 || revealed_) return;
  revealed_ = true;
  const DeckCard& card = deck_[current_];
  const QString typed = answer_->text();
  proposed_ = proposedGrade(typed.toStdString(), card.translation);
  answer_->setReadOnly(true);
  solution_->setText(utf8(card.translation));
  if (!typed.trimmed().isEmpty())
    typed_->setText(escaped(uiQString(uiTextCopy(textYourAnswer))) + " " + markedAnswer(typed, utf8(card.translation)));
  for (int g = again; g <= easy; ++g) {
    grades_[g - 1]->setEnabled(true);
    QFont font = grades_[g - 1]->font();
    font.setUnderline(g == proposed_);
    grades_[g - 1]->setFont(font);
  }
  setFocus();
}

void ReviewWindow::grade(int g) {
  if (current_ < 0 || !revealed_) return;
  Card& card = deck_[current_].card;
  const std::int64_t now = reviewNow();
  const CardState before = card.schedule.state;
  const int elapsedDays = before == CardState::newCard ? 0 : localDay(now) - localDay(card.schedule.lastReview);
  reviewCard(parameters_, card.schedule, g, now, std::max(elapsedDays, 0), &fuzz_);
  if (before == CardState::newCard) card.firstReview = now;
  const std::filesystem::path cardFile = cardFilePath(listFile_);
  // A card file that could not be moved aside is left alone, as the learner was told at the start.
  const bool saved = !cardsWritable_ || saveCards(cardFile, cardsOf(deck_));
  const bool logged = appendReviewLog(reviewLogPath(listFile_), now, card.word, g, elapsedDays, before);
  if (!saved || !logged) {
    const std::string text =
        uiTextCopy(textCannotWriteFile) + "\n" + (saved ? reviewLogPath(listFile_) : cardFile).string();
    messageBox(this, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
  }
  for (QPushButton* button : grades_) {
    QFont font = button->font();
    font.setUnderline(false);
    button->setFont(font);
  }
  nextCard();
}

void ReviewWindow::showCardsLeft(int left) {
  status_->setText(uiQString(uiTextCopy(textCardsLeft)) + " " + QString::number(left));
}

// Enter in the field reveals, and goes no further: the window would take it for a grade.
bool ReviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == answer_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      reveal();
      return true;
    }
  }
  return ToolWindow::eventFilter(watched, event);
}

void ReviewWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (revealed_ && key >= Qt::Key_1 && key <= Qt::Key_4) return grade(key - Qt::Key_0);
  if (revealed_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) return grade(proposed_);
  ToolWindow::keyPressEvent(event);
}

void ReviewWindow::command(int id, int code) {
  if (code != commandClicked) return;
  if (id == cmdDone) return finish();
  if (id > firstGradeButton && id <= firstGradeButton + 4) grade(id - firstGradeButton);
}

void ReviewWindow::paintClient(QPainter& painter) {
  const int line = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
  QRect source = winRect(15, 5, 515, 55);
  drawShadowText(painter, source, directions.currentDirection->sourceName, line, uiFonts.fontTextBold);
  QRect target = winRect(15, 80, 515, 130);
  drawShadowText(painter, target, directions.currentDirection->targetName, line, uiFonts.fontTextBold);
}

}  // namespace zembo
