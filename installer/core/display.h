#pragma once
// What the installation shows while it runs. The core says what to show and where, in the
// installer window's coordinates; the window draws it. With no display set nothing is shown, so
// the core runs (and is tested) without a window.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "platform/messagebox.h"

namespace zembo {

// A rectangle from (left, top) to (right, bottom), the right and bottom edges outside.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Box&) const = default;
};

class InstallDisplay {
 public:
  virtual ~InstallDisplay() = default;
  // A headline in the large bold font, black with a light copy two pixels up and left.
  virtual void showHeadline(const Box& box, std::string_view text) = 0;
  // A bar framed in white, blue inside and green up to x = fillEdge (none when 0), with a
  // centred white text; shown at once.
  virtual void showProgressBar(const Box& bar, int fillEdge, std::string_view text) = 0;
  // A step text or "Done." in white; shown at once.
  virtual void showStepText(const Box& box, std::string_view text) = 0;
  // The box filled with the counter colour and the value written in it; shown at once.
  virtual void showCounter(const Box& box, std::int64_t value) = 0;
  // The file being copied, in the directory field.
  virtual void showTargetPath(const std::filesystem::path& target) = 0;
  virtual void showWaitCursor() = 0;
  virtual void restoreCursor() = 0;
  // Back to the arrow whatever was set, before a fatal message.
  virtual void restoreArrowCursor() = 0;
  // The owner of the installer's message boxes.
  virtual WindowHandle messageOwner() = 0;
};

struct DisplayState {
  // The display of the installation that runs now; none when nothing shows it.
  InstallDisplay* installDisplay = nullptr;
};
extern const DisplayState& displays;
// The window that shows the installation sets itself here, and none when it goes.
void setInstallDisplay(InstallDisplay* display);
// No display, as at process start.
void resetDisplayState();

// The owner of the installer's message boxes: the display's window, or none.
WindowHandle messageOwner();

}  // namespace zembo
