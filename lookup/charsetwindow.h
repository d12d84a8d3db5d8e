#pragma once
// The character-set window (class "tekenset"): a strip of buttons, one per character of the
// language being typed, floating above its owner; a click types the character into the field that
// last had the focus, exactly as if it had been typed.

#include <QPointer>
#include <QWidget>
#include <string>

#include "windowkit/uifont.h"
#include "windowkit/zembowindow.h"

namespace zembo {

class CharsetWindow;

// Set by the window that opens the picker, through the operations below.
struct CharsetState {
  QPointer<CharsetWindow> charsetWindow;
  QPointer<QWidget> charsetOwner;
  int charsetCode = 0;
  std::string charsetLanguage;
  QPointer<QWidget> charsetReceiver;
};
extern const CharsetState& charsets;
// The language (character set and name) whose characters the picker offers.
void setCharsetLanguage(int code, const std::string& language);
// The field a click on the picker types into.
void setCharsetReceiver(QWidget* field);
// The window the picker floats above; no picker is open yet.
void setCharsetOwner(QWidget* owner);
// Closes the picker and forgets its owner, language and receiver, as at process start.
void resetCharsetState();

// The characters the picker offers for a language: the first line of charset\<language>.chs with
// its line feed, at most 254 bytes, or the 66 default bytes when there is no such file.
std::string charsetCharacters(const std::string& language);

class CharsetWindow : public QWidget {
 public:
  CharsetWindow();
  ~CharsetWindow() override;
  const std::string& characters() const { return characters_; }
  // Types character i into charsetReceiver.
  void typeCharacter(int i);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::string characters_;
  UiFont font_;
};

// Opens a new picker for charsetLanguage and charsetCode (the caller closed the previous one).
void openCharsetWindow();
void closeCharsetWindow();
// A new picker for the language now chosen; the field that receives its letters keeps the focus.
void reopenCharsetWindow();
// The Character set menu's On or Off: checks the item and shows or hides the picker.
void switchCharsetWindow(ZemboWindow& window, bool on);

}  // namespace zembo
