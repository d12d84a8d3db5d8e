#include "addwords/addwordswindow.h"

#include <QKeyEvent>
#include <QPainter>

#include <cstdio>

#include "addwords/addwords.h"
#include "lookup/charsetwindow.h"
#include "platform/messagebox.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/helpwindow.h"
#include "windowkit/onelinefield.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

// A text of ours, in every edition.
constexpr const char* translationTooLong =
    "The translation is longer than 50 characters with \", \" between its parts.\nNothing was stored.";

bool isEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

const QRect counterRect = winRect(15, 146, 400, 166);

}  // namespace

AddWordsField::AddWordsField(ZemboWindow* window, int id, int limit)
    : QLineEdit(window->client()), window_(window), id_(id) {
  setMaxLength(limit);
  setTextMargins(3, 0, 3, 0);
  keepFieldOnOneLine(this);
}

void AddWordsField::keyPressEvent(QKeyEvent* event) {
  if (isEnter(event)) {
    window_->controlKey(id_, ControlKey::enter);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void AddWordsField::keyReleaseEvent(QKeyEvent* event) {
  if (isEnter(event)) return;
  QLineEdit::keyReleaseEvent(event);
  if (id_ == idNewWordField && !event->isAutoRepeat()) window_->command(id_, fieldChanged);
}

void AddWordsField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  window_->command(id_, fieldGotFocus);
}

AddWordsWindow::AddWordsWindow()
    : ToolWindow(&ToolWindowState::addPos), defaultFont_(createUiFont(12, 700, "Arial", uiFonts.uiCharset)) {
  setWindowTitle(uiQText(textAddWordsTitle));
  setMenuResource(findMenu(std::string(uiLanguage.uiLanguageName) + "_tekenset"));
  setOuterSize(630, 205);
  beginAddingWords();
  sourceFont_ = createUiFont(17, 400, "Times New Roman", directions.currentDirection->sourceCharset);
  targetFont_ = createUiFont(17, 400, "Times New Roman", directions.currentDirection->targetCharset);
  setCharsetLanguage(directions.currentDirection->sourceCharset, directions.currentDirection->sourceName);

  wordField_ = new AddWordsField(this, idNewWordField, wordFieldSize - 1);
  wordField_->setGeometry(15, 35, 595, 35);
  wordField_->setFont(sourceFont_.font);
  translationField_ = new AddWordsField(this, idNewTranslationField, translationFieldSize - 1);
  translationField_->setGeometry(15, 105, 595, 35);
  translationField_->setFont(targetFont_.font);
  addButton(cmdDone, uiTextCopy(textDone), QRect(510, 150, 100, 30));
  addButton(cmdAddWordsHelp, uiTextCopy(textHelp), QRect(400, 150, 100, 30));

  focusField_ = wordField_;
  setCharsetReceiver(wordField_);
  place();
  checkMenuItem(cmdCharsetOn, false);
  checkMenuItem(cmdCharsetOff, true);
  show();
  wordField_->setFocus();
  setCharsetOwner(this);
}

AddWordsWindow::~AddWordsWindow() {
  if (charsets.charsetWindow) closeCharsetWindow();
}

void AddWordsWindow::closeDown() {
  // The window is going: the focus that returns to it must not bring the picker back.
  charsetWindowOn_ = false;
  if (charsets.charsetWindow) closeCharsetWindow();
  resortOnClose();
}

std::string AddWordsWindow::fieldBytes(const AddWordsField* field, int charset) const {
  return fromQString(field->text(), charset);
}

void AddWordsWindow::setFieldBytes(AddWordsField* field, const std::string& bytes, int charset) {
  field->setText(toQString(bytes, charset));
}

bool AddWordsWindow::warnOfComma(const std::string& word) {
  if (word.find(',') == std::string::npos) return false;
  messageBox(this, loadUiText(textNoCommaAllowed), uiTextCopy(textError), MB_OK | MB_ICONWARNING);
  return true;
}

void AddWordsWindow::wordChanged() {
  const std::string word = fieldBytes(wordField_, directions.currentDirection->sourceCharset);
  if (warnOfComma(word) || word.empty()) return;
  WordRecord entry;
  const int index = findEntry(store, word, entry);
  setFieldBytes(translationField_, index >= 0 ? std::string(translationOf(entry)) : std::string(),
                directions.currentDirection->targetCharset);
}

void AddWordsWindow::wordEnter() {
  const std::string typed = fieldBytes(wordField_, directions.currentDirection->sourceCharset);
  if (typed.empty()) return;
  const std::string word(trimBlanks(typed));
  setFieldBytes(wordField_, word, directions.currentDirection->sourceCharset);
  if (word.empty() || warnOfComma(word)) return;
  translationField_->setFocus();
}

void AddWordsWindow::translationEnter() {
  const DictionaryDirection& d = *directions.currentDirection;
  EntryTexts texts{fieldBytes(wordField_, d.sourceCharset), fieldBytes(translationField_, d.targetCharset)};
  const StoreOutcome outcome = storeEntry(texts);
  setFieldBytes(wordField_, texts.word, d.sourceCharset);
  setFieldBytes(translationField_, texts.translation, d.targetCharset);
  if (outcome == StoreOutcome::commaInWord) warnOfComma(texts.word);
  if (outcome == StoreOutcome::tooLong)
    messageBox(this, translationTooLong, uiTextCopy(textError), MB_OK | MB_ICONWARNING);
  if (outcome != StoreOutcome::stored) return;
  wordField_->setFocus();
  client()->update(counterRect);
}

void AddWordsWindow::fieldFocused(AddWordsField* field, int charset, const char* language) {
  focusField_ = field;
  setCharsetReceiver(field);
  // Only the character set decides: with the same one on both sides the picker stays as it is.
  if (charsets.charsetCode == charset) return;
  setCharsetLanguage(charset, language);
  if (charsetWindowOn_) reopenCharsetWindow();
}

void AddWordsWindow::controlKey(int id, ControlKey key) {
  if (key != ControlKey::enter) return;
  if (id == idNewWordField) wordEnter();
  if (id == idNewTranslationField) translationEnter();
}

void AddWordsWindow::command(int id, int code) {
  const DictionaryDirection& d = *directions.currentDirection;
  if (id == idNewWordField) {
    if (code == fieldChanged) wordChanged();
    if (code == fieldGotFocus) fieldFocused(wordField_, d.sourceCharset, d.sourceName);
    return;
  }
  if (id == idNewTranslationField) {
    if (code != fieldGotFocus) return;
    if (warnOfComma(fieldBytes(wordField_, d.sourceCharset))) {
      wordField_->setFocus();
      return;
    }
    translationField_->end(false);
    fieldFocused(translationField_, d.targetCharset, d.targetName);
    return;
  }
  if (code != commandClicked) return;
  switch (id) {
    case cmdDone:
      finish();
      return;
    case cmdAddWordsHelp:
      showHelp(uiTextCopy(textHelpFileName), uiTextCopy(textAddWordsHelpKey));
      return;
    case cmdCharsetOn:
    case cmdCharsetOff:
      charsetWindowOn_ = id == cmdCharsetOn;
      switchCharsetWindow(*this, charsetWindowOn_);
      return;
    default:
      return;
  }
}

void AddWordsWindow::paintClient(QPainter& painter) {
  painter.fillRect(0, 0, client()->width(), 1, QColor(224, 224, 224));
  drawUiText(painter, winRect(15, 166, 400, 210), loadUiText(textConfirmWithEnter),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, defaultFont_, QColor(30, 30, 230));
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
  QRect source = winRect(15, 10, 620, 65);
  drawShadowText(painter, source, directions.currentDirection->sourceName, flags, uiFonts.fontTextBold);
  QRect target = winRect(15, 80, 620, 114);
  drawShadowText(painter, target, directions.currentDirection->targetName, flags, uiFonts.fontTextBold);
  char counter[uiTextBufferSize + 16];
  std::snprintf(counter, sizeof counter, "%s : %d", loadUiText(textNewEntries), adding.newEntryCount);
  painter.fillRect(counterRect, client()->palette().window());
  drawUiText(painter, counterRect, counter, flags, uiFonts.fontControl, Qt::black);
}

void AddWordsWindow::changeEvent(QEvent* event) {
  ToolWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && focusField_) focusField_->setFocus();
}

}  // namespace zembo
