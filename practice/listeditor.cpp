#include "practice/listeditor.h"

#include <QApplication>
#include <QDateTime>

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "lookup/searchwindow.h"
#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "practice/addrandomwindow.h"
#include "practice/ankiexport.h"
#include "practice/listnamedialog.h"
#include "practice/lists.h"
#include "practice/printlist.h"
#include "practice/reviewdeck.h"
#include "resources/resourcetable.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/store.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {
ListEditorState listEditingState;  // the one mutable instance
}  // namespace
const ListEditorState& listEditing = listEditingState;

void setPrintListHook(void (*print)()) { listEditingState.printListHook = print; }
void setExportFileChooser(QString (*choose)(QWidget* owner, const QString& proposed, const QString& filter)) {
  listEditingState.chooseExportFile = choose;
}
void resetListEditorState() { listEditingState = {}; }

namespace {

int lastListTop() { return std::max(store.listCount - listRows, 0); }
int lastDictionaryTop() { return std::max(store.wordCount - dictionaryRows, 0); }

}  // namespace

ListEditor* openListEditor(QWidget* owner) {
  if (tools.toolWindowOpen) return nullptr;
  if (countNamedLists() == 0) {
    listNameDialog(owner);
    if (!store.practiceListName[0]) return nullptr;
  }
  markToolWindowOpen();
  auto* editor = new ListEditor;
  if (owner) owner->hide();
  return editor;
}

PaneBox::PaneBox(ZemboWindow* window, int id, QWidget* parent) : QLineEdit(parent), window_(window), id_(id) {
  setFocusPolicy(Qt::NoFocus);
  setTextMargins(0, 0, 0, 0);
  setReadOnly(true);
}

void PaneBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) window_->command(id_, boxPicked);
}

ListEditor::ListEditor() : ToolWindow(&ToolWindowState::makelistPos) {
  char title[400];
  std::snprintf(title, sizeof title, "%s (%s-%s)", uiTextCopy(textCreatePracticeListTitle).c_str(),
                directions.currentDirection->sourceName, directions.currentDirection->targetName);
  setWindowTitle(uiQString(title));
  setMenuResource(findMenu(std::string(uiLanguage.uiLanguageName) + "_list"));
  setOuterSize(835, 367);
  editorFont_ = createUiFont(11, 400, "Times New Roman", directions.currentDirection->sourceCharset);
  translationFont_ = createUiFont(10, 400, "Times New Roman", directions.currentDirection->targetCharset);

  for (int j = 0; j < listRows; ++j) {
    listBoxes_[j] = new PaneBox(this, firstListBox + j, client());
    listBoxes_[j]->setGeometry(35 + 120 * (j % 3), 86 + 33 * (j / 3), 120, 35);
  }
  for (int i = 0; i < dictionaryRows; ++i) {
    dictionaryBoxes_[i] = new PaneBox(this, firstDictionaryBox + i, client());
    dictionaryBoxes_[i]->setGeometry(425, 40 + 23 * i, 160, 25);
    // Right of the scroll bar, the translations of the word beside them.
    dictionaryTranslations_[i] = new QLabel(client());
    dictionaryTranslations_[i]->setGeometry(612, 40 + 23 * i, 200, 25);
    dictionaryTranslations_[i]->setFont(translationFont_.font);
    dictionaryTranslations_[i]->setTextFormat(Qt::PlainText);
    dictionaryTranslations_[i]->setStyleSheet("color: #404040");
  }
  for (PaneBox* box : listBoxes_) box->setFont(editorFont_.font);
  for (PaneBox* box : dictionaryBoxes_) box->setFont(editorFont_.font);
  listScrollBar_ = new QScrollBar(Qt::Vertical, client());
  listScrollBar_->setGeometry(15, 86, 20, 132);
  dictionaryScrollBar_ = new QScrollBar(Qt::Vertical, client());
  dictionaryScrollBar_->setGeometry(585, 40, 20, 230);
  for (QScrollBar* bar : {listScrollBar_, dictionaryScrollBar_}) {
    bar->setTracking(false);
    bar->setPageStep(1);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->setFocusPolicy(Qt::NoFocus);
  }
  connect(listScrollBar_, &QScrollBar::actionTriggered, this, &ListEditor::listScrollAction);
  connect(listScrollBar_, &QScrollBar::sliderReleased, this, [this] { moveList(listScrollBar_->sliderPosition()); });
  connect(dictionaryScrollBar_, &QScrollBar::actionTriggered, this, &ListEditor::dictionaryScrollAction);
  connect(dictionaryScrollBar_, &QScrollBar::sliderReleased, this,
          [this] { moveDictionary(10 * dictionaryScrollBar_->sliderPosition()); });
  searchField_ = new SearchField(this, client());
  searchField_->setGeometry(425, 305, 160, 25);
  searchField_->setFont(editorFont_.font);
  connect(searchField_, &QLineEdit::textChanged, this, &ListEditor::lookUp);

  addButton(cmdDone, uiTextCopy(textDone), QRect(275, 325, 100, 30));
  addButton(cmdAddAll, uiTextCopy(textAddAll), QRect(45, 285, 157, 30));
  addButton(cmdRemoveAll, uiTextCopy(textRemoveAll), QRect(218, 285, 157, 30));
  addButton(cmdAddRandom, uiTextCopy(textAddRandom), QRect(138, 325, 125, 30));
  addButton(cmdPrint, uiTextCopy(textPrint), QRect(45, 325, 80, 30));

  dictionaryScrollBar_->setRange(0, std::max(0, (store.wordCount - dictionaryRows) / 10));
  listEditingState.dictionaryTopIndex = listEditingState.dictionaryShownTopIndex = 0;
  markListModified(false);
  place();

  if (countNamedLists() > 0) {
    enableMenuItem(cmdDeleteCurrentList, true);
    if (!store.practiceListName[0]) selectFirstList();
    buildListsMenu();
  } else {
    enableMenuItem(cmdDeleteCurrentList, false);
  }
  reopenListFile();
  showDictionaryRows(0);
  showListEnd();
  show();
  focusSearchField();
}

