#pragma once
// The progress window of a list compaction (class "updating"): a line of text, on the screen and
// painted before the compaction starts, because the work runs inside one command.

#include "windowkit/progresswindow.h"

namespace zembo {

class UpdatingWindow : public ProgressWindow {
 public:
  UpdatingWindow();
  void showNow();
};

}  // namespace zembo
