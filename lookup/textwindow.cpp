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
#include <QStringDecoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <new>

#include "lookup/articlepane.h"
#include "morphology/morphology.h"
#include "platform/codepage.h"
#include "platform/messagebox.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/sort.h"
#include "store/store.h"
#include "windowkit/helpwindow.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {
TextWindowState textFilesState;  // the one mutable instance
}  // namespace
const TextWindowState& textFiles = textFilesState;

namespace {

// A text of ours, English in every edition.
constexpr const char* notAFileText = "\n\nis not a file, so it cannot be opened as a text.";

// A text in UTF-8 that holds more than ASCII (as nearly every text file on this desktop does)
// becomes the language's code page, as pasted text does; any other text stays as its bytes are.
std::string inCodePage(std::string bytes, int charset) {
  if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return bytes;
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return utf8.hasError() ? bytes : fromQString(text, charset);
}

enum class FileRead { whole, cannotOpen, notAFile, noMemory };

// Only a regular file is read: a FIFO would wait for a writer for ever, a device might never end.
FileRead readRegularFile(const QString& name, std::string& bytes) {
  const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENXIO ? FileRead::notAFile : FileRead::cannotOpen;
  struct stat st {};
  FileRead result = FileRead::whole;
  if (::fstat(fd, &st) != 0) {
    result = FileRead::cannotOpen;
  } else if (!S_ISREG(st.st_mode)) {
    result = FileRead::notAFile;
  } else {
    try {
      bytes.resize(static_cast<std::size_t>(st.st_size));
      std::size_t got = 0;
      for (ssize_t n; got < bytes.size() && (n = ::read(fd, bytes.data() + got, bytes.size() - got)) > 0;)
        got += static_cast<std::size_t>(n);
      bytes.resize(got);
    } catch (const std::bad_alloc&) {
      result = FileRead::noMemory;
    }
  }
  ::close(fd);
  return result;
}

}  // namespace

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

QString textForField(std::string_view bytes, int charset, std::vector<int>* crlfEnds) {
  const CodePageTable& table = codePageTable(codePageOfCharset(charset));
  QString shown(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = shown.data();
  int n = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    // A CR LF pair is one line end, shown as its LF alone. A NUL would end the field's text.
    if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      if (crlfEnds) crlfEnds->push_back(n);
      continue;
    }
    out[n++] = QChar(byte == '\r' ? u'\n' : byte == 0 ? u' ' : table[byte]);
  }
  shown.truncate(n);
  return shown;
}

std::size_t byteAtFieldPosition(const std::vector<int>& crlfEnds, int position) {
  const auto before = std::lower_bound(crlfEnds.begin(), crlfEnds.end(), position) - crlfEnds.begin();
  return static_cast<std::size_t>(position) + static_cast<std::size_t>(before);
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

void setTextFileChooser(TextFileChooser chooser) { textFilesState.chooseTextFile = chooser; }

void resetTextWindowState() { textFilesState = {}; }

TextWindow::TextWindow() : ToolWindow(&ToolWindowState::translatePos) {
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
    wordFields_[i] = new RowField(client());
    wordFields_[i]->setGeometry(20, 40 + 23 * i, 215, 25);
    translationFields_[i] = new RowField(client());
    translationFields_[i]->setGeometry(255, 40 + 23 * i, 350, 25);
  }
  rows_ = new WordRows(client(), rows, rows, QRect(235, 40, 20, 69),
                       [this](int row, const WordRecord* record) { showRecord(row, record); });
  articlePane_ = new ArticlePane(this, 630, 362);
  articlePane_->openArticles();
  // The pane shows the word each keystroke found, or the top row after a scroll.
  rows_->followMoves([this](int index) { articlePane_->showIndex(index); });
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
  wordFields_[row]->setText(record ? toQString(wordOf(*record), directions.currentDirection->sourceCharset)
                                   : QString());
  translationFields_[row]->setText(
      record ? toQString(translationOf(*record), directions.currentDirection->targetCharset) : QString());
}

void TextWindow::controlKey(int id, ControlKey key) {
  if (id == idSearchField) rows_->searchFieldKey(key, searchField_);
}

void TextWindow::command(int id, int code) {
  switch (id) {
    case cmdOpenTextFile:
      openTextFile();
      return;
    case cmdPasteText:
      pasteText();
      return;
    case cmdArticlePaneOn:
    case cmdArticlePaneOff:
      articlePane_->command(id);
      return;
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
  const QString chosen = textFilesState.chooseTextFile(this, textFilesState.textFileName);
  if (chosen.isEmpty()) return;
  textFilesState.textFileName = chosen;
  std::string bytes;
  switch (readRegularFile(chosen, bytes)) {
    case FileRead::cannotOpen:
      return;
    case FileRead::notAFile:
      messageBox(this, fromUiQString(QDir::toNativeSeparators(chosen)) + notAFileText, uiTextCopy(textSearchTextFile),
                 MB_OK | MB_ICONWARNING);
      return;
    case FileRead::noMemory:
      // The old text stays in sight, but clicks find nothing until a text loads.
      loadedText_.clear();
      loadedText_.shrink_to_fit();
      textLoaded_ = false;
      return;
    case FileRead::whole:
      break;
  }
  loadedText_ = inCodePage(std::move(bytes), directions.currentDirection->sourceCharset);
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
  crlfEnds_.clear();
  textField_->setPlainText(textForField(loadedText_, directions.currentDirection->sourceCharset, &crlfEnds_));
  // Also when the window is not yet active again after the Open dialog: its activation then
  // brings the focus here, not back to the search field.
  textWindowFocus_ = textField_;
  textField_->setFocus();
}

void TextWindow::lookUpCaretWord() {
  if (!textLoaded_) return;
  const int caret = textField_->textCursor().selectionStart();
  const std::string word = wordAtCaret(loadedText_, byteAtFieldPosition(crlfEnds_, caret));
  if (word.empty() || word == lastCaretWord_) return;
  // A word as it stands in the text may be an inflected form, or stand in quotes ("„Männer“"):
  // the field then shows the dictionary form that was found, without them, so that a user sees
  // what was looked up.
  std::string form;
  bool found = false;
  const int index = findWordOfText(word, form, found);
  if (!form.empty())
    rows_->showWholeWord(searchField_, toQString(form, directions.currentDirection->sourceCharset), index, found);
  lastCaretWord_ = word;
}

bool TextWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool inText = watched == textField_ || watched == textField_->viewport();
  if (inText &&
      (event->type() == QEvent::KeyRelease ||
       (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton))) {
    // The field moves the caret on the press; the word is taken on the release.
    lookUpCaretWord();
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
  articlePane_->followDirection();
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