ListEditor::~ListEditor() = default;

void ListEditor::closeDown() {
  if (addRandom_) addRandom_->close();
  if (lists.listModified) compactListFile();
  dropCardsOfLeftEntries();
}

void ListEditor::focusSearchField() { searchField_->setFocus(); }

void ListEditor::showListRows(int first) {
  first = std::max(first, 0);
  for (int i = 0; i < listRows; ++i) {
    if (i >= store.listCount) {
      listBoxes_[i]->clear();
      listBoxes_[i]->setToolTip({});
      continue;
    }
    WordRecord record;
    if (readListRecord(first + i, record) != 0) return;
    showListEntry(i, record);
  }
}

void ListEditor::showListEntry(int k, const WordRecord& record) {
  listBoxes_[k]->setText(record.flags ? uiQText(textDeleted) : toQString(wordOf(record), editorFont_.charset));
  listBoxes_[k]->setToolTip(record.flags ? QString() : toQString(translationOf(record), translationFont_.charset));
}

void ListEditor::showDictionaryRows(int first) {
  for (int i = 0; i < dictionaryRows; ++i) {
    WordRecord record;
    if (readWordRecord(first + i, record) != 0) return;
    dictionaryBoxes_[i]->setText(toQString(wordOf(record), editorFont_.charset));
    const QString translation = toQString(translationOf(record), translationFont_.charset);
    QLabel* label = dictionaryTranslations_[i];
    label->setText(label->fontMetrics().elidedText(translation, Qt::ElideRight, label->width()));
    label->setToolTip(translation);
  }
}

void ListEditor::showListEnd() {
  listEditingState.listTopIndex = listEditingState.listShownTopIndex = lastListTop();
  showListRows(listEditingState.listTopIndex);
  listScrollBar_->setRange(0, listEditingState.listTopIndex);
  listScrollBar_->setValue(listEditingState.listTopIndex);
  focusSearchField();
}

