#include "lookup/searchwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>

#include <algorithm>

#include "lookup/articlepane.h"
#include "lookup/charsetwindow.h"
#include "lookup/entryfield.h"
#include "lookup/entrysearch.h"
#include "lookup/findwindow.h"
#include "morphology/morphology.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/sort.h"
#include "store/store.h"
#include "windowkit/qttext.h"
#include "windowkit/sortingwindow.h"

namespace zembo {

SearchWindow::SearchWindow() : ToolWindow(&ToolWindowState::searchPos) {
  setWindowTitle(uiQText(textSearchWords));
  setMenuResource(findMenu(std::string(uiLanguage.uiLanguageName) + "_zoeken"));
  setOuterSize(630, 362);
  recordMenu_ = makeRecordMenu(85);
  deletedRecordMenu_ = makeRecordMenu(86);
  charsetWindowOn_ = false;
  makeColumnFonts(sourceFont_, targetFont_);
  setCharsetLanguage(directions.currentDirection->sourceCharset, directions.currentDirection->sourceName);

  addButton(cmdDone, uiTextCopy(textDone), QRect(505, 300, 100, 30));
  searchField_ = new SearchField(this, client());
  searchField_->setGeometry(20, 300, 215, 25);
  for (int i = 0; i < rows; ++i) {
    wordFields_[i] = new EntryField(this, i, false);
    wordFields_[i]->setGeometry(20, 40 + 23 * i, 215, 25);
    translationFields_[i] = new EntryField(this, i, true);
    translationFields_[i]->setGeometry(255, 40 + 23 * i, 350, 25);
  }
  rows_ = new WordRows(client(), rows, 10, QRect(235, 40, 20, 230),
                       [this](int row, const WordRecord* record) { showRecord(row, record); });
  articlePane_ = new ArticlePane(this, 630, 362);
  articlePane_->openArticles();
  // The pane shows the word each keystroke found, or the top row after a scroll.
  rows_->followMoves([this](int index) { articlePane_->showIndex(index); });
  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] { openFindWindow(); });
  applyFonts();

  // needsSort is not cleared: a sort that failed when the add-words window closed is still owed,
  // and this window's close tries it again.
  setCharsetReceiver(searchField_);
  searchField_->whenFocused([this] { fieldFocused(searchField_, false); });
  searchField_->setFocus();
  rows_->followSearchField(searchField_);
  rows_->showFromTop();
  place();
  checkMenuItem(cmdClipboardOn, tools.clipboardSearchOn);
  checkMenuItem(cmdClipboardOff, !tools.clipboardSearchOn);
  if (tools.clipboardSearchOn) setClipboardSearch(true);
  checkMenuItem(cmdCharsetOn, false);
  checkMenuItem(cmdCharsetOff, true);
  show();
  setCharsetOwner(this);
}

SearchWindow::~SearchWindow() { disconnect(clipboardViewer_); }

QMenu* SearchWindow::makeRecordMenu(int firstItemText) {
  auto* menu = new QMenu(this);
  const int items[][2] = {{cmdDeleteRecord, firstItemText}, {cmdCopy, 88}, {cmdPaste, 89}, {cmdPlay, 90}};
  for (const auto& item : items) menu->addAction(uiQText(item[1]))->setData(item[0]);
  return menu;
}

void SearchWindow::applyFonts() {
  searchField_->setFont(sourceFont_.font);
  for (int i = 0; i < rows; ++i) {
    wordFields_[i]->setFont(sourceFont_.font);
    translationFields_[i]->setFont(targetFont_.font);
  }
}

void SearchWindow::focusSearchField() {
  // Also while the window is inactive (a sorting window or a message box in front of it): the
  // focus that its activation gives back then goes here.
  fieldFocused(searchField_, false);
  searchField_->setFocus();
}

void SearchWindow::showRecord(int row, const WordRecord* record) {
  if (!record) {
    wordFields_[row]->clear();
    translationFields_[row]->clear();
  } else if (record->flags == 1) {
    wordFields_[row]->showDeleted();
    translationFields_[row]->showDeleted();
  } else {
    wordFields_[row]->showBytes(wordOf(*record));
    translationFields_[row]->showBytes(translationOf(*record));
  }
}

void SearchWindow::controlKey(int id, ControlKey key) {
  if (id == idSearchField) rows_->searchFieldKey(key, searchField_);
}

void SearchWindow::command(int id, int code) {
  switch (id) {
    case cmdDone:
      if (code == commandClicked) finish();
      return;
    case cmdCharsetOn:
    case cmdCharsetOff:
      charsetWindowOn_ = id == cmdCharsetOn;
      switchCharsetWindow(*this, charsetWindowOn_);
      return;
    case cmdClipboardOn:
      if (!tools.clipboardSearchOn) setClipboardSearch(true);
      return;
    case cmdClipboardOff:
      if (tools.clipboardSearchOn) setClipboardSearch(false);
      return;
    case cmdArticlePaneOn:
    case cmdArticlePaneOff:
      articlePane_->command(id);
      return;
    case cmdFindInEntries:
      openFindWindow();
      return;
    default:
      if (id >= firstLanguageId && id < firstLanguageId + directions.directionCount) switchSearchDirection(id);
  }
}

void SearchWindow::fieldFocused(QLineEdit* field, bool translationColumn) {
  setCharsetReceiver(field);
  // A row a user clicks into shows its word's entry.
  for (int i = 0; i < rows; ++i)
    if (field == wordFields_[i] || field == translationFields_[i]) articlePane_->showIndex(rows_->topIndex() + i);
  const DictionaryDirection& d = *directions.currentDirection;
  const int code = translationColumn ? d.targetCharset : d.sourceCharset;
  // Only the character set decides: with the same one on both sides the picker stays as it is.
  if (charsets.charsetCode == code) return;
  setCharsetLanguage(code, translationColumn ? d.targetName : d.sourceName);
  if (charsetWindowOn_) reopenCharsetWindow();
}

