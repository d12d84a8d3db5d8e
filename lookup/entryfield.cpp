#include "lookup/entryfield.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include "directions/directions.h"
#include "lookup/searchwindow.h"
#include "lookup/soundfiles.h"
#include "platform/messagebox.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/sort.h"
#include "store/store.h"
#include "windowkit/onelinefield.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

constexpr std::size_t playLength = 50;  // the text taken for Play, Copy and the Play check

}  // namespace

EntryField::EntryField(SearchWindow* window, int row, bool translationColumn)
    : RowField(window->client()), window_(window), row_(row), translationColumn_(translationColumn) {
  // The row's own menu is the only one: the standard edit menu would follow it and take the next click.
  setContextMenuPolicy(Qt::PreventContextMenu);
  keepFieldOnOneLine(this);
}

int EntryField::charset() const {
  return translationColumn_ ? directions.currentDirection->targetCharset : directions.currentDirection->sourceCharset;
}

std::string EntryField::language() const {
  return translationColumn_ ? directions.currentDirection->targetName : directions.currentDirection->sourceName;
}

std::string EntryField::textBytes(std::size_t maxBytes) const {
  std::string bytes = fromQString(text(), charset());
  if (bytes.size() > maxBytes) bytes.resize(maxBytes);
  return bytes;
}

void EntryField::showBytes(std::string_view bytes) { setText(toQString(bytes, charset())); }

void EntryField::showDeleted() { setText(uiQText(textDeleted)); }

int EntryField::recordIndex() const {
  const int index = window_->topIndex() + row_;
  return index >= 0 && index < store.wordCount ? index : -1;
}

void EntryField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    storeOnEnter();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void EntryField::mousePressEvent(QMouseEvent* event) {
  // The press is not passed on, so the field's own context menu never opens.
  if (event->button() == Qt::RightButton) {
    openMenu(event->position().toPoint());
    return;
  }
  RowField::mousePressEvent(event);
}

void EntryField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  window_->fieldFocused(this, translationColumn_);
}

void EntryField::storeOnEnter() {
  const int index = recordIndex();
  // A row without a record stores nothing: no record is ever written at or past the count.
  WordRecord record;
  if (index < 0 || readWordRecord(index, record) != 0) {
    QApplication::beep();
    window_->focusSearchField();
    return;
  }
  const std::int16_t flags = record.flags;
  const std::string word = window_->wordField(row_)->textBytes(30);
  const std::string translation = window_->translationField(row_)->textBytes(50);
  WordRecord edited = record;
  setField(edited.word, sizeof edited.word, word);
  setField(edited.translation, sizeof edited.translation, translation);
  const bool stored = !(translationColumn_ ? translation : word).empty() && flags != 1;
  if (stored && !writeOrShowStored(index, edited)) {
    window_->focusSearchField();
    return;
  }
  if (stored) {
    if (!translationColumn_) markUnsorted();  // a changed word may stand out of order
  } else {
    QApplication::beep();
    if (flags == 1)
      showDeleted();
    else
      showBytes(translationColumn_ ? translationOf(record) : wordOf(record));  // the stored text again
  }
  window_->focusSearchField();
}

bool EntryField::hasSound() const {
  const std::string text = textBytes(playLength);
  if (!translationColumn_) return canBeHeard(language(), text, charset());
  for (const std::string& token : translationTokens(text))
    if (canBeHeard(language(), token, charset())) return true;
  return false;
}

void EntryField::openMenu(const QPoint& at) {
  const int index = recordIndex();
  WordRecord record;
  const bool deleted = index >= 0 && readWordRecord(index, record) == 0 && record.flags != 0;
  const bool sound = hasSound();
  for (QMenu* menu : {window_->recordMenu(), window_->deletedRecordMenu()})
    for (QAction* item : menu->actions()) {
      if (item->data().toInt() == cmdPlay) item->setEnabled(sound);
      if (item->data().toInt() == cmdDeleteRecord) item->setEnabled(index >= 0);
    }
  QMenu* menu = deleted ? window_->deletedRecordMenu() : window_->recordMenu();
  if (QAction* chosen = menu->exec(mapToGlobal(at - QPoint(0, 10)))) command(chosen->data().toInt());
}

void EntryField::command(int id) {
  switch (id) {
    case cmdPlay:
      play();
      break;
    case cmdCopy:
      copy();
      break;
    case cmdPaste:
      paste();
      break;
    case cmdDeleteRecord:
      deleteOrRestore();
      break;
    default:
      break;
  }
}

void EntryField::play() {
  const std::string text = textBytes(playLength);
  if (!translationColumn_) {
    playSound(language(), text, charset());
    return;
  }
  // Each translation in turn; one that can be neither played nor spoken is passed over silently.
  for (const std::string& token : translationTokens(text)) playSound(language(), token, charset());
}

void EntryField::copy() { QApplication::clipboard()->setText(text().left(static_cast<int>(playLength))); }

void EntryField::paste() {
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  if (!clip || !clip->hasText()) return;
  // Only shown: the record changes when Enter is pressed in the row. The field keeps the first line.
  setText(clip->text());
}

void EntryField::deleteOrRestore() {
  const int index = recordIndex();
  WordRecord record;
  if (index < 0 || readWordRecord(index, record) != 0) return;
  EntryField* word = window_->wordField(row_);
  EntryField* translation = window_->translationField(row_);
  if (record.flags != 0) {
    record.flags = 0;
    word->showBytes(wordOf(record));
    translation->showBytes(translationOf(record));
  } else {
    record.flags = 1;
    word->showDeleted();
    translation->showDeleted();
  }
  if (writeOrShowStored(index, record)) markUnsorted();
  window_->focusSearchField();
}

bool EntryField::writeOrShowStored(int index, const WordRecord& record) {
  if (writeWordRecord(index, record) == 0) return true;
  messageBox(window_, "The change could not be saved.", uiTextCopy(textError), MB_OK | MB_ICONWARNING);
  // The row goes back to what the file holds, so that it never shows an edit that was lost.
  window_->showRows(window_->topIndex());
  return false;
}

}  // namespace zembo
