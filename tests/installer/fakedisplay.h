#pragma once
// A display for the installer's core that records what it was told to show, one line per call,
// such as "bar 30,155,380,175 64 10%".

#include <string>
#include <vector>

#include "installer/core/display.h"

namespace zembo::test {

class FakeDisplay : public InstallDisplay {
 public:
  FakeDisplay() { setInstallDisplay(this); }
  ~FakeDisplay() override { setInstallDisplay(nullptr); }

  void showHeadline(const Box& box, std::string_view text) override;
  void showProgressBar(const Box& bar, int fillEdge, std::string_view text) override;
  void showStepText(const Box& box, std::string_view text) override;
  void showCounter(const Box& box, std::int64_t value) override;
  void showTargetPath(const std::filesystem::path& target) override;
  void showWaitCursor() override { ++waitCursors; }
  void restoreCursor() override { --waitCursors; }
  void restoreArrowCursor() override { waitCursors = 0; }
  WindowHandle messageOwner() override { return this; }

  std::vector<std::string> shown;
  int waitCursors = 0;
  // The recorded lines that begin with a word.
  std::vector<std::string> linesOf(const std::string& word) const;
};

}  // namespace zembo::test