void SearchWindow::setClipboardSearch(bool on) {
  setClipboardSearchOn(on);
  checkMenuItem(cmdClipboardOn, on);
  checkMenuItem(cmdClipboardOff, !on);
  disconnect(clipboardViewer_);
  if (clipboardWatch_) clipboardWatch_->stop();
  if (gnomeClipboard_) gnomeClipboard_->stop();
  if (!on) return;
  if (!ClipboardWatch::possible()) {
    // Under X11 the toolkit hears every copy itself; the extension would only repeat them.
    if (QGuiApplication::platformName() == "wayland" && GnomeClipboard::available()) {
      if (!gnomeClipboard_) {
        gnomeClipboard_ = new GnomeClipboard(this);
        connect(gnomeClipboard_, &GnomeClipboard::copied, this, &SearchWindow::lookUpCopiedText);
      }
      gnomeClipboard_->start();
      if (gnomeClipboard_->running()) return;
    }
    listenToToolkitClipboard();
    return;
  }
  if (!clipboardWatch_) {
    clipboardWatch_ = new ClipboardWatch(this);
    connect(clipboardWatch_, &ClipboardWatch::copied, this, &SearchWindow::lookUpCopiedText);
    // Without the watcher the toolkit still hears copies when the window gets the focus back.
    connect(clipboardWatch_, &ClipboardWatch::failed, this, [this] {
      if (tools.clipboardSearchOn) listenToToolkitClipboard();
    });
  }
  clipboardWatch_->start();
}

void SearchWindow::listenToToolkitClipboard() {
  disconnect(clipboardViewer_);
  clipboardViewer_ =
      connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &SearchWindow::clipboardChanged);
}

void SearchWindow::clipboardChanged() {
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  if (clip && clip->hasText()) lookUpCopiedText(clip->text());
}

void SearchWindow::lookUpCopiedText(const QString& text) {
  // Text copied in this window itself is not looked up. A minimised window copies nothing, though
  // the toolkit may hear that it lost the focus only after a copy made at once elsewhere.
  if (isActiveWindow() && !isMinimized()) return;
  const int charset = directions.currentDirection->sourceCharset;
  // A copied word is whole: the punctuation and quotes copied with it go, and an inflected form
  // that is no headword is looked up as its dictionary form, which the field then shows.
  std::string form;
  bool found = false;
  const int index = findWordOfText(fromQString(text, charset), form, found);
  if (form.empty()) return;  // nothing but blanks and punctuation
  rows_->showWholeWord(searchField_, toQString(form, charset), index, found);
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
  // On GNOME without Xwayland only the shell may bring the window forward.
  if (gnomeClipboard_ && gnomeClipboard_->running()) GnomeClipboard::present(windowTitle());
}

void SearchWindow::openFindWindow() {
  if (!findWindow_) {
    findWindow_ = new FindWindow(
        this, [this](int direction, const std::string& headword) { openFoundEntry(direction, headword); });
    // Beside the search window where the screen has room, else over its right side.
    const QRect screen = this->screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const int x = std::min(frame.right() + 8, screen.right() - findWindow_->frameGeometry().width());
    findWindow_->move(std::max(screen.left(), x), std::max(screen.top(), frame.top()));
  }
  findWindow_->show();
  findWindow_->raise();
  findWindow_->activateWindow();
  findWindow_->field()->setFocus();
}

void SearchWindow::openFoundEntry(int direction, const std::string& headword) {
  if (!directions.currentDirection) return;
  const DictionaryDirection* forward = forwardOf(directions.currentDirection);
  const DictionaryDirection* wanted = direction == 1 ? twinOf(forward) : forward;
  if (!wanted) return;
  if (wanted != directions.currentDirection) switchSearchDirection(wanted->menuId);
  const int index = findTypedWord(headword);
  WordRecord record;
  const bool found = readWordRecord(index, record) == 0 && wordOf(record) == headword;
  rows_->showWholeWord(searchField_, toQString(headword, directions.currentDirection->sourceCharset), index, found);
  raise();
  activateWindow();
}

void SearchWindow::switchSearchDirection(int menuId) {
  settleOwedSorts(runUnderSortingWindow);
  switchDirection(menuId);
  makeColumnFonts(sourceFont_, targetFont_);
  setCharsetLanguage(directions.currentDirection->sourceCharset, directions.currentDirection->sourceName);
  applyFonts();
  focusSearchField();
  if (charsetWindowOn_) reopenCharsetWindow();
  client()->update();
  articlePane_->followDirection();
  rows_->restart();
  // Another language: its entries are searched for the same words.
  if (findWindow_ && entrySearch.wordFile != wordFilePath(*forwardOf(directions.currentDirection)))
    findWindow_->search();
}

void SearchWindow::finishSearch() {
  // The window is going: the focus that returns to it must not bring the picker back.
  charsetWindowOn_ = false;
  if (charsets.charsetWindow) closeCharsetWindow();
  settleOwedSorts(runUnderSortingWindow);
}

void SearchWindow::paintClient(QPainter& painter) { paintLookupHeadings(painter, client()->width()); }

void SearchWindow::clientMousePress(QMouseEvent* event) {
  if (event->button() == Qt::RightButton && tools.toolHost)
    tools.toolHost->popupLanguageMenu(this, event->globalPosition().toPoint());
}

void SearchWindow::changeEvent(QEvent* event) {
  ToolWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && charsets.charsetReceiver)
    charsets.charsetReceiver->setFocus();
}

}  // namespace zembo
