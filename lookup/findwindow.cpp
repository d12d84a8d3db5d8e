#include "lookup/findwindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

#include "lookup/entrysearch.h"
#include "platform/codepage.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "windowkit/barwindow.h"
#include "windowkit/qttext.h"
#include "windowkit/uifont.h"

namespace zembo {

namespace {

// The directions of the current language: its forward one and its twin.
void languageDirections(const DictionaryDirection* (&both)[2]) {
  both[0] = directions.currentDirection ? forwardOf(directions.currentDirection) : nullptr;
  both[1] = both[0] ? twinOf(both[0]) : nullptr;
}

QStringList columnHeadings() {
  QStringList headings = uiQText(textFindColumns).split('|');
  while (headings.size() < 3) headings << QString();
  return headings;
}

}  // namespace

FindWindow::FindWindow(QWidget* owner, EntryOpener opener) : QWidget(owner, Qt::Window), opener_(std::move(opener)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(uiQText(textFindInEntries));
  auto* layout = new QVBoxLayout(this);
  auto* hint = new QLabel(uiQText(textFindHint), this);
  field_ = new QLineEdit(this);
  field_->setClearButtonEnabled(true);
  hint->setBuddy(field_);
  status_ = new QLabel(this);
  results_ = new QTreeWidget(this);
  results_->setColumnCount(3);
  results_->setHeaderLabels(columnHeadings());
  results_->setRootIsDecorated(false);
  results_->setUniformRowHeights(true);
  results_->setAllColumnsShowFocus(true);
  results_->header()->setStretchLastSection(false);
  results_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  results_->setColumnWidth(0, 180);
  results_->setColumnWidth(2, 150);
  for (QWidget* w : std::initializer_list<QWidget*>{hint, field_, status_, results_}) layout->addWidget(w);
  resize(620, 420);
  connect(field_, &QLineEdit::textChanged, this, [this] { search(); });
  connect(field_, &QLineEdit::returnPressed, this, [this] {
    if (results_->topLevelItemCount() == 0) return;
    if (!results_->currentItem()) results_->setCurrentItem(results_->topLevelItem(0));
    openRow();
  });
  connect(results_, &QTreeWidget::itemActivated, this, [this] { openRow(); });
  field_->setFocus();
}

FindWindow::~FindWindow() { closeWordFiles(); }

void FindWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  // Down from the field goes to the rows, as from a search field with a list under it.
  if (event->key() == Qt::Key_Down && field_->hasFocus() && results_->topLevelItemCount() > 0) {
    results_->setFocus();
    if (!results_->currentItem()) results_->setCurrentItem(results_->topLevelItem(0));
    return;
  }
  QWidget::keyPressEvent(event);
}

bool FindWindow::prepare() {
  if (!entrySearchNeedsPreparing()) return true;
  std::unique_ptr<BarWindow> bar;
  const auto progress = [&](int percent) {
    if (!bar) {
      const DictionaryDirection* both[2];
      languageDirections(both);
      bar = std::make_unique<BarWindow>(textFindInEntries, both[0] ? both[0]->sourceName : "", textFindIndexing);
      // The keys typed meanwhile stay the field's, which takes them when the indexing ends.
      bar->setAttribute(Qt::WA_ShowWithoutActivating);
      bar->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
      bar->show();
      bar->waitUntilOnScreen();
    }
    bar->showProgress(percent);
  };
  std::string error;
  const bool prepared = prepareEntrySearch(progress, error);
  bar.reset();
  if (!prepared && !error.empty()) {
    messageBox(this, toUtf8(uiTextCopy(textFindCannotIndex), uiCodePage()) + "\n" + error,
               toUtf8(uiTextCopy(textFindInEntries), uiCodePage()), MB_OK | MB_ICONWARNING | MB_UTF8);
  }
  openWordFiles();  // the files may have changed as well
  return prepared;
}

