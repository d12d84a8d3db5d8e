#pragma once
// The main window's "Import word list...": a file chosen, read, shown in a dialog where a user
// picks the word and translation columns, the header row, the encoding and the practice list,
// then imported under a progress window and summed up.

#include <QDialog>
#include <string>

#include "addwords/wordlistimport.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;

namespace zembo {

class WordListDialog : public QDialog {
 public:
  WordListDialog(QWidget* owner, const WordTable& table, const std::string& listName);

  PairChoice choice() const;
  std::string listName() const;  // in the edition's code page

  QComboBox* wordColumn() const { return wordColumn_; }
  QComboBox* translationColumn() const { return translationColumn_; }
  QCheckBox* headerRow() const { return headerRow_; }
  QComboBox* encoding() const { return encoding_; }
  QLineEdit* listField() const { return listField_; }
  QTableWidget* preview() const { return preview_; }

  // OK: a list name a folder can take, and two different columns.
  void accept() override;

 private:
  void fillEncodings(const PairChoice& suggested);
  void fillColumns(int wordColumn, int translationColumn);
  void showPreview();

  const WordTable& table_;
  int columnCount_ = 2;
  QComboBox* wordColumn_;
  QComboBox* translationColumn_;
  QCheckBox* headerRow_;
  QComboBox* encoding_;
  QLineEdit* listField_;
  QTableWidget* preview_;
};

// Asks for a word list and imports it into the current direction and a new practice list. True
// when words were imported.
bool importWordList(QWidget* owner);

}  // namespace zembo