void ListEditor::moveDictionary(int top) {
  listEditingState.dictionaryTopIndex = std::clamp(top, 0, lastDictionaryTop());
  if (listEditingState.dictionaryTopIndex != listEditingState.dictionaryShownTopIndex) {
    showDictionaryRows(listEditingState.dictionaryTopIndex);
    listEditingState.dictionaryShownTopIndex = listEditingState.dictionaryTopIndex;
  }
  dictionaryScrollBar_->setValue(listEditingState.dictionaryShownTopIndex / 10);
}

void ListEditor::moveList(int top) {
  listEditingState.listTopIndex = std::clamp(top, 0, lastListTop());
  if (listEditingState.listTopIndex != listEditingState.listShownTopIndex) {
    showListRows(listEditingState.listTopIndex);
    listEditingState.listShownTopIndex = listEditingState.listTopIndex;
  }
  listScrollBar_->setValue(listEditingState.listShownTopIndex);
}

namespace {

// The move a scroll-bar action makes; line and page steps differ per pane, the thumb position is
// scaled by the caller.
int scrollDelta(int action, int page) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return -1;
    case QAbstractSlider::SliderSingleStepAdd:
      return 1;
    case QAbstractSlider::SliderPageStepSub:
      return -page;
    case QAbstractSlider::SliderPageStepAdd:
      return page;
    default:
      return 0;
  }
}

}  // namespace

void ListEditor::listScrollAction(int action) {
  if (action == QAbstractSlider::SliderMove) {
    if (!listScrollBar_->isSliderDown()) moveList(listScrollBar_->sliderPosition());
    return;
  }
  moveList(listEditingState.listTopIndex + scrollDelta(action, listRows));
}

void ListEditor::dictionaryScrollAction(int action) {
  if (action == QAbstractSlider::SliderMove) {
    if (!dictionaryScrollBar_->isSliderDown()) moveDictionary(10 * dictionaryScrollBar_->sliderPosition());
    return;
  }
  moveDictionary(listEditingState.dictionaryTopIndex + scrollDelta(action, 10));
}

void ListEditor::lookUp() {
  moveDictionary(findTypedWord(fromQString(searchField_->text().left(37), editorFont_.charset)));
}

void ListEditor::dictionaryPicked(int k) {
  WordRecord record;
  if (listEditing.dictionaryTopIndex + k < store.wordCount &&
      readWordRecord(listEditing.dictionaryTopIndex + k, record) == 0 && appendListRecord(record) == 0) {
    showListEnd();
  }
  focusSearchField();
}

void ListEditor::listPicked(int k) {
  const int i = listEditing.listTopIndex + k;
  WordRecord record;
  if (i < store.listCount && readListRecord(i, record) == 0) {
    record.flags = record.flags ? 0 : 1;
    showListEntry(k, record);
    writeListRecord(i, record);
    markListModified(true);
  }
  focusSearchField();
}

void ListEditor::exportList() {
  const QString proposed =
      QDir::home().filePath(uiQString(store.practiceListName[0] ? store.practiceListName : "list") + ".txt");
  const QString filter = uiQString(uiTextCopy(textTextFiles) + ";;" + uiTextCopy(textAllFiles));
  const QString chosen = listEditingState.chooseExportFile(this, proposed, filter);
  if (chosen.isEmpty()) return;
  if (!exportCurrentList(std::filesystem::path(chosen.toStdString()))) {
    const std::string text =
        uiTextCopy(textCannotWriteFile) + "\n" + chosen.toStdString() + "\n" + std::strerror(errno);
    messageBox(this, text, uiTextCopy(textExportList), MB_OK | MB_ICONWARNING);
  }
}

