#pragma once
// The list editor (class "lijst"): on the right the word file, ten words at a time, following a
// search field; a click on a word appends it to the current practice list. On the left the list,
// twelve entries at a time; a click marks an entry deleted or takes the mark away, and marked
// entries are dropped when the editor closes. Its menu creates, deletes and switches lists.
// Beside each word of the word file stand its translations, and an entry of the list names its
// translations when the pointer rests on it, so that a learner sees what a card will ask.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "formats/wordrecord.h"
#include "practice/addrandomwindow.h"
#include "practice/printlist.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

class QMenu;
class QScrollBar;

namespace zembo {

class SearchField;

// Asks where to export the list to in a save dialog showing the given file filter; empty when
// cancelled.
QString chooseExportFileInDialog(QWidget* owner, const QString& proposed, const QString& filter);

struct ListEditorState {
  void (*printListHook)() = printList;  // what Print runs: printList, which tests replace
  // Where Export list writes: the file dialog's choice, which tests replace.
  QString (*chooseExportFile)(QWidget* owner, const QString& proposed,
                              const QString& filter) = chooseExportFileInDialog;
  int listTopIndex = 0, listShownTopIndex = 0;
  int dictionaryTopIndex = 0, dictionaryShownTopIndex = 0;
};
extern const ListEditorState& listEditing;
// What Print runs from now on.
void setPrintListHook(void (*print)());
// What Export list asks with from now on.
void setExportFileChooser(QString (*choose)(QWidget* owner, const QString& proposed, const QString& filter));
// The real print and file dialog, both panes at their top, as at process start.
void resetListEditorState();

// Opens the editor from the main window, through the list-name dialog when no list exists yet;
// nullptr when no list was named or a tool is already open.
class ListEditor;
ListEditor* openListEditor(QWidget* mainWindow);

// A box of either pane: a left press picks its entry, a right press does nothing, and it never
// takes the focus, which stays in the search field.
class PaneBox : public QLineEdit {
 public:
  PaneBox(ZemboWindow* window, int id, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent*) override {}
  void contextMenuEvent(QContextMenuEvent*) override {}

 private:
  ZemboWindow* window_;
  int id_;
};

constexpr int listRows = 12, dictionaryRows = 10;
constexpr int boxPicked = 0x100;  // the command code of a pressed pane box

class ListEditor : public ToolWindow {
  Q_OBJECT
 public:
  ListEditor();
  ~ListEditor() override;

  void command(int id, int code) override;
  void controlKey(int id, ControlKey key) override;
  void closeDown() override;

  PaneBox* listBox(int k) const { return listBoxes_[k]; }
  PaneBox* dictionaryBox(int k) const { return dictionaryBoxes_[k]; }
  QLabel* dictionaryTranslation(int k) const { return dictionaryTranslations_[k]; }
  SearchField* searchField() const { return searchField_; }
  QScrollBar* listScrollBar() const { return listScrollBar_; }
  QScrollBar* dictionaryScrollBar() const { return dictionaryScrollBar_; }
  QMenu* listsMenu() const { return listsMenu_; }
  AddRandomWindow* addRandomWindow() const { return addRandom_; }

  void showListRows(int first);
  void showListEntry(int k, const WordRecord& record);
  void showDictionaryRows(int first);
  void showListEnd();
  void focusSearchField();

 protected:
  void paintClient(QPainter& painter) override;
  void changeEvent(QEvent* event) override;

 private:
  void buildListsMenu();
  void addListItem(const std::string& name, int id);
  void removeListsMenu();
  void checkListItem(int id, bool checked);
  QAction* listItem(int id) const;
  void switchToList(int id);
  void createNewList();
  void deleteList();
  void exportList();
  void exportAnkiDeck();
  void openAddRandom();
  void dictionaryPicked(int k);
  void listPicked(int k);
  void moveDictionary(int top);
  void moveList(int top);
  void listScrollAction(int action);
  void dictionaryScrollAction(int action);
  void lookUp();
  void listChanged();

  UiFont editorFont_, translationFont_;
  PaneBox* listBoxes_[listRows];
  PaneBox* dictionaryBoxes_[dictionaryRows];
  QLabel* dictionaryTranslations_[dictionaryRows];
  QScrollBar* listScrollBar_;
  QScrollBar* dictionaryScrollBar_;
  SearchField* searchField_;
  QMenu* listsMenu_ = nullptr;
  QPointer<AddRandomWindow> addRandom_;
};

}  // namespace zembo
