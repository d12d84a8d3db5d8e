#pragma once
// The sorting window (class "sorting"): shows the direction and counters and a small animation
// while a word file is being sorted. The sort runs inside one command, so the window paints at
// once whenever it changes.

#include <QElapsedTimer>
#include <QImage>

#include <functional>

#include "directions/directions.h"
#include "store/sort.h"
#include "store/store.h"
#include "windowkit/progresswindow.h"
#include "windowkit/uifont.h"

namespace zembo {

class SortingWindow : public ProgressWindow, public SortProgress {
 public:
  // Shows the names of the direction whose word file is sorted.
  explicit SortingWindow(const DictionaryDirection& direction);
  ~SortingWindow() override;

  void showProgressText(const std::string& text) override;
  void drawNextFrame() override;
  const std::string& progressText() const { return text_; }
  int framesDrawn() const { return framesDrawn_; }

 private:
  UiFont font_;  // the window's default font
  QImage frames_[12];
  QImage patch_;  // the background under the animation
  int frameIndex_ = 0;
  int framesDrawn_ = 0;
  std::string text_;
  QElapsedTimer sincePaint_;
};

// Creates, shows and paints the sorting window and makes it the sort's display; the caller
// deletes it after the sort.
SortingWindow* showSortingWindow(const DictionaryDirection& direction);
// A sort of a word file as the tool windows run it: the sorting window, "Sort failed" when it
// fails, the window gone afterwards. True when it succeeded.
bool runUnderSortingWindow(const WordFile& file, const std::function<int()>& sort);

}  // namespace zembo
