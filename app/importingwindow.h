#pragma once
// The window that an import from the File menu runs under: the language being imported, a line
// asking for patience, a bar that fills as the import goes on and a Cancel button. The import
// runs inside the command; whenever it asks whether to stop, the window handles the events that
// came meanwhile, so Cancel, Esc and the close box stop it until its commit begins. From then on
// the import cannot be stopped, and Cancel is disabled.

#include <string>

#include "windowkit/barwindow.h"

class QPushButton;

namespace zembo {

class ImportingWindow : public BarWindow {
 public:
  // The language's name in the edition's code page.
  explicit ImportingWindow(const std::string& languageName);
  // Asked by the import: handles what a user did meanwhile; true once a user asked to stop.
  bool stopRequested();
  // The import's commit begins: a stop is no longer possible.
  void stopNoMore();
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void requestStop();

  QPushButton* cancel_ = nullptr;
  bool stopRequested_ = false;
  bool stoppable_ = true;
};

struct ImportingWindowState {
  // Called with the window each time the import asks whether to stop, before it answers: a test
  // presses the window's keys and buttons there, at a known moment of the import.
  void (*whenAsked)(ImportingWindow& window) = nullptr;
};
extern const ImportingWindowState& importingWindows;
// What a test does each time the import asks; nullptr: nothing.
void actWhenImportAsksToStop(void (*act)(ImportingWindow& window));
void resetImportingWindowState();

}  // namespace zembo
