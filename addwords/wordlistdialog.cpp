#include "addwords/wordlistdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

#include "directions/directions.h"
#include "platform/codepage.h"
#include "platform/messagebox.h"
#include "practice/lists.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/barwindow.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

constexpr int previewRows = 8;
constexpr int columnsLookedAt = 200;  // rows whose width sets the columns offered
constexpr int maxColumns = 40;
constexpr int barFromRows = 2000;  // a shorter list is imported before a window could show

QString utf8Text(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

int columnCountOf(const WordTable& table) {
  std::size_t widest = std::max<std::size_t>(2, table.columnNames.size());
  for (std::size_t i = 0; i < table.rows.size() && i < columnsLookedAt; ++i)
    widest = std::max(widest, table.rows[i].size());
  return static_cast<int>(std::min<std::size_t>(widest, maxColumns));
}

}  // namespace

WordListDialog::WordListDialog(QWidget* owner, const WordTable& table, const std::string& listName)
    : QDialog(owner),
      table_(table),
      columnCount_(columnCountOf(table)),
      wordColumn_(new QComboBox),
      translationColumn_(new QComboBox),
      headerRow_(new QCheckBox(uiQText(textHeaderRow))),
      encoding_(new QComboBox),
      listField_(new QLineEdit(uiQString(listName))),
      preview_(new QTableWidget) {
  setWindowTitle(uiQText(textImportWordList));
  const PairChoice suggested = suggestedChoice(table, codePageOfCharset(directions.currentDirection->sourceCharset));
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  preview_->setMinimumSize(560, 230);
  listField_->setMaxLength(static_cast<int>(maxListNameLength));
  headerRow_->setChecked(suggested.headerRow);
  fillEncodings(suggested);
  fillColumns(suggested.wordColumn, suggested.translationColumn);
  auto* form = new QFormLayout;
  form->addRow(uiQText(textWordColumn), wordColumn_);
  form->addRow(uiQText(textTranslationColumn), translationColumn_);
  form->addRow(QString(), headerRow_);
  form->addRow(uiQText(textTextEncoding), encoding_);
  form->addRow(uiQText(textIntoList), listField_);
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(uiQText(textOk), QDialogButtonBox::AcceptRole);
  buttons->addButton(uiQText(textCancel), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &WordListDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(preview_);
  layout->addLayout(form);
  layout->addWidget(buttons);
  for (QComboBox* box : {wordColumn_, translationColumn_, encoding_})
    connect(box, &QComboBox::currentIndexChanged, this, [this] { showPreview(); });
  connect(headerRow_, &QCheckBox::toggled, this,
          [this] { fillColumns(choice().wordColumn, choice().translationColumn); });
  showPreview();
}

void WordListDialog::fillEncodings(const PairChoice& suggested) {
  encoding_->addItem("UTF-8", 0);
  const DictionaryDirection& d = *directions.currentDirection;
  for (const int page : {codePageOfCharset(d.sourceCharset), codePageOfCharset(d.targetCharset)})
    if (encoding_->findData(page) < 0) encoding_->addItem(QString("Windows-%1").arg(page), page);
  encoding_->setCurrentIndex(std::max(0, encoding_->findData(suggested.codePage)));
  // A deck's notes are UTF-8 whatever the language.
  encoding_->setEnabled(!table_.html);
}

// The columns' names: the file's, the header row's, or "Column n".
void WordListDialog::fillColumns(int wordColumn, int translationColumn) {
  const QSignalBlocker blockWord(wordColumn_);
  const QSignalBlocker blockTranslation(translationColumn_);
  wordColumn_->clear();
  translationColumn_->clear();
  const std::vector<std::string>* header = !table_.columnNames.empty()                       ? &table_.columnNames
                                           : headerRow_->isChecked() && !table_.rows.empty() ? &table_.rows[0]
                                                                                             : nullptr;
  for (int n = 0; n < columnCount_; ++n) {
    QString name = uiQText(textColumnNumber).arg(n + 1);
    if (header && std::size_t(n) < header->size()) {
      const std::string text = plainField(table_, (*header)[std::size_t(n)], encoding_->currentData().toInt(), false);
      if (!text.empty()) name = utf8Text(text);
    }
    wordColumn_->addItem(name);
    translationColumn_->addItem(name);
  }
  wordColumn_->setCurrentIndex(std::clamp(wordColumn, 0, columnCount_ - 1));
  translationColumn_->setCurrentIndex(std::clamp(translationColumn, 0, columnCount_ - 1));
  showPreview();
}

PairChoice WordListDialog::choice() const {
  PairChoice chosen;
  chosen.wordColumn = wordColumn_->currentIndex();
  chosen.translationColumn = translationColumn_->currentIndex();
  chosen.headerRow = headerRow_->isChecked();
  chosen.codePage = encoding_->currentData().toInt();
  return chosen;
}

std::string WordListDialog::listName() const { return fromUiQString(listField_->text()); }

// The first rows as they will be read, the chosen columns in front.
void WordListDialog::showPreview() {
  const PairChoice chosen = choice();
  const int first = chosen.headerRow ? 1 : 0;
  const int rows = std::clamp(static_cast<int>(table_.rows.size()) - first, 0, previewRows);
  preview_->clear();
  preview_->setRowCount(rows);
  preview_->setColumnCount(columnCount_);
  QStringList names;
  for (int n = 0; n < columnCount_; ++n) names << wordColumn_->itemText(n);
  preview_->setHorizontalHeaderLabels(names);
  for (int r = 0; r < rows; ++r) {
    const std::vector<std::string>& row = table_.rows[std::size_t(first) + std::size_t(r)];
    for (int c = 0; c < columnCount_ && std::size_t(c) < row.size(); ++c) {
      auto* cell = new QTableWidgetItem(utf8Text(plainField(table_, row[std::size_t(c)], chosen.codePage, false)));
      if (c == chosen.wordColumn || c == chosen.translationColumn) {
        QFont bold = cell->font();
        bold.setBold(true);
        cell->setFont(bold);
      }
      preview_->setItem(r, c, cell);
    }
  }
  preview_->resizeColumnsToContents();
}

void WordListDialog::accept() {
  const std::string name = listName();
  switch (checkListName(name)) {
    case ListNameCheck::blank:
      return;
    case ListNameCheck::reservedCharacter:
      messageBox(this, loadUiText(textReservedCharacters), uiTextCopy(textImportWordList), MB_OK | MB_ICONWARNING);
      return;
    case ListNameCheck::controlCharacter:
      messageBox(this, controlCharacterWarning, uiTextCopy(textImportWordList), MB_OK | MB_ICONWARNING);
      return;
    case ListNameCheck::accepted:
      break;
  }
  if (wordColumn_->currentIndex() == translationColumn_->currentIndex()) return;
  QDialog::accept();
}

namespace {

QString faultText(const WordTable& table) {
  switch (table.fault) {
    case ReadFault::notText:
      return uiQText(textListNotText);
    case ReadFault::openQuote:
      return uiQText(textListOpenQuote).arg(table.faultLine);
    case ReadFault::tooLarge:
      return uiQText(textListTooLarge);
    case ReadFault::notZip:
      return uiQText(textNotAnkiPackage);
    case ReadFault::noCollection:
      return uiQText(textNoAnkiCollection);
    case ReadFault::tooBig:
      return uiQText(textAnkiTooBig);
    case ReadFault::damaged:
      return uiQText(textAnkiDamaged);
    case ReadFault::unreadable:
    case ReadFault::none:
      break;
  }
  return uiQText(textListUnreadable);
}

bool holdsPairs(const WordTable& table) {
  return std::any_of(table.rows.begin(), table.rows.end(), [](const auto& row) { return row.size() >= 2; });
}

void warn(QWidget* owner, const QString& text) {
  messageBox(owner, fromUiQString(text), uiTextCopy(textImportWordList), MB_OK | MB_ICONWARNING);
}

ImportCounts importUnderBar(const QString& file, const WordTable& table, const PairChoice& choice) {
  std::unique_ptr<BarWindow> bar;
  if (table.rows.size() >= barFromRows) {
    bar =
        std::make_unique<BarWindow>(textImportWordList, fromUiQString(QFileInfo(file).fileName()), textImportingWords);
    bar->waitUntilOnScreen();
  }
  return importPairs(table, choice, [&](int done, int total) {
    if (bar && total > 0) bar->showProgress(static_cast<int>(std::int64_t(done) * 100 / total));
  });
}

}  // namespace

bool importWordList(QWidget* owner) {
  const QString filter = uiQText(textWordListFiles) + ";;" + uiQText(textAllFiles);
  const QString file = QFileDialog::getOpenFileName(owner, uiQText(textImportWordList), QDir::homePath(), filter);
  if (file.isEmpty()) return false;
  const WordTable table = readWordTable(std::filesystem::path(file.toStdString()));
  const QString cannot = uiQText(textCannotImportList) + "\n\n";
  if (table.fault != ReadFault::none) {
    warn(owner, cannot + faultText(table));
    return false;
  }
  if (!holdsPairs(table)) {
    warn(owner, cannot + uiQText(textNoPairs));
    return false;
  }
  WordListDialog dialog(owner, table, freeListName(fromUiQString(QFileInfo(file).completeBaseName())));
  if (dialog.exec() != QDialog::Accepted) return false;
  makeListCurrent(dialog.listName());
  const ImportCounts counts = importUnderBar(file, table, dialog.choice());
  if (counts.notWritten) {
    const std::string text = uiTextCopy(textCannotWriteFile) + "\n" + wordFilePath() + "\n" + std::strerror(errno);
    messageBox(owner, text, uiTextCopy(textImportWordList), MB_OK | MB_ICONWARNING);
  }
  // One pass, so that a list name holding "%3" stays as it is.
  const QString summary =
      uiQText(textWordListSummary)
          .arg(QString::number(counts.added), QString::number(counts.alreadyThere), QString::number(counts.tooLong),
               QString::number(counts.outsideCodePage), QString::number(counts.leftOut),
               uiQString(store.practiceListName), QString::number(store.listCount));
  messageBox(owner, fromUiQString(summary), uiTextCopy(textImportWordList), MB_OK | MB_ICONINFORMATION);
  return counts.added + counts.alreadyThere > 0;
}

}  // namespace zembo
