#pragma once
// The rows of a look-up window: a few records of the current direction's word file from topIndex
// on, beside a scroll bar whose unit is ten records. The search field's text moves the rows to the
// first word at or after it; its Enter, Up and Down keys and the scroll bar move them too. The
// search window and the text-file window differ only in the row count, the page step and how a
// row shows its record.

#include <QLineEdit>
#include <QObject>
#include <QRect>
#include <QString>
#include <functional>

#include "formats/wordrecord.h"
#include "windowkit/uifont.h"
#include "windowkit/zembowindow.h"

class QLabel;
class QPainter;
class QScrollBar;
class QWidget;

namespace zembo {

// A search field: Enter, Up and Down go to its window as controlKey(idSearchField, key); typing
// stops when the field is full. Its window hears when it receives the focus, as it hears of the
// row fields, so that the focus can come back to it.
class SearchField : public QLineEdit {
 public:
  SearchField(ZemboWindow* window, QWidget* parent);
  void whenFocused(std::function<void()> onFocus) { onFocus_ = std::move(onFocus); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  ZemboWindow* window_;
  std::function<void()> onFocus_;
};

// A row field takes the focus from a left press only: a right press opens a menu, after which
// typing goes on where it went before.
class RowField : public QLineEdit {
 public:
  explicit RowField(QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class WordRows : public QObject {
 public:
  // Shows a record in a row; a null record empties the row.
  using ShowRecord = std::function<void(int row, const WordRecord* record)>;

  WordRows(QWidget* client, int rowCount, int pageStep, const QRect& scrollBarGeometry, ShowRecord showRecord);

  int topIndex() const { return topIndex_; }
  QScrollBar* scrollBar() const { return scrollBar_; }
  QLabel* noEntryNote() const { return noEntryNote_; }

  // Fills the rows from record top on; rows past the end of the file stay as they are.
  void showRows(int top);
  // A key of the search field: Enter empties it, Up and Down move the rows by one record.
  void searchFieldKey(ControlKey key, QLineEdit* searchField);
  // Every change of the field's text looks the text up.
  void followSearchField(QLineEdit* searchField);
  // The result of a whole-word lookup (a copied word, a word of a text): the field shows form and
  // the rows show the index found, without looking form up again. When form is no headword, a
  // note under the rows says so, so that a learner reads the rows as the word's neighbours; the
  // next change of the field or the direction takes the note away.
  void showWholeWord(QLineEdit* searchField, const QString& form, int index, bool found);
  // Hears the index of the word each move aimed at: the word found (which stands lower than the
  // top row among the last rows of the file), or the top row when the rows were scrolled.
  void followMoves(std::function<void(int index)> follower) { follower_ = std::move(follower); }
  // How often the rows looked the search field's text up in the word file.
  int fieldLookUps() const { return fieldLookUps_; }
  // The first rows of the word file, as a window opens.
  void showFromTop();
  // Back to the top of the word file, for a new one: rows emptied and refilled, scroll range anew.
  void restart();
  void resetScrollRange();

 private:
  void moveView(int newTop);  // clamped so that the last rows stay full
  // Looks the search text up and shows the rows from the word found.
  void lookUp(const QString& searchText, int charset);
  void showIfChanged();
  void tellFollower(int index);
  void scrollAction(int action);
  int lastTop() const;

  int rowCount_;
  int pageStep_;
  ShowRecord showRecord_;
  std::function<void(int index)> follower_;
  int topIndex_ = 0;
  int shownTopIndex_ = 0;
  int fieldLookUps_ = 0;
  QScrollBar* scrollBar_;
  QLabel* noEntryNote_;
};

// The fonts of the two columns: the current direction's source and target character sets.
void makeColumnFonts(UiFont& source, UiFont& target);

// What a look-up window paints: the grey top line, the two language names over the columns and
// "Search" under the search field.
void paintLookupHeadings(QPainter& painter, int clientWidth);

}  // namespace zembo