void FindWindow::openWordFiles() {
  closeWordFiles();
  const DictionaryDirection* both[2];
  languageDirections(both);
  for (int k = 0; k < 2; ++k) {
    if (!both[k]) continue;
    if (openWordFile(files_[k], *both[k], store.collation) != 0) files_[k] = WordFile{};
  }
  filesOf_ = entrySearch.wordFile;
}

void FindWindow::closeWordFiles() {
  for (WordFile& file : files_) closeWordFile(file);
}

std::string FindWindow::firstTranslation(int direction, const std::string& headword) const {
  WordRecord read;
  // The current direction's file as the store has it: a word added or changed in this window lies
  // behind its sorted part until the window closes.
  const WordFile& file = store.direction == files_[direction].direction ? store : files_[direction];
  if (file.wordFile < 0) return {};
  const int sorted = file.needsSort ? std::min(file.sortedCount, file.wordCount) : file.wordCount;
  const auto holds = [&](int index) {
    return readWordRecord(file, index, read) == 0 && !isDeleted(read) && wordOf(read) == headword;
  };
  // The records of a word collate alike; the first spelled exactly as the entry is its own.
  for (int index = findWord(file, headword, sorted); index < sorted; ++index) {
    if (holds(index)) return std::string(translationOf(read));
    if (compareWords(file.collation, wordOf(read), headword) != 0) break;
  }
  for (int index = sorted; index < file.wordCount; ++index)
    if (holds(index)) return std::string(translationOf(read));
  return {};
}

void FindWindow::search() {
  // Keys typed while the indexes are made reach the field meanwhile (the progress window's
  // painting hands the window system's events on): their search runs once the first one ends.
  if (searching_) {
    searchAgain_ = true;
    return;
  }
  searching_ = true;
  do {
    searchAgain_ = false;
    searchOnce();
  } while (searchAgain_);
  searching_ = false;
}

void FindWindow::searchOnce() {
  results_->clear();
  const std::string typed = field_->text().toStdString();
  if (field_->text().trimmed().isEmpty()) {
    status_->clear();
    return;
  }
  if (!prepare()) {
    status_->clear();
    return;
  }
  if (filesOf_ != entrySearch.wordFile) openWordFiles();
  const std::vector<FoundEntry> found = findInEntries(typed, shownEntries);
  const DictionaryDirection* both[2];
  languageDirections(both);
  std::size_t whole = 0;
  QList<QTreeWidgetItem*> rows;
  for (const FoundEntry& entry : found) {
    const DictionaryDirection* d = both[entry.direction == 1 ? 1 : 0];
    if (!d) continue;
    const std::string translation = firstTranslation(entry.direction == 1 ? 1 : 0, entry.headword);
    auto* row = new QTreeWidgetItem(QStringList{toQString(entry.headword, d->sourceCharset),
                                                toQString(translation, d->targetCharset),
                                                uiQString(std::string(d->sourceName) + " - " + d->targetName)});
    row->setData(0, Qt::UserRole, entry.direction);
    row->setData(0, Qt::UserRole + 1, QByteArray::fromStdString(entry.headword));
    if (entry.missing > 0)
      for (int c = 0; c < 3; ++c) row->setForeground(c, QColor(128, 128, 128));
    else
      ++whole;
    rows << row;
  }
  results_->addTopLevelItems(rows);
  if (found.empty())
    status_->setText(uiQText(textFindNone));
  else if (whole == 0)
    status_->setText(uiQText(textFindSome));
  else
    status_->setText(uiQText(textFindCount).replace("%1", QString::number(whole) + (whole == shownEntries ? "+" : "")));
}

void FindWindow::openRow() {
  const QTreeWidgetItem* row = results_->currentItem();
  if (!row || !opener_) return;
  opener_(row->data(0, Qt::UserRole).toInt(), row->data(0, Qt::UserRole + 1).toByteArray().toStdString());
}

}  // namespace zembo
