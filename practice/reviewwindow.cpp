#include "practice/reviewwindow.h"

#include <QAbstractTextDocumentLayout>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <memory>

#include "lookup/soundfiles.h"
#include "platform/codepage.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "practice/progresspicture.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/barwindow.h"
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
    const qsizetype score = qsizetype{2} * table[0][0] - folded.size();
    if (lcs.empty() || score > best) best = score, bf = folded, lcs = std::move(table);
  }
  QString html, marked;
  const auto flushMarked = [&] {
    if (!marked.isEmpty())
      html += "<span style=\"color:#c00000; text-decoration:underline\">" + escaped(marked) + "</span>";
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

// A host path (UTF-8) in a message, whose text is in the edition's code page.
std::string shown(const std::filesystem::path& path) { return fromUtf8(path.string(), uiCodePage()); }

QLabel* wrappingLabel(QWidget* parent, const QFont& font) {
  auto* label = new QLabel(parent);
  label->setFont(font);
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

// A direction's name above the word or the answer, drawn as the window's headings are.
class ReviewCaption : public QWidget {
 public:
  ReviewCaption(const char* text, QWidget* parent) : QWidget(parent), text_(text) {
    setMinimumHeight(QFontMetrics(uiFonts.fontTextBold.font).height() + 4);
  }

  void setText(const char* text) {
    if (text_ == text) return;
    text_ = text;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QRect area = rect();
    drawShadowText(painter, area, text_, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, uiFonts.fontTextBold);
  }

 private:
  std::string text_;
};

AnswerField::AnswerField(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setTabChangesFocus(true);
  setLineWrapMode(QTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
          [this] { fitHeight(); });
}

// As tall as its lines, up to six of them; beyond that it scrolls.
void AnswerField::fitHeight() {
  const int line = QFontMetrics(font()).lineSpacing();
  const int text = static_cast<int>(std::ceil(document()->size().height()));
  const int frame = 2 * frameWidth() + contentsMargins().top() + contentsMargins().bottom();
  setFixedHeight(std::clamp(text, line + 8, 6 * line + 8) + frame);
}

void AnswerField::insertFromMimeData(const QMimeData* source) {
  QString text = source->text();
  text.replace(QRegularExpression("[\\r\\n\\x{2028}\\x{2029}]+"), " ");
  insertPlainText(text);
}

ReviewWindow::ReviewWindow() : ToolWindow(&ToolWindowState::reviewPos) {
  setWindowTitle(uiQString(uiTextCopy(textReviewTitle) + " (" + store.practiceListName + ")"));
  setOuterSize(630, 410);
  allowGrowing();
  setFocusPolicy(Qt::StrongFocus);
  wordFont_ = createUiFont(22, 700, "Times New Roman", directions.currentDirection->sourceCharset);
  translationFont_ = createUiFont(16, 700, "Times New Roman", directions.currentDirection->targetCharset);
  typedWordFont_ = createUiFont(16, 700, "Times New Roman", directions.currentDirection->sourceCharset);
  parameters_.fuzz = true;

  // The card scrolls as a whole when its texts need more room than the window has.
  auto* scroll = new QScrollArea(client());
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* card = new QWidget;
  card->setAutoFillBackground(false);
  scroll->viewport()->setAutoFillBackground(false);
  auto* cardLayout = new QVBoxLayout(card);
  cardLayout->setContentsMargins(0, 0, 4, 0);
  cardLayout->setSpacing(2);
  questionCaption_ = new ReviewCaption(directions.currentDirection->sourceName, card);
  cardLayout->addWidget(questionCaption_);
  word_ = wrappingLabel(card, wordFont_.font);
  word_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  word_->setMinimumHeight(40);
  word_->setStyleSheet("color: #000080; padding-left: 4px");
  cardLayout->addWidget(word_);
  answerCaption_ = new ReviewCaption(directions.currentDirection->targetName, card);
  cardLayout->addWidget(answerCaption_);
  answer_ = new AnswerField(card);
  answer_->setFont(translationFont_.font);
  cardLayout->addWidget(answer_);
  prompt_ = wrappingLabel(card, uiFonts.fontControl.font);
  prompt_->setText(uiQString(uiTextCopy(textReviewPrompt)));
  cardLayout->addWidget(prompt_);
  solution_ = wrappingLabel(card, translationFont_.font);
  solution_->setStyleSheet("color: #000080");
  cardLayout->addWidget(solution_);
  typed_ = wrappingLabel(card, translationFont_.font);
  typed_->setTextFormat(Qt::RichText);
  cardLayout->addWidget(typed_);
  cardLayout->addStretch(1);
  scroll->setWidget(card);

  auto* layout = new QVBoxLayout(client());
  layout->setContentsMargins(15, 5, 15, 8);
  layout->setSpacing(6);
  layout->addWidget(scroll, 1);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(5);
  for (int g = again; g <= easy; ++g) {
    QPushButton* button =
        addButton(firstGradeButton + g, std::to_string(g) + "  " + uiTextCopy(textGradeAgain + g - 1), QRect());
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(100, 30);
    buttons->addWidget(button);
    grades_[g - 1] = button;
  }
  buttons->addStretch(1);
  quit_ = addButton(cmdDone, uiTextCopy(textQuit), QRect());
  quit_->setFocusPolicy(Qt::NoFocus);
  quit_->setFixedSize(100, 30);
  buttons->addWidget(quit_);
  layout->addLayout(buttons);
  auto* statusRow = new QHBoxLayout;
  status_ = new QLabel(client());
  status_->setFont(uiFonts.fontControl.font);
  early_ = new QLabel(client());
  early_->setFont(uiFonts.fontControl.font);
  statusRow->addWidget(status_);
  statusRow->addStretch(1);
  statusRow->addWidget(early_);
  layout->addLayout(statusRow);
  // The switches follow the learner from one review to the next.
  auto* switches = new QHBoxLayout;
  const auto makeSwitch = [this, switches](int text, const char* key, int byDefault) {
    auto* box = new QCheckBox(uiQString(uiTextCopy(text)), client());
    box->setFont(uiFonts.fontControl.font);
    box->setFocusPolicy(Qt::NoFocus);
    box->setChecked(readProfileInt("Dictionary", key, byDefault, "win.ini") != 0);
    connect(box, &QCheckBox::toggled, this,
            [key](bool on) { writeProfileString("Dictionary", key, on ? "1" : "0", "win.ini"); });
    switches->addWidget(box);
    return box;
  };
  speak_ = makeSwitch(textReviewSpeak, "ReviewSpeak", 1);
  listening_ = makeSwitch(textReviewListening, "ReviewListening", 0);
  switches->addStretch(1);
  const DictionaryDirection& d = *directions.currentDirection;
  ways_ = new QComboBox(client());
  ways_->setFont(uiFonts.fontControl.font);
  ways_->setFocusPolicy(Qt::NoFocus);
  ways_->addItem(uiQString(d.sourceName) + QString(" \u2192 ") + uiQString(d.targetName));
  ways_->addItem(uiQString(d.targetName) + QString(" \u2192 ") + uiQString(d.sourceName));
  ways_->addItem(uiQText(textBothWays));
  switches->addWidget(ways_);
  layout->addLayout(switches);
  // The schedule: its state, a fit to the learner's reviews, the way back, the picture of progress.
  auto* scheduleRow = new QHBoxLayout;
  const auto makeButton = [this, scheduleRow](int id, int text) {
    QPushButton* button = addButton(id, uiTextCopy(text), QRect());
    button->setFocusPolicy(Qt::NoFocus);
    scheduleRow->addWidget(button);
    return button;
  };
  fit_ = makeButton(cmdFitSchedule, textFitSchedule);
  defaults_ = makeButton(cmdDefaultSchedule, textDefaultSchedule);
  makeButton(cmdShowProgress, textProgress);
  scheduleRow->addStretch(1);
  layout->addLayout(scheduleRow);
  schedule_ = new QLabel(client());
  schedule_->setFont(uiFonts.fontControl.font);
  schedule_->setWordWrap(true);
  layout->addWidget(schedule_);
  // Listening switched on or off asks the card shown again, the other way.
  connect(listening_, &QCheckBox::toggled, this, [this] {
    if (current_ >= 0 && !revealed_) nextCard();
  });
  answer_->installEventFilter(this);

  loadDeck();
  loadSchedule();
  ways_->setCurrentIndex(static_cast<int>(book_.ways()));
  connect(ways_, &QComboBox::currentIndexChanged, this,
          [this](int index) { changeWays(static_cast<ListWays>(index)); });
  nextCard();
  place();
  show();
  if (current_ >= 0) answer_->setFocus();
}

void ReviewWindow::loadDeck() {
  listFile_ = currentListHostPath();
  ReviewCards loaded = loadReviewCards(listFile_);
  const CardFileLoad load = loaded.snapshot;
  const bool fromLog = !loaded.log.lines.empty();
  deck_ = buildDeck(currentReviewEntries(), std::move(loaded.cards), load.header.ways);
  // A card file that could not be put aside is never written over; the log then keeps the review.
  cardsWritable_ = load.status == CardFileStatus::read || load.status == CardFileStatus::missing ||
                   (load.status != CardFileStatus::notAFile && !load.keptAs.empty());
  if (!cardsWritable_) book_.keepSnapshot();
  logWritable_ = book_.open(listFile_, loaded, cardsOf(deck_));
  warnAboutCardFile(load, fromLog);
  if (!logWritable_) {
    const std::filesystem::path log = reviewLogPath(listFile_);
    const bool plain = besideFileKind(log) != CardFileStatus::notAFile;
    const std::string text = uiTextCopy(plain ? textCannotWriteFile : textNotAPlainFile) + "\n" + shown(log) + "\n\n" +
                             uiTextCopy(textLogNotKept);
    messageBox(this, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
  }
}

// What became of a card file that could not be read as it stood. The cards its lines held come
// back from the log where it has them; a review is lost only when neither file can be written.
void ReviewWindow::warnAboutCardFile(const CardFileLoad& load, bool cardsFromLog) {
  const std::filesystem::path cardFile = cardFilePath(listFile_);
  const std::string notKept = logWritable_ ? "" : "\n\n" + uiTextCopy(textReviewNotKept);
  std::string text;
  switch (load.status) {
    case CardFileStatus::read:
    case CardFileStatus::missing:
      return;
    case CardFileStatus::damaged:
      text = cardsWritable_ ? uiTextCopy(textDamagedLinesAside) + "\n" + shown(load.keptAs) + "\n\n" +
                                  uiTextCopy(textOtherCardsKept)
                            : uiTextCopy(textCannotWriteFile) + "\n" + shown(cardFile) + ".damaged" + notKept;
      break;
    case CardFileStatus::unreadable:
    case CardFileStatus::tooLarge:
      text = uiTextCopy(load.status == CardFileStatus::tooLarge ? textCardFileTooLarge : textCardFileDamaged) + "\n" +
             shown(cardsWritable_ ? load.keptAs : cardFile) +
             (cardsWritable_ ? "\n\n" + uiTextCopy(cardsFromLog ? textOtherCardsKept : textReviewAfresh) : notKept);
      break;
    case CardFileStatus::notAFile:
      text = uiTextCopy(textNotAPlainFile) + "\n" + shown(cardFile) + notKept;
      break;
  }
  messageBox(this, text, uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
}

void ReviewWindow::changeWays(ListWays ways) {
  book_.setWays(ways);
  deck_ = buildDeck(currentReviewEntries(), cardsOf(deck_), ways);
  if (!book_.saveSnapshot(cardsOf(deck_), true)) warnCannotWrite(book_.cardFile());
  nextCard();
}

void ReviewWindow::loadSchedule() {
  FittedSchedule schedule;
  const std::filesystem::path file = fittedSchedulePath(listsHostFolder());
  // A schedule file that cannot be read schedules nothing: the defaults hold until the next fit.
  if (loadFittedSchedule(file, schedule) == CardFileStatus::read) fitted_ = schedule;
  parameters_ = parametersOf(fitted_ ? &*fitted_ : nullptr);
  parametersId_ = parametersIdOf(fitted_ ? &*fitted_ : nullptr);
  reviewsInLogs_ = countReviews(listsHostFolder());
  showSchedule();
}

void ReviewWindow::showSchedule() {
  QString text =
      fitted_ ? uiQText(textScheduleFitted).arg(editionDate(fitted_->fittedAt)) : uiQText(textScheduleDefault);
  const int since = reviewsInLogs_ - (fitted_ ? fitted_->reviews : 0);
  if (since >= reviewsBetweenFits) text += "\n" + uiQText(textFitOffer).arg(since);
  QFont font = fit_->font();
  font.setBold(since >= reviewsBetweenFits);
  fit_->setFont(font);
  schedule_->setText(text);
  defaults_->setEnabled(fitted_.has_value());
}

// Fits the weights to the reviews of every list, shows how well the fitted and the current ones
// predict the reviews held back from the fit, and uses the fitted ones if the learner agrees.
void ReviewWindow::fitSchedule() {
  int reviews = 0;
  const std::vector<ReviewHistory> histories = reviewHistories(listsHostFolder(), reviews);
  std::unique_ptr<BarWindow> bar = std::make_unique<BarWindow>(textFitSchedule, "", textFitting);
  bar->waitUntilOnScreen();
  const FittedSchedule fitted = zembo::fitSchedule(histories, parameters_.w, reviewNow(),
                                                   [&](double share) { bar->showProgress(int(share * 100)); });
  bar.reset();
  if (fitted.stage == FitStage::defaults) {
    messageBox(this, fromUiQString(uiQText(textFitTooFew).arg(reviews)), uiTextCopy(textFitSchedule),
               MB_OK | MB_ICONINFORMATION);
    return;
  }
  const QLocale locale = editionLocale();
  QString text = uiQText(textFitResult)
                     .arg(reviews - fitted.heldBack)
                     .arg(fitted.heldBack)
                     .arg(locale.toString(fitted.lossBefore, 'f', 4))
                     .arg(locale.toString(fitted.lossAfter, 'f', 4));
  if (fitted.stage == FitStage::firstDayStabilities) text += "\n\n" + uiQText(textFitFirstDayOnly);
  text += "\n\n" + uiQText(textFitUse);
  if (messageBox(this, fromUiQString(text), uiTextCopy(textFitSchedule), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  const std::filesystem::path file = fittedSchedulePath(listsHostFolder());
  if (!saveFittedSchedule(file, fitted)) return warnCannotWrite(file);
  fitted_ = fitted;
  parameters_ = parametersOf(&fitted);
  parametersId_ = fitted.id;
  showSchedule();
}

void ReviewWindow::useDefaultSchedule() {
  const std::filesystem::path file = fittedSchedulePath(listsHostFolder());
  std::error_code error;
  if (!std::filesystem::remove(file, error) && error) return warnCannotWrite(file);
  fitted_.reset();
  parameters_ = parametersOf(nullptr);
  parametersId_ = parametersIdOf(nullptr);
  showSchedule();
}

void ReviewWindow::showProgress() {
  if (picture_) picture_->close();
  std::vector<Card> asked;
  for (const DeckCard& card : deck_)
    if (card.inList) asked.push_back(card.card);
  const ProgressFigures figures =
      progressFigures(readReviewLog(book_.logFile()).lines, asked, reviewNow(), parameters_.desiredRetention);
  const QString title = uiQText(textProgress) + " (" + uiQString(store.practiceListName) + ")";
  picture_ = new ProgressPicture(figures, title, this);
  picture_->move(geometry().center() - picture_->rect().center());
  picture_->show();
}

void ReviewWindow::closeDown() { book_.saveSnapshot(cardsOf(deck_)); }

void ReviewWindow::warnCannotWrite(const std::filesystem::path& file) {
  messageBox(this, uiTextCopy(textCannotWriteFile) + "\n" + shown(file), uiTextCopy(textProgramName),
             MB_OK | MB_ICONWARNING);
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
  showCardsLeft();
  early_->clear();
  if (current_ < 0) return showEnd();
  const DeckCard& shownCard = deck_[current_];
  const Card& card = shownCard.card;
  const bool backward = card.way == CardWay::backward;
  const bool byEar = askedByEar();
  // A backward card shows the translations and asks for the word; by ear, the word is typed too.
  const DictionaryDirection& d = *directions.currentDirection;
  questionCaption_->setText(backward ? d.targetName : d.sourceName);
  answerCaption_->setText(backward || byEar ? d.sourceName : d.targetName);
  word_->setFont(backward ? translationFont_.font : wordFont_.font);
  word_->setText(byEar ? QString("\u2026") : utf8(backward ? shownCard.translation : card.word));
  answer_->setFont(backward || byEar ? typedWordFont_.font : translationFont_.font);
  solution_->setFont(backward ? typedWordFont_.font : translationFont_.font);
  prompt_->setText(uiQString(uiTextCopy(byEar ? textReviewListenPrompt : textReviewPrompt)));
  // A learning step within the learn-ahead comes before its time when nothing else is left.
  if (card.schedule.state != CardState::newCard && card.schedule.due > now) {
    const QString due = QDateTime::fromSecsSinceEpoch(card.schedule.due).toString("hh:mm:ss");
    early_->setText(uiQString(uiTextCopy(textShownEarly)) + " " + due);
  }
  answer_->setEnabled(true);
  answer_->setFocus();
  // Played once the card is on the screen: the word is heard as it is seen (a backward card's word
  // only once it is revealed: it is the answer).
  if (byEar || (speak_->isChecked() && !backward))
    QTimer::singleShot(0, this, [this, shownCard = current_] {
      if (current_ == shownCard && !revealed_) playWord();
    });
}

bool ReviewWindow::askedByEar() const {
  if (current_ < 0 || !listening_->isChecked() || deck_[current_].card.way != CardWay::forward) return false;
  const DictionaryDirection& d = *directions.currentDirection;
  return canBeHeard(d.sourceName, fromUtf8(deck_[current_].card.word, codePageOfCharset(d.sourceCharset)),
                    d.sourceCharset);
}

void ReviewWindow::playWord() {
  if (current_ < 0) return;
  const DictionaryDirection& d = *directions.currentDirection;
  ++wordsPlayed_;
  playSound(d.sourceName, fromUtf8(deck_[current_].card.word, codePageOfCharset(d.sourceCharset)), d.sourceCharset);
}

void ReviewWindow::showEnd() {
  word_->setText(uiQString(uiTextCopy(textNothingToReview)));
  word_->setFont(translationFont_.font);
  answer_->setEnabled(false);
  prompt_->clear();
  const std::int64_t next = nextDueAfter(deck_, reviewNow());
  if (next > 0) {
    solution_->setText(uiQString(uiTextCopy(textNextCardDue)) + " " + editionDateTime(next));
  }
  setFocus();
}

void ReviewWindow::reveal() {
  if (current_ < 0 || revealed_) return;
  revealed_ = true;
  const DeckCard& card = deck_[current_];
  const QString typed = answer_->text();
  // By ear the answer is the word itself, spelled; the translations are shown with it. A backward
  // card's answer is the word.
  const bool byEar = askedByEar();
  const bool backward = card.card.way == CardWay::backward;
  const std::string& expected = byEar || backward ? card.card.word : card.translation;
  proposed_ = proposedGrade(typed.toStdString(), expected);
  answer_->setReadOnly(true);
  if (byEar) word_->setText(utf8(card.card.word));
  solution_->setText(utf8(backward ? card.card.word : card.translation));
  if (backward && speak_->isChecked()) playWord();
  if (!typed.trimmed().isEmpty())
    typed_->setText(escaped(uiQString(uiTextCopy(textYourAnswer))) + " " + markedAnswer(typed, utf8(expected)));
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
  const ReviewLine line = gradeCard(parameters_, parametersId_, deck_[current_].card, g, reviewNow());
  // One line appended to the log keeps the grade; a log that could not be opened was reported
  // when the window opened, and the card file then keeps each grade.
  if (!book_.record(line, [this] { return cardsOf(deck_); }))
    warnCannotWrite(logWritable_ ? book_.logFile() : book_.cardFile());
  ++reviewsInLogs_;
  showSchedule();
  for (QPushButton* button : grades_) {
    QFont font = button->font();
    font.setUnderline(false);
    button->setFont(font);
  }
  nextCard();
}

void ReviewWindow::showCardsLeft() {
  const ReviewCounts counts = reviewCounts(deck_, reviewNow(), newCardsPerDay());
  status_->setText(uiQString(uiTextCopy(textCardsLeft) + " " + reviewCountText(counts)));
}

// Enter in the field reveals, and goes no further: the window would take it for a grade.
bool ReviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == answer_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      reveal();
      return true;
    }
    if (key == Qt::Key_Escape) {
      finish();
      return true;
    }
    if (key == Qt::Key_F5) {
      playWord();
      return true;
    }
  }
  return ToolWindow::eventFilter(watched, event);
}

void ReviewWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_F5) return playWord();
  if (key == Qt::Key_Escape) return finish();  // every grade is saved already
  if (revealed_ && key >= Qt::Key_1 && key <= Qt::Key_4) return grade(key - Qt::Key_0);
  if (revealed_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) return grade(proposed_);
  ToolWindow::keyPressEvent(event);
}

void ReviewWindow::command(int id, int code) {
  if (code != commandClicked) return;
  if (id == cmdDone) return finish();
  if (id == cmdFitSchedule) return fitSchedule();
  if (id == cmdDefaultSchedule) return useDefaultSchedule();
  if (id == cmdShowProgress) return showProgress();
  if (id > firstGradeButton && id <= firstGradeButton + 4) grade(id - firstGradeButton);
}

}  // namespace zembo
