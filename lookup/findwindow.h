#pragma once
// The window of "Find in entries", which the search window's Find menu opens: a field for words
// of a translation, a note or an example, and the entries of the current language that hold them,
// best first, each with its first translation and its direction. Entries that hold only some of
// the words come last, in grey. A row opened (double click, Enter) shows its word in the search
// window. Every change of the field searches again.

#include <QWidget>

#include <functional>
#include <string>

#include "store/store.h"

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace zembo {

class FindWindow : public QWidget {
  Q_OBJECT
 public:
  // Shows the entry of headword (word-file bytes) in direction (0 the language's forward word
  // file, 1 its reverse one).
  using EntryOpener = std::function<void(int direction, const std::string& headword)>;
  static constexpr std::size_t shownEntries = 200;

  FindWindow(QWidget* owner, EntryOpener opener);
  ~FindWindow() override;

  QLineEdit* field() const { return field_; }
  QTreeWidget* results() const { return results_; }
  QLabel* status() const { return status_; }
  // Searches for what the field holds, first bringing the language's indexes up to date.
  void search();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void searchOnce();
  bool prepare();
  void openWordFiles();
  void closeWordFiles();
  // The translation of the entry's first record, or nothing when its word file has none.
  std::string firstTranslation(int direction, const std::string& headword) const;
  void openRow();

  EntryOpener opener_;
  QLineEdit* field_;
  QLabel* status_;
  QTreeWidget* results_;
  // Both word files of the language searched, for the rows' translations.
  WordFile files_[2];
  std::string filesOf_;  // the forward word file they belong to (the program's path)
  bool searching_ = false, searchAgain_ = false;
};

}  // namespace zembo
