#pragma once
// The text-file window (class "vertaal"): a foreign text, from a file or the clipboard, stands in a
// read-only field; the word under the caret is looked up whenever a user releases a key or the
// left mouse button there, and three rows above show the word found and the two that follow.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/wordrows.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

class QFileDialog;
class QLineEdit;
class QPlainTextEdit;

namespace zembo {

class ArticlePane;

// True for the bytes that separate words: the control characters and the blank, and the
// punctuation, digits and symbols of ASCII except the apostrophe and the hyphen. Every other
// byte (letters, "'", "-", "{" to DEL and everything from 0x80 on) belongs to a word.
bool isWordDelimiter(unsigned char byte);
constexpr std::size_t maxCaretWord = 99;
// The word of text around position caret, at most maxCaretWord bytes of it; empty when the byte
// at caret separates words or caret is at the end. The word reaches from just after the last
// delimiter at or before caret to the first delimiter after it.
std::string wordAtCaret(std::string_view text, std::size_t caret);

// The text as the field shows it: one character per byte, decoded with the character set, but a
// CR LF pair as one line end; crlfEnds receives the field positions of those line ends.
QString textForField(std::string_view bytes, int charset, std::vector<int>* crlfEnds = nullptr);
// The byte of the text that a caret position of the field stands before.
std::size_t byteAtFieldPosition(const std::vector<int>& crlfEnds, int position);

// The Open dialog: the host path of the file a user chose, or an empty string. Tests put their
// own here, so that no modal dialog runs.
using TextFileChooser = QString (*)(QWidget* owner, const QString& proposed);
QString runOpenTextFileDialog(QWidget* owner, const QString& proposed);
struct TextWindowState {
  TextFileChooser chooseTextFile = runOpenTextFileDialog;
  // The file chosen last; proposed again until the program ends. Empty before the first choice.
  QString textFileName;
};
extern const TextWindowState& textFiles;
void setTextFileChooser(TextFileChooser chooser);
// The dialog as it opens: its filters, and the folder or file it proposes.
void prepareOpenTextFileDialog(QFileDialog& dialog, const QString& proposed);
void resetTextWindowState();

class TextWindow : public ToolWindow {
  Q_OBJECT
 public:
  static constexpr int rows = 3;

  TextWindow();

  void command(int id, int code) override;
  void controlKey(int id, ControlKey key) override;

  QPlainTextEdit* textField() const { return textField_; }
  SearchField* searchField() const { return searchField_; }
  QLabel* noEntryNote() const { return rows_->noEntryNote(); }
  int fieldLookUps() const { return rows_->fieldLookUps(); }
  QLineEdit* wordField(int row) const { return wordFields_[row]; }
  QLineEdit* translationField(int row) const { return translationFields_[row]; }
  QScrollBar* scrollBar() const { return rows_->scrollBar(); }
  int topIndex() const { return rows_->topIndex(); }
  const std::string& lastCaretWord() const { return lastCaretWord_; }
  bool textLoaded() const { return textLoaded_; }
  ArticlePane* articlePane() const { return articlePane_; }

 protected:
  void paintClient(QPainter& painter) override;
  void clientMousePress(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void applyFonts();
  void showRecord(int row, const WordRecord* record);
  void openTextFile();
  void pasteText();
  void showLoadedText();
  void lookUpCaretWord();
  void switchTextDirection(int menuId);

  std::string loadedText_;     // without the terminating zero, which the scan adds itself
  std::vector<int> crlfEnds_;  // where the field shows a CR LF of the text as one line end
  bool textLoaded_ = false;
  std::string lastCaretWord_;
  QWidget* textWindowFocus_ = nullptr;
  UiFont sourceFont_, targetFont_;
  QPlainTextEdit* textField_;
  SearchField* searchField_;
  QLineEdit* wordFields_[rows];
  QLineEdit* translationFields_[rows];
  WordRows* rows_;
  ArticlePane* articlePane_;
};

}  // namespace zembo
