#include "installer/core/display.h"

namespace zembo {

namespace {
DisplayState displaysState;  // the one mutable instance
}  // namespace
const DisplayState& displays = displaysState;

void setInstallDisplay(InstallDisplay* display) { displaysState.installDisplay = display; }
void resetDisplayState() { displaysState = {}; }

WindowHandle messageOwner() {
  return displaysState.installDisplay ? displaysState.installDisplay->messageOwner() : nullptr;
}

}  // namespace zembo
