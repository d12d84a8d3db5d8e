#pragma once
// The search window (class "zoeken"): ten rows of the current direction's word file beside a
// search field. Every change of the search text moves the rows to the first word at or after it;
// the word file itself is the list.

#include <QLineEdit>
#include <QPointer>

#include "lookup/findwindow.h"
#include "lookup/wordrows.h"
#include "platform/qt/clipboardwatch.h"
#include "platform/qt/gnomeclipboard.h"
#include "resources/commands.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

class QMenu;

namespace zembo {

class ArticlePane;
class EntryField;

class SearchWindow : public ToolWindow {
  Q_OBJECT
 public:
  static constexpr int rows = 10;

  SearchWindow();
  ~SearchWindow() override;

  void command(int id, int code) override;
  void controlKey(int id, ControlKey key) override;
  void closeDown() override { finishSearch(); }
  CloseDownSorts sortsOnCloseDown() const override { return CloseDownSorts::currentFile; }
  void finishSearch();

  int topIndex() const { return rows_->topIndex(); }
  SearchField* searchField() const { return searchField_; }
  EntryField* wordField(int row) const { return wordFields_[row]; }
  EntryField* translationField(int row) const { return translationFields_[row]; }
  QScrollBar* scrollBar() const { return rows_->scrollBar(); }
  QMenu* recordMenu() const { return recordMenu_; }
  QMenu* deletedRecordMenu() const { return deletedRecordMenu_; }
  QLabel* noEntryNote() const { return rows_->noEntryNote(); }
  int fieldLookUps() const { return rows_->fieldLookUps(); }
  bool charsetWindowOn() const { return charsetWindowOn_; }
  ArticlePane* articlePane() const { return articlePane_; }
  FindWindow* findWindow() const { return findWindow_; }
  // Shows the entry that Find in entries found: headword (word-file bytes) of the current
  // language's forward direction (0) or its twin (1), switching to that direction first.
  void openFoundEntry(int direction, const std::string& headword);

  void focusSearchField();
  // A field of the window received the focus: the picker follows its language.
  void fieldFocused(QLineEdit* field, bool translationColumn);
  void showRows(int top) { rows_->showRows(top); }

 protected:
  void paintClient(QPainter& painter) override;
  void clientMousePress(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QMenu* makeRecordMenu(int firstItemText);
  void applyFonts();
  void showRecord(int row, const WordRecord* record);
  void switchSearchDirection(int menuId);
  void setClipboardSearch(bool on);
  void listenToToolkitClipboard();
  void clipboardChanged();
  void lookUpCopiedText(const QString& text);
  void openFindWindow();

  bool charsetWindowOn_ = false;
  QMenu* recordMenu_;
  QMenu* deletedRecordMenu_;
  UiFont sourceFont_, targetFont_;
  SearchField* searchField_;
  EntryField* wordFields_[rows];
  EntryField* translationFields_[rows];
  WordRows* rows_;
  ArticlePane* articlePane_;
  QPointer<FindWindow> findWindow_;
  QMetaObject::Connection clipboardViewer_;
  // On a native Wayland desktop with data-control: the child that hears every copy.
  ClipboardWatch* clipboardWatch_ = nullptr;
  // On GNOME as a native Wayland program, with zembo's extension enabled: what it tells of copies.
  GnomeClipboard* gnomeClipboard_ = nullptr;
};

}  // namespace zembo
