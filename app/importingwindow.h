#pragma once
// The window that an import from the File menu runs under: the language being imported, a line
// asking for patience and a bar that fills as the import goes on. The import takes no input, so
// the window paints at once whenever the bar grows.

#include <QElapsedTimer>
#include <string>

#include "windowkit/progresswindow.h"
#include "windowkit/uifont.h"

namespace zembo {

class ImportingWindow : public ProgressWindow {
 public:
  // The language's name in the edition's code page.
  explicit ImportingWindow(const std::string& languageName);

  void showProgress(int percent);
  int percentShown() const { return percent_; }

 private:
  UiFont font_;
  int percent_ = -1;
  QElapsedTimer sincePaint_;
};

}  // namespace zembo
