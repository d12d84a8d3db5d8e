#pragma once
// A progress window with a heading, a line asking for patience and a bar that fills as a long
// operation inside one command goes on (an import, the indexing of a language's entries).

#include <QElapsedTimer>
#include <string>

#include "windowkit/progresswindow.h"
#include "windowkit/uifont.h"

namespace zembo {

class BarWindow : public ProgressWindow {
 public:
  // The title and the line are UI texts; the heading is in the edition's code page.
  BarWindow(int titleText, const std::string& heading, int waitText);

  void showProgress(int percent);
  int percentShown() const { return percent_; }

 private:
  UiFont font_;
  int percent_ = -1;
  QElapsedTimer sincePaint_;
};

}  // namespace zembo
