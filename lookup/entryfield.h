#pragma once
// The twenty row fields of the search window. Each works on the record its row shows: edit its
// word or translation and store it with Enter, delete or restore it, copy and paste, and play the
// pronunciation of the word or of each translation; a right click opens a menu of these.

#include <string>

#include "lookup/wordrows.h"
#include "resources/commands.h"

namespace zembo {

class SearchWindow;

// Menu command ids of the row fields' pop-up menus.
class EntryField : public RowField {
 public:
  EntryField(SearchWindow* window, int row, bool translationColumn);

  int row() const { return row_; }
  bool isTranslationColumn() const { return translationColumn_; }
  // The character set of the words this column shows, and their language.
  int charset() const;
  std::string language() const;
  // The field's text as bytes, at most maxBytes of them.
  std::string textBytes(std::size_t maxBytes) const;
  void showBytes(std::string_view bytes);
  void showDeleted();

  // The handler's commands and keys.
  void command(int id);
  void storeOnEnter();
  void openMenu(const QPoint& at);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  // The index of the row's record, or -1 when the row shows none.
  int recordIndex() const;
  void play();
  void copy();
  void paste();
  void deleteOrRestore();
  bool hasSound() const;
  // Writes record as record index; when that fails, says so and shows the stored rows.
  bool writeOrShowStored(int index, const WordRecord& record);

  SearchWindow* window_;
  int row_;
  bool translationColumn_;
};

}  // namespace zembo
