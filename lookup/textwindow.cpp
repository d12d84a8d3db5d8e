#include "lookup/textwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <algorithm>
#include <new>

#include "resources/uitextrows.h"
#include "windowkit/helpwindow.h"
#include "windowkit/qttext.h"
#include "platform/codepage.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "store/sort.h"
#include "store/store.h"

namespace zembo {

TextFileChooser chooseTextFile = runOpenTextFileDialog;
QString textFileName;

bool isWordDelimiter(unsigned char byte) {
  return byte <= 0x26 || (byte >= 0x28 && byte <= 0x2C) || (byte >= 0x2E && byte <= 0x40) ||
         (byte >= 0x5B && byte <= 0x60);
}

std::string wordAtCaret(std::string_view text, std::size_t caret) {
  if (caret >= text.size()) return {};
  std::size_t start = caret;
  while (start > 0 && !isWordDelimiter(text[start])) --start;
  if (isWordDelimiter(text[start])) ++start;
  std::size_t end = caret;
  while (end < text.size() && !isWordDelimiter(text[end])) ++end;
  if (end <= start) return {};
  return std::string(text.substr(start, std::min(end - start, maxCaretWord)));
}

QString textForField(std::string_view bytes, int charset) {
  const CodePageTable& table = codePageTable(codePageOfCharset(charset));
  QString shown(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = shown.data();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    char16_t c = table[byte];
    // A CR LF pair is one line end: the CR keeps its position but takes no room. A NUL would end
    // the field's text.
    if (byte == '\r') c = i + 1 < bytes.size() && bytes[i + 1] == '\n' ? u'\u200B' : u'\n';
    if (byte == 0) c = u' ';
    out[i] = QChar(c);
  }
  return shown;
}

void prepareOpenTextFileDialog(QFileDialog& dialog, const QString& proposed) {
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setOption(QFileDialog::ReadOnly);
  dialog.setNameFilters({"Text Files (*.txt *.TXT)", "All Files (*)"});
  dialog.setDefaultSuffix("txt");
  if (proposed.isEmpty()) {
    dialog.setDirectory(QDir::homePath());
  } else {
    dialog.setDirectory(QFileInfo(proposed).absolutePath());
    dialog.selectFile(proposed);
  }
}

QString runOpenTextFileDialog(QWidget* owner, const QString& proposed) {
  QFileDialog dialog(owner);
  prepareOpenTextFileDialog(dialog, proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void resetTextWindowState() {
  chooseTextFile = runOpenTextFileDialog;
  textFileName.clear();
}

TextWindow::TextWindow() : ToolWindow(tools.translatePos) {
  setWindowTitle(uiQText(textSearchTextFile));
  setMenuResource(findMenu(std::string(uiLanguage.uiLanguageName) + "_readfile"));
  setOuterSize(630, 362);
  makeColumnFonts(sourceFont_, targetFont_);

  textField_ = new QPlainTextEdit(client());
  textField_->setGeometry(20, 115, 586, 180);
  textField_->setReadOnly(true);
  // Read-only hides the caret, yet the caret is what a user points at the word with.
  textField_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  textField_->setLineWrapMode(QPlainTextEdit::NoWrap);
  textField_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  textField_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  textField_->setContextMenuPolicy(Qt::NoContextMenu);
  textField_->installEventFilter(this);
  textField_->viewport()->installEventFilter(this);

  addButton(cmdDone, uiTextCopy(textDone), QRect(505, 300, 100, 30));
  addButton(cmdTextFileHelp, uiTextCopy(textHelp), QRect(400, 300, 100, 30));
  searchField_ = new SearchField(this, client());
  searchField_->setGeometry(20, 300, 215, 25);
  searchField_->installEventFilter(this);
  for (int i = 0; i < rows; ++i) {
    wordFields_[i] = new QLineEdit(client());
    wordFields_[i]->setGeometry(20, 40 + 23 * i, 215, 25);
    translationFields_[i] = new QLineEdit(client());
    translationFields_[i]->setGeometry(255, 40 + 23 * i, 350, 25);
    wordFields_[i]->setTextMargins(0, 0, 0, 0);
    translationFields_[i]->setTextMargins(0, 0, 0, 0);
  }
  rows_ = new WordRows(client(), rows, rows, QRect(235, 40, 20, 69),
                       [this](int row, const WordRecord* record) { showRecord(row, record); });
  applyFonts();

  // The window only reads the word file: a sort still owed (after a failed re-sort of the add-words
  // window) stays owed, or the lookups that follow would bisect past the added words.
  searchField_->setFocus();
  rows_->followSearchField(searchField_);
  rows_->showFromTop();
  place();
  show();
}

void TextWindow::applyFonts() {
  textField_->setFont(sourceFont_.font);
  searchField_->setFont(sourceFont_.font);
  for (int i = 0; i < rows; ++i) {
    wordFields_[i]->setFont(sourceFont_.font);
    translationFields_[i]->setFont(targetFont_.font);
  }
}

void TextWindow::showRecord(int row, const WordRecord* record) {
  // Deleted records show what they hold: this window only reads the word file.
  wordFields_[row]->setText(record ? toQString(wordOf(*record), directions.currentDirection->sourceCharset) : QString());
  translationFields_[row]->setText(record ? toQString(translationOf(*record), directions.currentDirection->targetCharset)
                                          : QString());
}

void TextWindow::command(int id, int code) {
  if (id == idSearchField && rows_->searchFieldKey(code, searchField_)) return;
  switch (id) {
    case idTextField:
      if (code == fieldKeyNotification) lookUpCaretWord();
      return;
    case cmdOpenTextFile: openTextFile(); return;
    case cmdPasteText: pasteText(); return;
    case cmdTextFileHelp:
      if (code == commandClicked) showHelp(uiTextCopy(textHelpFileName), uiTextCopy(textTextFileHelpKey));
      return;
    case cmdDone:
      if (code == commandClicked) finish();
      return;
    default:
      if (id >= firstLanguageId && id < firstLanguageId + directions.directionCount) switchTextDirection(id);
  }
}

void TextWindow::openTextFile() {
  const QString chosen = chooseTextFile(this, textFileName);
  if (chosen.isEmpty()) return;
  textFileName = chosen;
  QFile file(chosen);
  if (!file.open(QIODevice::ReadOnly)) return;
  loadedText_.clear();
  loadedText_.shrink_to_fit();
  textLoaded_ = false;
  try {
    loadedText_.resize(static_cast<std::size_t>(file.size()));
  } catch (const std::bad_alloc&) {
    return;  // the old text stays in sight, but clicks find nothing until a text loads
  }
  const qint64 got = file.read(loadedText_.data(), static_cast<qint64>(loadedText_.size()));
  loadedText_.resize(static_cast<std::size_t>(std::max<qint64>(got, 0)));
  textLoaded_ = true;
  showLoadedText();
}

void TextWindow::pasteText() {
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  if (!clip || !clip->hasText()) return;
  loadedText_ = fromQString(clip->text(), directions.currentDirection->sourceCharset);
  textLoaded_ = true;
  showLoadedText();
}

void TextWindow::showLoadedText() {
  textField_->setPlainText(textForField(loadedText_, directions.currentDirection->sourceCharset));
  // Also when the window is not yet active again after the Open dialog: its activation then
  // brings the focus here, not back to the search field.
  textWindowFocus_ = textField_;
  textField_->setFocus();
}

void TextWindow::lookUpCaretWord() {
  if (!textLoaded_) return;
  const int caret = textField_->textCursor().selectionStart();
  const std::string word = wordAtCaret(loadedText_, static_cast<std::size_t>(caret));
  if (word.empty() || word == lastCaretWord_) return;
  const QString text = toQString(word, directions.currentDirection->sourceCharset);
  // The field may hold the word already (from before a direction switch): setting it again
  // would change nothing and look nothing up.
  if (searchField_->text() == text)
    rows_->lookUp(text, directions.currentDirection->sourceCharset);
  else
    searchField_->setText(text);
  lastCaretWord_ = word;
}

bool TextWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool inText = watched == textField_ || watched == textField_->viewport();
  if (inText && (event->type() == QEvent::KeyRelease ||
                 (event->type() == QEvent::MouseButtonRelease &&
                  static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton))) {
    // The field moves the caret on the press; the word is taken on the release.
    command(idTextField, fieldKeyNotification);
  }
  if (event->type() == QEvent::FocusIn && (watched == textField_ || watched == searchField_))
    textWindowFocus_ = static_cast<QWidget*>(watched);
  return ToolWindow::eventFilter(watched, event);
}

void TextWindow::changeEvent(QEvent* event) {
  ToolWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && textWindowFocus_) textWindowFocus_->setFocus();
}

void TextWindow::switchTextDirection(int menuId) {
  switchDirection(menuId);
  makeColumnFonts(sourceFont_, targetFont_);
  applyFonts();
  client()->update();
  rows_->restart();
  // The next click looks its word up in the new direction, even the word of the last click.
  lastCaretWord_.clear();
}

void TextWindow::paintClient(QPainter& painter) { paintLookupHeadings(painter, client()->width()); }

void TextWindow::clientMousePress(QMouseEvent* event) {
  if (event->button() == Qt::RightButton && tools.toolHost)
    tools.toolHost->popupLanguageMenu(this, event->globalPosition().toPoint());
}

}  // namespace zembo
