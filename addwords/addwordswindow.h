#pragma once
// The add-words window (class "toevoeg"): a word of the current direction's source language and
// its translation, stored with Enter in the translation field. A word that exists shows its
// translation, so that Enter corrects it.

#include <QLineEdit>

#include "resources/commands.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

namespace zembo {

// The notifications that the two fields send to the window as command(id, code); their Enter
// goes to controlKey.
constexpr int fieldChanged = 0x602;  // a key other than Enter was released in the word field
constexpr int fieldGotFocus = 0x100;

// Enter never reaches the edit control: it goes to the window, as do released keys of the word
// field and the focus.
class AddWordsField : public QLineEdit {
 public:
  AddWordsField(ZemboWindow* window, int id, int limit);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  ZemboWindow* window_;
  int id_;
};

class AddWordsWindow : public ToolWindow {
  Q_OBJECT
 public:
  AddWordsWindow();
  ~AddWordsWindow() override;

  void command(int id, int code) override;
  void controlKey(int id, ControlKey key) override;
  void closeDown() override;
  CloseDownSorts sortsOnCloseDown() const override { return CloseDownSorts::bothFiles; }

  AddWordsField* wordField() const { return wordField_; }
  AddWordsField* translationField() const { return translationField_; }
  bool charsetWindowOn() const { return charsetWindowOn_; }

 protected:
  void paintClient(QPainter& painter) override;
  void changeEvent(QEvent* event) override;

 private:
  std::string fieldBytes(const AddWordsField* field, int charset) const;
  void setFieldBytes(AddWordsField* field, const std::string& bytes, int charset);
  bool warnOfComma(const std::string& word);
  void wordChanged();
  void wordEnter();
  void translationEnter();
  void fieldFocused(AddWordsField* field, int charset, const char* language);

  bool charsetWindowOn_ = false;
  UiFont defaultFont_;  // a window's default font, as the sorting window's
  UiFont sourceFont_, targetFont_;
  AddWordsField* wordField_;
  AddWordsField* translationField_;
  QLineEdit* focusField_;
};

}  // namespace zembo
