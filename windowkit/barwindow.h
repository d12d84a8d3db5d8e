#pragma once
// A progress window with a heading, a line asking for patience and a bar that fills as a long
// operation inside one command goes on (an import, the indexing of a language's entries).

#include <QElapsedTimer>
#include <QRect>
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

 protected:
  // Where the bar ends: what a window derived from this one puts under it goes below.
  int barBottom() const { return barFrame_.top() + barFrame_.height(); }

 private:
  UiFont font_;
  QRect barFrame_;
  int percent_ = -1;
  QElapsedTimer sincePaint_;
};

}  // namespace zembo
