#pragma once
// The search window (class "zoeken"): ten rows of the current direction's word file beside a
// search field. Every change of the search text moves the rows to the first word at or after it;
// the word file itself is the list.

#include <QLineEdit>

#include "platform/qt/clipboardwatch.h"
#include "resources/commands.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

class QMenu;
class QScrollBar;

namespace zembo {

class EntryField;

// Control ids and commands of the search window.
// The notification of a key that a field's handler reports, with the key in the upper 16 bits.
constexpr int fieldKeyNotification = 0x601;
constexpr int VK_RETURN = 0x0D, VK_UP = 0x26, VK_DOWN = 0x28;

// A search field: Enter, Up and Down go to its window; typing stops when the field is full.
class SearchField : public QLineEdit {
 public:
  SearchField(ZemboWindow* window, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  ZemboWindow* window_;
};

class SearchWindow : public ToolWindow {
  Q_OBJECT
 public:
  static constexpr int rows = 10;

  SearchWindow();
  ~SearchWindow() override;

  void command(int id, int code) override;
  void closeDown() override { finishSearch(); }
  void finishSearch();

  int topIndex() const { return topIndex_; }
  SearchField* searchField() const { return searchField_; }
  EntryField* wordField(int row) const { return wordFields_[row]; }
  EntryField* translationField(int row) const { return translationFields_[row]; }
  QScrollBar* scrollBar() const { return scrollBar_; }
  QMenu* recordMenu() const { return recordMenu_; }
  QMenu* deletedRecordMenu() const { return deletedRecordMenu_; }
  bool charsetWindowOn() const { return charsetWindowOn_; }

  void focusSearchField();
  // A field of the window received the focus: the picker follows its language.
  void fieldFocused(QLineEdit* field, bool translationColumn);
  void showRows(int top);

 protected:
  void paintClient(QPainter& painter) override;
  void clientMousePress(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QMenu* makeRecordMenu(int firstItemText);
  void makeFonts();
  void applyFonts();
  void lookUp();
  void moveView(int newTop);  // clamped as the keys and the scroll bar clamp
  void showIfChanged();
  void resetScrollRange();
  void scrollAction(int action);
  void switchSearchDirection(int menuId);
  void reopenCharsetWindow();
  void setClipboardSearch(bool on);
  void listenToToolkitClipboard();
  void clipboardChanged();
  void lookUpCopiedText(const QString& text);

  int topIndex_ = 0;
  int shownTopIndex_ = 0;
  bool charsetWindowOn_ = false;
  QMenu* recordMenu_;
  QMenu* deletedRecordMenu_;
  UiFont sourceFont_, targetFont_;
  SearchField* searchField_;
  EntryField* wordFields_[rows];
  EntryField* translationFields_[rows];
  QScrollBar* scrollBar_;
  QMetaObject::Connection clipboardViewer_;
  // On a native Wayland desktop with data-control: the child that hears every copy.
  ClipboardWatch* clipboardWatch_ = nullptr;
};

}  // namespace zembo