// The list as an Anki deck (.apkg) with its sounds: speech is rendered for every word without a
// recording, which takes a moment for a long list.
void ListEditor::exportAnkiDeck() {
  const QString proposed =
      QDir::home().filePath(uiQString(store.practiceListName[0] ? store.practiceListName : "list") + ".apkg");
  const QString filter = uiQString(uiTextCopy(textAnkiDecks) + ";;" + uiTextCopy(textAllFiles));
  const QString chosen = listEditingState.chooseExportFile(this, proposed, filter);
  if (chosen.isEmpty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::string error;
  const bool written = exportCurrentListAsAnkiDeck(std::filesystem::path(chosen.toStdString()),
                                                   QDateTime::currentMSecsSinceEpoch(), error);
  QApplication::restoreOverrideCursor();
  if (!written) {
    const std::string text = uiTextCopy(textCannotWriteFile) + "\n" + chosen.toStdString() + "\n" + error;
    messageBox(this, text, uiTextCopy(textExportList), MB_OK | MB_ICONWARNING | MB_UTF8);
  }
}

QString chooseExportFileInDialog(QWidget* owner, const QString& proposed, const QString& filter) {
  return QFileDialog::getSaveFileName(owner, uiQString(uiTextCopy(textExportList)), proposed, filter);
}

void ListEditor::controlKey(int id, ControlKey key) {
  if (id != idSearchField) return;
  switch (key) {
    case ControlKey::enter:
      searchField_->clear();
      break;
    case ControlKey::up:
      moveDictionary(listEditing.dictionaryTopIndex - 1);
      break;
    case ControlKey::down:
      moveDictionary(listEditing.dictionaryTopIndex + 1);
      break;
    default:
      break;
  }
}

void ListEditor::command(int id, int code) {
  if (code == boxPicked) {
    if (id >= firstListBox && id < firstListBox + listRows) listPicked(id - firstListBox);
    if (id >= firstDictionaryBox && id < firstDictionaryBox + dictionaryRows) dictionaryPicked(id - firstDictionaryBox);
    return;
  }
  if (code != commandClicked) return;
  switch (id) {
    case cmdDone:
      finish();
      return;
    case cmdAddAll:
      copyWordFileToList();
      showListEnd();
      return;
    case cmdRemoveAll:
      emptyListFile();
      showListEnd();
      return;
    case cmdAddRandom:
      openAddRandom();
      return;
    case cmdPrint:
      if (store.listCount > 0 && listEditingState.printListHook) listEditingState.printListHook();
      return;
    case cmdCreateNewList:
      createNewList();
      return;
    case cmdDeleteCurrentList:
      deleteList();
      return;
    case cmdExportList:
      exportList();
      return;
    case cmdExportAnkiDeck:
      exportAnkiDeck();
      return;
    default:
      if (id >= firstListId && id < firstListId + store.namedListCount) switchToList(id);
  }
}

void ListEditor::openAddRandom() {
  if (addRandom_) {
    addRandom_->raise();
    addRandom_->activateWindow();
    return;
  }
  addRandom_ = new AddRandomWindow(this);
}

QAction* ListEditor::listItem(int id) const {
  if (!listsMenu_) return nullptr;
  for (QAction* item : listsMenu_->actions())
    if (item->data().toInt() == id) return item;
  return nullptr;
}

void ListEditor::checkListItem(int id, bool checked) {
  if (QAction* item = listItem(id)) setMenuCheck(item, checked);
}

void ListEditor::addListItem(const std::string& name, int id) {
  QAction* item = listsMenu_->addAction(uiQString(name));
  item->setData(id);
  connect(item, &QAction::triggered, this, [this, id] { command(id, commandClicked); });
}

void ListEditor::buildListsMenu() {
  removeListsMenu();
  const std::vector<DirectoryEntry> entries = findFiles(uiTextCopy(textListFolder) + "\\*.*");
  if (entries.empty()) return;
  listsMenu_ = new QMenu(uiQText(textListsMenu), this);
  int id = firstListId, current = 0;
  for (const DirectoryEntry& entry : entries) {
    if (!entry.isDirectory || entry.name[0] == '.') continue;
    addListItem(entry.name, id);
    if (equalNoCase(entry.name, store.practiceListName)) current = id;
    ++id;
  }
  const QList<QAction*> popups = menuBar()->actions();
  menuBar()->insertMenu(popups.size() > 1 ? popups[1] : nullptr, listsMenu_);
  if (current) {
    checkListItem(current, true);
    setListId(current);
  }
}

void ListEditor::removeListsMenu() {
  if (!listsMenu_) return;
  menuBar()->removeAction(listsMenu_->menuAction());
  delete listsMenu_;
  listsMenu_ = nullptr;
}

void ListEditor::listChanged() {
  showListEnd();
  client()->update(QRect(23, 68, 385, 17));
}

void ListEditor::switchToList(int id) {
  QAction* item = listItem(id);
  if (!item) return;
  checkListItem(lists.listId, false);
  checkListItem(id, true);
  setListId(id);
  setPracticeListName(fromUiQString(item->text()).substr(0, maxListNameLength));
  reopenListFile();
  listChanged();
}

void ListEditor::createNewList() {
  const std::string before = store.practiceListName;
  listNameDialog(this);
  if (equalNoCase(before, store.practiceListName)) return;
  // A name that differs from an existing list's only in case is that list: it is switched to,
  // not listed twice.
  if (listsMenu_)
    for (QAction* item : listsMenu_->actions())
      if (equalNoCase(fromUiQString(item->text()), store.practiceListName)) {
        switchToList(item->data().toInt());
        return;
      }
  if (!listsMenu_) {
    buildListsMenu();
  } else {
    const int id = firstListId + store.namedListCount;
    addListItem(store.practiceListName, id);
    checkListItem(lists.listId, false);
    checkListItem(id, true);
    setListId(id);
  }
  countNamedLists();
  enableMenuItem(cmdDeleteCurrentList, store.namedListCount > 0);
  reopenListFile();
  listChanged();
}

void ListEditor::deleteList() {
  if (store.namedListCount <= 1) {
    messageBox(this, loadUiText(textKeepOneList), uiTextCopy(textDeleteList), MB_OK);
    return;
  }
  const std::string question =
      uiTextCopy(textSureToDelete) + " " + store.practiceListName + uiTextCopy(textQuestionMark);
  if (messageBox(this, question, uiTextCopy(textDeleteList), MB_YESNO | MB_ICONWARNING) != IDYES) return;
  deleteCurrentList(this);
  removeListsMenu();
  if (store.namedListCount > 0) buildListsMenu();
  listChanged();
}

void ListEditor::paintClient(QPainter& painter) {
  const QRect area = client()->rect();
  painter.fillRect(0, 0, area.width(), 1, QColor(224, 224, 224));
  painter.fillRect(406, 5, 5, area.height() - 5, QColor(0, 128, 0));
  const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  drawUiText(painter, winRect(425, 332, 604, 360), loadUiText(textSearch), wrap, uiFonts.fontSmall, Qt::black);
  drawUiText(painter, winRect(425, 7, 604, 40), loadUiText(textAddWordsToList), wrap, uiFonts.fontSmall, Qt::black);
  drawUiText(painter, winRect(425, 272, 604, 320), loadUiText(textClickToAdd), wrap, uiFonts.fontSmall, Qt::black);
  QRect remove = winRect(35, 230, 400, 290);
  drawShadowText(painter, remove, loadUiText(textClickToRemove), wrap, uiFonts.fontText);
  QRect heading = winRect(0, 10, 408, 80);
  drawShadowText(painter, heading, loadUiText(textPracticeListHeading),
                 Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, uiFonts.fontLarge);
  drawUiText(painter, winRect(23, 68, 408, 85), store.practiceListName,
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, uiFonts.fontSmall, Qt::black);
}

void ListEditor::changeEvent(QEvent* event) {
  ToolWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) focusSearchField();
}

}  // namespace zembo
